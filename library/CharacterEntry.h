// Everything a character dictionary knows about one kanji. Whoever holds an
// entry owns it: dictionaries hand new ones to their callers, and a
// CharacterResult deletes the entries added to it.
#ifndef DEXARU_CHARACTERENTRY_H
#define DEXARU_CHARACTERENTRY_H

#include <cstdint>
#include <string>
#include <vector>

class CharacterEntry
{
public:
    CharacterEntry();

    // Set by the collection that ran the search.
    std::string dictionaryName;
    int dictionaryIndex;

    wchar_t kanji;
    // Readings that contain katakana.
    std::vector<std::wstring> on;
    // Kana readings without katakana, "." and "-" kept.
    std::vector<std::wstring> kun;
    // Name readings, then the radical names the file lists.
    std::vector<std::wstring> nanori;
    // One character per radical, from the radical table.
    std::wstring radicals;
    std::vector<std::wstring> meanings;
    // 0 when the file gives none.
    uint16_t frequency;
    uint8_t strokeCount;
};

#endif
