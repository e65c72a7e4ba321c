/// @file
/// @class CharacterEntry
/// Everything a character dictionary knows about one kanji. Whoever holds an
/// entry owns it: dictionaries hand new ones to their callers, and a
/// CharacterResult deletes the entries added to it.
#ifndef DEXARU_CHARACTERENTRY_H
#define DEXARU_CHARACTERENTRY_H

#include <cstdint>
#include <string>
#include <vector>

class CharacterEntry
{
public:
    /// An empty entry: no kanji, every count 0.
    CharacterEntry();

    ///@{
    /// @brief Set by the collection that ran the search: the dictionary's display
    /// name and its position in the collection.
    std::string dictionaryName;
    int dictionaryIndex;
    ///@}

    /// The character itself, as a Unicode code point.
    wchar_t kanji;
    /// Readings that contain katakana.
    std::vector<std::wstring> on;
    /// Kana readings without katakana, "." and "-" kept.
    std::vector<std::wstring> kun;
    /// Name readings, then the radical names the file lists.
    std::vector<std::wstring> nanori;
    /// One character per radical, from the radical table.
    std::wstring radicals;
    /// Meanings in file order.
    std::vector<std::wstring> meanings;
    /// Rank among the most used kanji (1 the most used); 0 when the file
    /// gives none.
    uint16_t frequency;
    /// The line's first stroke count (later ones are common miscounts); 0
    /// when the file gives none.
    uint8_t strokeCount;
};

#endif
