#include "Jwcs.h"

#include <algorithm>
#include <climits>
#include <cwctype>

#include "Kana.h"
#include "Log.h"

namespace {

bool isKnownStyle(JwcsCase caseStyle)
{
    return caseStyle == CMP_CASE || caseStyle == CMP_IGNORE_CASE;
}

void logUnknownStyle(const char* function, JwcsCase caseStyle)
{
    Log::write(3, "%s: !!! An unspecified case style was given: %d.", function,
               static_cast<int>(caseStyle));
}

// Compares two characters that may differ as they stand, ignoring letter
// case and kana script: か equals カ, and a kana is greater than any non-kana.
int compareIgnoringCase(wchar_t l, wchar_t r)
{
    const uint16_t left = static_cast<uint16_t>(l);
    const uint16_t right = static_cast<uint16_t>(r);
    if (Kana::isKana(left)) {
        if (!Kana::isKana(right)) {
            return 1;
        }
        return static_cast<int>(Kana::toKatakana(left)) - static_cast<int>(Kana::toKatakana(right));
    }
    const wchar_t a[] = {l, L'\0'};
    const wchar_t b[] = {r, L'\0'};
    return wcsncasecmp(a, b, 1);
}

int compareCharacters(wchar_t t, wchar_t w, JwcsCase caseStyle)
{
    if (caseStyle == CMP_CASE) {
        // Any 32-bit values may come in: the difference is taken wide and
        // clamped, since callers only look at its sign.
        const long long difference = static_cast<long long>(t) - static_cast<long long>(w);
        return static_cast<int>(std::clamp<long long>(difference, INT_MIN, INT_MAX));
    }
    return compareIgnoringCase(t, w);
}

// Wildcard match by the two-pointer method: on a mismatch only the most
// recent star takes one more character, which is enough because a star can
// swallow anything an earlier star would have; linear in practice, never
// exponential.
bool matchesFromStar(const wchar_t* target, const wchar_t* expression, JwcsCase caseStyle)
{
    const wchar_t* t = target;
    const wchar_t* w = expression;
    const wchar_t* afterStar = nullptr;  // expression just after the last star seen
    const wchar_t* starTarget = nullptr;  // target position that star's run ends at
    while (*t != L'\0') {
        if (*w == Kana::WC_STAR) {
            afterStar = ++w;
            starTarget = t;
        } else if (*w != L'\0'
                   && (*w == Kana::WC_QUES || compareCharacters(*t, *w, caseStyle) == 0)) {
            ++t;
            ++w;
        } else if (afterStar != nullptr) {
            w = afterStar;
            t = ++starTarget;
        } else {
            return false;
        }
    }
    while (*w == Kana::WC_STAR) {
        ++w;
    }
    return *w == L'\0';
}

}  // namespace

int Jwcs::cmp(const wchar_t* left, const wchar_t* right, JwcsCase caseStyle)
{
    if (caseStyle == CMP_CASE) {
        return wcscmp(left, right);
    }
    if (caseStyle != CMP_IGNORE_CASE) {
        logUnknownStyle("cmp", caseStyle);
        return -1;
    }
    for (;; ++left, ++right) {
        if (*left == L'\0' && *right == L'\0') {
            return 0;
        }
        if (*left == *right) {
            continue;
        }
        if (*left == L'\0') {
            return -1;
        }
        if (*right == L'\0') {
            return 1;
        }
        if (int difference = compareIgnoringCase(*left, *right)) {
            return difference;
        }
    }
}

int Jwcs::xcmp(const wchar_t* target, const wchar_t* wildcardExpression, JwcsCase caseStyle)
{
    // An unknown style never matches, even where no character is compared.
    if (!isKnownStyle(caseStyle)) {
        logUnknownStyle("xcmp", caseStyle);
        return -1;
    }
    // Up to the first star the difference of the first mismatch is the
    // result; a length mismatch gives -1 either way.
    const wchar_t* t = target;
    const wchar_t* w = wildcardExpression;
    for (; *w != Kana::WC_STAR; ++t, ++w) {
        if (*w == L'\0') {
            return *t == L'\0' ? 0 : -1;
        }
        if (*t == L'\0') {
            return -1;
        }
        if (*w == Kana::WC_QUES) {
            continue;
        }
        if (int difference = compareCharacters(*t, *w, caseStyle)) {
            return difference;
        }
    }
    // From the first star on the answer is only match or no match.
    return matchesFromStar(t, w, caseStyle) ? 0 : -1;
}
