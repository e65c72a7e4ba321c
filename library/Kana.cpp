#include "Kana.h"

#include "Romaji.h"
#include "internal/KanaRanges.h"

const uint16_t Kana::UNICODE_ENGLISH_START;
const uint16_t Kana::UNICODE_ENGLISH_END;
const uint16_t Kana::UNICODE_HIRAGANA_START;
const uint16_t Kana::UNICODE_HIRAGANA_END;
const uint16_t Kana::UNICODE_KATAKANA_START;
const uint16_t Kana::UNICODE_KATAKANA_END;
const uint16_t Kana::KANA_OFFSET;
const uint16_t Kana::WC_QUES;
const uint16_t Kana::WC_STAR;

namespace {

using kanaRanges::FIRST_HIRAGANA;
using kanaRanges::LAST_HIRAGANA;

// Kunrei romaji of ぁ … ゖ in code order, a row of the kana table a line.
// clang-format off
const wchar_t* const HIRAGANA_ROMAJI[LAST_HIRAGANA - FIRST_HIRAGANA + 1] = {
    L"la", L"a", L"li", L"i", L"lu", L"u", L"le", L"e", L"lo", L"o",
    L"ka", L"ga", L"ki", L"gi", L"ku", L"gu", L"ke", L"ge", L"ko", L"go",
    L"sa", L"za", L"si", L"zi", L"su", L"zu", L"se", L"ze", L"so", L"zo",
    L"ta", L"da", L"ti", L"di", L"ltu", L"tu", L"du", L"te", L"de", L"to", L"do",
    L"na", L"ni", L"nu", L"ne", L"no",
    L"ha", L"ba", L"pa", L"hi", L"bi", L"pi", L"hu", L"bu", L"pu",
    L"he", L"be", L"pe", L"ho", L"bo", L"po",
    L"ma", L"mi", L"mu", L"me", L"mo",
    L"lya", L"ya", L"lyu", L"yu", L"lyo", L"yo",
    L"ra", L"ri", L"ru", L"re", L"ro",
    L"lwa", L"wa", L"wi", L"we", L"wo", L"n",
    L"vu", L"lka", L"lke",
};
// clang-format on

// Katakana without a hiragana partner (and ・ ー) keep a fixed lower-case romaji.
const wchar_t* fixedKatakanaRomaji(uint16_t c)
{
    switch (c) {
    case 0x30F7: return L"va";  // ヷ
    case 0x30F8: return L"vi";  // ヸ
    case 0x30F9: return L"ve";  // ヹ
    case 0x30FA: return L"vo";  // ヺ
    case 0x30FB: return L"*";  // ・
    case 0x30FC: return L"-";  // ー
    default: return nullptr;
    }
}

const uint16_t FULLWIDTH_ASCII_START = 0xFF01;
const uint16_t FULLWIDTH_ASCII_END = 0xFF5E;
const uint16_t FULLWIDTH_ASCII_OFFSET = 0xFEE0;

// Hiragana codes that the look-ahead rules of kanaStringToRomaji test for.
const uint16_t SMALL_A = 0x3041, SMALL_I = 0x3043, SMALL_U = 0x3045, SMALL_E = 0x3047,
               SMALL_O = 0x3049, LAST_VOWEL = 0x304A, SMALL_TU = 0x3063, NA = 0x306A, NO = 0x306E,
               HU = 0x3075, SMALL_YA = 0x3083, SMALL_YU = 0x3085, SMALL_YO = 0x3087, N = 0x3093,
               VU = 0x3094;

uint16_t low16(wchar_t c)
{
    return static_cast<uint16_t>(c);
}

// The i-row kana that combine with a following small ya, yu or yo.
bool takesPalatalGlide(uint16_t h)
{
    switch (h) {
    case 0x304D:
    case 0x304E:  // き ぎ
    case 0x3057:
    case 0x3058:  // し じ
    case 0x3061:
    case 0x3062:  // ち ぢ
    case 0x306B:  // に
    case 0x3072:
    case 0x3073:
    case 0x3074:  // ひ び ぴ
    case 0x307F:  // み
    case 0x308A:  // り
        return true;
    default: return false;
    }
}

bool isSmallVowel(uint16_t c)
{
    return c == SMALL_A || c == SMALL_I || c == SMALL_U || c == SMALL_E || c == SMALL_O;
}

template <typename Test> bool allOf(const std::wstring& str, Test test)
{
    for (wchar_t c : str) {
        if (!test(low16(c))) {
            return false;
        }
    }
    return true;
}

template <typename Map> std::wstring mapEach(const std::wstring& str, Map map)
{
    std::wstring result(str.size(), L'\0');
    for (size_t i = 0; i < str.size(); ++i) {
        result[i] = map(low16(str[i]));
    }
    return result;
}

}  // namespace

bool Kana::isHiragana(uint16_t c)
{
    return c >= FIRST_HIRAGANA && c <= LAST_HIRAGANA;
}

bool Kana::isKatakana(uint16_t c)
{
    return c >= UNICODE_KATAKANA_START && c <= UNICODE_KATAKANA_END;
}

bool Kana::isKana(uint16_t c)
{
    return isHiragana(c) || isKatakana(c);
}

bool Kana::isHiragana(const std::wstring& str)
{
    return allOf(str, [](uint16_t c) { return isHiragana(c); });
}

bool Kana::isKatakana(const std::wstring& str)
{
    return allOf(str, [](uint16_t c) { return isKatakana(c); });
}

bool Kana::isKana(const std::wstring& str)
{
    return allOf(str, [](uint16_t c) { return isKana(c); });
}

bool Kana::isKana_WildcardsOkay(const std::wstring& str)
{
    return allOf(str, [](uint16_t c) { return isKana(c) || c == WC_QUES || c == WC_STAR; });
}

uint16_t Kana::toKatakana(uint16_t c)
{
    return isHiragana(c) ? c + KANA_OFFSET : c;
}

uint16_t Kana::toHiragana(uint16_t c)
{
    return isKatakana(c) ? c - KANA_OFFSET : c;
}

std::wstring Kana::toKatakana(const std::wstring& str)
{
    return mapEach(str, [](uint16_t c) { return toKatakana(c); });
}

std::wstring Kana::toHiragana(const std::wstring& str)
{
    return mapEach(str, [](uint16_t c) { return toHiragana(c); });
}

bool Kana::StringsAreEqual_IgnoreKana(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        // Both foldings must agree: ヷ and U+3097 share a hiragana shift only.
        uint16_t l = low16(a[i]), r = low16(b[i]);
        if (toHiragana(l) != toHiragana(r) || toKatakana(l) != toKatakana(r)) {
            return false;
        }
    }
    return true;
}

std::wstring Kana::kanaToRomaji_Single(uint16_t c)
{
    if (isKatakana(c)) {
        if (const wchar_t* fixed = fixedKatakanaRomaji(c)) {
            return fixed;
        }
        uint16_t h = c - KANA_OFFSET;
        return isHiragana(h) ? Romaji::toUpper(std::wstring(HIRAGANA_ROMAJI[h - FIRST_HIRAGANA]))
                             : std::wstring();
    }
    if (isHiragana(c)) {
        return HIRAGANA_ROMAJI[c - FIRST_HIRAGANA];
    }
    if (c >= FULLWIDTH_ASCII_START && c <= FULLWIDTH_ASCII_END) {
        return std::wstring(1, static_cast<wchar_t>(c - FULLWIDTH_ASCII_OFFSET));
    }
    return std::wstring();
}

std::wstring Kana::kanaStringToRomaji(std::wstring kana)
{
    std::wstring romaji;
    const size_t length = kana.size();
    size_t i = 0;
    while (i < length) {
        const uint16_t c = low16(kana[i]);
        const uint16_t h = isKatakana(c) ? c - KANA_OFFSET : c;
        const bool hasNext = i + 1 < length && isKana(low16(kana[i + 1]));
        const uint16_t next = hasNext ? low16(kana[i + 1]) : 0;
        const std::wstring single = kanaToRomaji_Single(c);

        if (takesPalatalGlide(h) && (next == SMALL_YA || next == SMALL_YU || next == SMALL_YO)) {
            romaji += single[0];
            romaji += kanaToRomaji_Single(next).substr(1);
            i += 2;
        } else if (takesPalatalGlide(h) && (next == SMALL_I || next == SMALL_E)) {
            romaji += single[0];
            romaji += L'y';
            romaji += kanaToRomaji_Single(next).substr(1);
            i += 2;
        } else if ((h == HU || h == VU) && isSmallVowel(next)) {
            romaji += single[0];
            romaji += kanaToRomaji_Single(next).substr(1);
            i += 2;
        } else if (h == SMALL_TU && hasNext && !kanaToRomaji_Single(next).empty()) {
            // The doubled consonant; the next kana is romanised in its own turn.
            romaji += kanaToRomaji_Single(next)[0];
            i += 1;
        } else if (h == N
                   && ((next >= SMALL_A && next <= LAST_VOWEL) || (next >= NA && next <= NO))) {
            // n' keeps ん apart from a following vowel or n-row kana: gen'in, kon'na.
            romaji += single;
            romaji += L'\'';
            i += 1;
        } else {
            // A small tsu before ゠ ヽ ヾ ヿ has no consonant to double and
            // is written out as if it stood last.
            romaji += single;
            i += 1;
        }
    }
    return romaji;
}
