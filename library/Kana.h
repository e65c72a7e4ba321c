/// @file
/// @class Kana
/// Hiragana and katakana: classification, folding one syllabary into the
/// other, comparison with kana folding, and kana-to-romaji for display.
/// Static members only; every string result is a new value owned by the caller.
#ifndef DEXARU_KANA_H
#define DEXARU_KANA_H

#include <cstdint>
#include <string>

class Kana
{
public:
    ///@{
    /// @brief Inclusive Unicode ranges: printable ASCII, the hiragana block and the
    /// katakana block.
    static const uint16_t UNICODE_ENGLISH_START = 32;
    static const uint16_t UNICODE_ENGLISH_END = 126;
    static const uint16_t UNICODE_HIRAGANA_START = 12352;
    static const uint16_t UNICODE_HIRAGANA_END = 12447;
    static const uint16_t UNICODE_KATAKANA_START = 12448;
    static const uint16_t UNICODE_KATAKANA_END = 12543;
    ///@}
    /// Distance from a hiragana to the katakana of the same sound.
    static const uint16_t KANA_OFFSET = 96;
    ///@{
    /// @brief Wildcards: exactly one character, and any run of characters.
    static const uint16_t WC_QUES = 63;
    static const uint16_t WC_STAR = 42;
    ///@}

    /// ぁ … ゖ only; the sound and iteration marks of the block are not kana.
    static bool isHiragana(uint16_t c);
    /// The whole katakana block, marks included.
    static bool isKatakana(uint16_t c);
    /// True for a hiragana or a katakana as isHiragana and isKatakana see them.
    static bool isKana(uint16_t c);

    ///@{
    /// @brief True when every character qualifies; true for an empty string.
    static bool isHiragana(const std::wstring& str);
    static bool isKatakana(const std::wstring& str);
    static bool isKana(const std::wstring& str);
    ///@}
    /// True when every character is kana or one of the wildcards WC_QUES and
    /// WC_STAR; true for an empty string.
    static bool isKana_WildcardsOkay(const std::wstring& str);

    ///@{
    /// @brief toKatakana turns hiragana into katakana of the same sound, toHiragana
    /// the reverse; any other character is unchanged.
    static uint16_t toKatakana(uint16_t c);
    static uint16_t toHiragana(uint16_t c);
    static std::wstring toKatakana(const std::wstring& str);
    static std::wstring toHiragana(const std::wstring& str);
    ///@}

    /// Equal when every position spells the same sound in either syllabary.
    static bool StringsAreEqual_IgnoreKana(const std::wstring& a, const std::wstring& b);

    /// Kunrei-style romaji of one kana (katakana in capitals); empty when the
    /// character has none. Full-width ASCII forms give their ASCII character.
    static std::wstring kanaToRomaji_Single(uint16_t c);
    /// Romaji of a whole string, joining palatal and f/v combinations,
    /// doubling consonants after small tsu and marking n' before vowels and n-row.
    static std::wstring kanaStringToRomaji(std::wstring kana);
};

#endif
