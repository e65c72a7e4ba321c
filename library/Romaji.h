// Latin-letter input: ASCII letter tests and case mapping, and the
// romaji-to-kana conversion (lower case gives hiragana, upper case katakana).
// Static members only; every string result is a new value owned by the caller.
#ifndef DEXARU_ROMAJI_H
#define DEXARU_ROMAJI_H

#include <cstdint>
#include <string>

class Romaji
{
public:
    // The printable ASCII range, space included.
    static const uint16_t UNICODE_ENGLISH_START = 32;
    static const uint16_t UNICODE_ENGLISH_END = 126;

    static bool isVowel(uint16_t c);
    static bool isRomaji(uint16_t c);
    static bool isRomaji(std::wstring text);
    static bool isRomajiLetter(uint16_t c);
    static bool isUpper(uint16_t c);
    static bool isLower(uint16_t c);
    // True when no character is an upper-case (lower-case) ASCII letter.
    static bool isLower(const std::wstring& str);
    static bool isUpper(const std::wstring& str);
    // Only the 26 ASCII letters have case; everything else is unchanged.
    static uint16_t toLower(uint16_t c);
    static uint16_t toUpper(uint16_t c);
    static std::wstring toLower(std::wstring str);
    static std::wstring toUpper(std::wstring str);

    // The one kana of a syllable ("ka", "KA", "n'", "xtu"), or 0.
    static uint16_t romajiToKana_Single(std::wstring c);
    // Full-width form of printable ASCII; '*' and '?' stay as they are; 0 otherwise.
    static uint16_t romajiToFullwidth(uint16_t c);
    // The kana (one, or two for kya-style syllables) of one syllable, or empty.
    static std::wstring romajiToKana(std::wstring text);
    // The kana of a whole text. guessend tells whether the text is finished:
    // when false, a trailing lone n stays a letter since more input may follow.
    static std::wstring romajiStringToKana(std::wstring text, bool guessend);
};

#endif
