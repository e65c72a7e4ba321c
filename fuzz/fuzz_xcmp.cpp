// Fuzzes the wide-string comparisons: the input holds a target and a
// wildcard expression (the second byte says where the expression begins).
// The wildcard match is checked against a plain dynamic-programming matcher
// under both case styles, so wrong answers are findings too, and the
// matcher's time is bounded by the fuzzer's timeout.
#include "FuzzSupport.h"

#include "Jwcs.h"

#include <vector>

namespace {

bool sameCharacter(wchar_t target, wchar_t expression, JwcsCase caseStyle)
{
    if (target == expression) {
        return true;
    }
    if (caseStyle == CMP_CASE) {
        return false;
    }
    const wchar_t left[2] = {target, 0};
    const wchar_t right[2] = {expression, 0};
    return Jwcs::cmp(left, right, caseStyle) == 0;
}

// "?" takes exactly one character, "*" any run; both only in the expression.
bool referenceMatch(const std::wstring& target, const std::wstring& expression, JwcsCase caseStyle)
{
    const size_t n = target.size();
    // matches[j]: expression[0..i) matches target[0..j)
    std::vector<char> matches(n + 1, 0);
    matches[0] = 1;
    for (wchar_t w : expression) {
        std::vector<char> next(n + 1, 0);
        if (w == L'*') {
            char any = 0;
            for (size_t j = 0; j <= n; ++j) {
                any |= matches[j];
                next[j] = any;
            }
        } else {
            for (size_t j = 1; j <= n; ++j) {
                next[j] = matches[j - 1]
                          && (w == L'?' || sameCharacter(target[j - 1], w, caseStyle));
            }
        }
        matches.swap(next);
    }
    return matches[n] != 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    useProgramLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) {
        return 0;
    }
    // The first byte picks the decoding (as bytesToWide does), the second
    // where the expression begins.
    const uint8_t mode = data[0];
    const size_t rest = size - 2;
    const size_t split = rest * data[1] / 256;
    std::vector<uint8_t> targetBytes(data + 2, data + 2 + split);
    std::vector<uint8_t> expressionBytes(data + 2 + split, data + size);
    targetBytes.insert(targetBytes.begin(), mode);
    expressionBytes.insert(expressionBytes.begin(), mode);
    std::wstring target = untilNul(bytesToWide(targetBytes.data(), targetBytes.size()));
    std::wstring expression = untilNul(bytesToWide(expressionBytes.data(), expressionBytes.size()));

    for (JwcsCase caseStyle : {CMP_CASE, CMP_IGNORE_CASE}) {
        bool matched = Jwcs::xcmp(target.c_str(), expression.c_str(), caseStyle) == 0;
        if (matched != referenceMatch(target, expression, caseStyle)) {
            std::fprintf(stderr, "xcmp gives the wrong answer (case style %d)\n", int(caseStyle));
            std::abort();
        }
        int forward = Jwcs::cmp(target.c_str(), expression.c_str(), caseStyle);
        int backward = Jwcs::cmp(expression.c_str(), target.c_str(), caseStyle);
        if ((forward == 0) != (backward == 0)) {
            std::fprintf(stderr, "cmp is not symmetric in equality (case style %d)\n",
                         int(caseStyle));
            std::abort();
        }
    }
    return 0;
}
