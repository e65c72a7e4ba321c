// A character dictionary read from a KANJIDIC file (EUC-JP, one kanji per
// line). load() indexes each kanji's line; every lookup reads the line back
// from the file, which stays open for the dictionary's whole life.
#ifndef DEXARU_KANJIDIC_H
#define DEXARU_KANJIDIC_H

#include "CharacterDictionary.h"

#include <cstdio>
#include <set>
#include <vector>

// One line of the index: the kanji of the line's "U" field and the byte
// offset of the line's start.
class KANJIDIC_Index_Entry
{
public:
    wchar_t kanji;
    long fileloc;
};

class Kanjidic : public CharacterDictionary
{
public:
    Kanjidic();
    ~Kanjidic() override;

    // Opens the file and builds the index: 0 loaded, -1 failed (the file
    // missing, unreadable or a directory), with a message. May be called
    // again: each call closes the file and replaces the index.
    int load() override;
    CharacterEntry* getInformation(wchar_t kanji) override;
    // Never null; entries in ascending code-point order.
    std::vector<CharacterEntry*>* search(std::set<wchar_t> kanji) override;

    // False only when no file is open.
    bool loadIndexEntries();
    // The first index entry of the kanji, owned by the dictionary, or null.
    KANJIDIC_Index_Entry* getIndexEntry(wchar_t kanji);
    bool loadEntryInformation(CharacterEntry& entry, KANJIDIC_Index_Entry* index);

    FILE* file;
    std::vector<KANJIDIC_Index_Entry*> indexEntries;
};

#endif
