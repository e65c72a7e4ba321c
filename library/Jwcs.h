/// @file
/// @class Jwcs
/// Comparison of null-terminated wide strings for dictionary searches:
/// exact, or ignoring case and kana script, optionally against a wildcard
/// expression with '?' and '*'. Static members only; nothing is kept.
#ifndef DEXARU_JWCS_H
#define DEXARU_JWCS_H

#include <cwchar>

/// How Jwcs compares characters. Fixed to int so that any style value,
/// unknown ones included, can be passed; an unknown one is logged at level 3
/// and never compares equal.
enum JwcsCase : int
{
    /// Characters compare by code point.
    CMP_CASE = 0,
    /// Letters ignore case, and a hiragana equals the katakana of the same sound.
    CMP_IGNORE_CASE = 1
};

class Jwcs
{
public:
    /// Three-way comparison; 0 when equal under caseStyle. Neither string
    /// may be null.
    static int cmp(const wchar_t* left, const wchar_t* right, JwcsCase caseStyle);
    /// 0 when target matches the expression; wildcards count only in the
    /// expression. Any other value means no match. Neither string may be null.
    static int xcmp(const wchar_t* target, const wchar_t* wildcardExpression, JwcsCase caseStyle);
};

#endif
