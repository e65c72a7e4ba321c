/// @file
/// @class Romaji
/// Latin-letter input: ASCII letter tests and case mapping, and the
/// romaji-to-kana conversion (lower case gives hiragana, upper case katakana).
/// Static members only; every string result is a new value owned by the caller.
#ifndef DEXARU_ROMAJI_H
#define DEXARU_ROMAJI_H

#include <cstdint>
#include <string>

class Romaji
{
public:
    ///@{
    /// @brief The printable ASCII range, space included.
    static const uint16_t UNICODE_ENGLISH_START = 32;
    static const uint16_t UNICODE_ENGLISH_END = 126;
    ///@}

    /// True for the lower-case vowels a, i, u, e and o only.
    static bool isVowel(uint16_t c);
    ///@{
    /// @brief True for printable ASCII (32 to 126); for a string, when every
    /// character is, so also for an empty one.
    static bool isRomaji(uint16_t c);
    static bool isRomaji(std::wstring text);
    ///@}
    /// True for the 52 ASCII letters.
    static bool isRomajiLetter(uint16_t c);
    ///@{
    /// @brief isUpper: an upper-case ASCII letter; isLower: a lower-case one.
    static bool isUpper(uint16_t c);
    static bool isLower(uint16_t c);
    ///@}
    ///@{
    /// @brief isLower: no character is an upper-case ASCII letter; isUpper: no
    /// character is a lower-case one.
    static bool isLower(const std::wstring& str);
    static bool isUpper(const std::wstring& str);
    ///@}
    ///@{
    /// @brief Only the 26 ASCII letters have case; everything else is unchanged.
    static uint16_t toLower(uint16_t c);
    static uint16_t toUpper(uint16_t c);
    static std::wstring toLower(std::wstring str);
    static std::wstring toUpper(std::wstring str);
    ///@}

    /// The one kana of a syllable ("ka", "KA", "n'", "xtu"), or 0.
    static uint16_t romajiToKana_Single(std::wstring c);
    /// Full-width form of printable ASCII; '*' and '?' stay as they are; 0 otherwise.
    static uint16_t romajiToFullwidth(uint16_t c);
    /// The kana (one, or two for kya-style syllables) of one syllable, or empty.
    static std::wstring romajiToKana(std::wstring text);
    /// The kana of a whole text. guessend tells whether the text is finished:
    /// when false, a trailing lone n stays a letter since more input may follow.
    static std::wstring romajiStringToKana(std::wstring text, bool guessend);
};

#endif
