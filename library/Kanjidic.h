/// @file
/// @class Kanjidic
/// A character dictionary read from a KANJIDIC file (EUC-JP, one kanji per
/// line). load() indexes each kanji's line; every lookup reads the line back
/// from the file, which stays open for the dictionary's whole life.
#ifndef DEXARU_KANJIDIC_H
#define DEXARU_KANJIDIC_H

#include "CharacterDictionary.h"

#include <cstdio>
#include <set>
#include <vector>

/// One line of the index: the kanji of the line's "U" field and the byte
/// offset of the line's start.
class KANJIDIC_Index_Entry
{
public:
    /// The Unicode code point from the line's "U" field.
    wchar_t kanji;
    /// Byte offset of the start of the line in the file.
    long fileloc;
};

class Kanjidic : public CharacterDictionary
{
public:
    /// A dictionary with no file and no index; set the file name, then load().
    Kanjidic();
    /// Closes the file and deletes the index.
    ~Kanjidic() override;

    /// Opens the file and builds the index: 0 loaded, -1 failed (the file
    /// missing, unreadable or a directory), with a message. May be called
    /// again: each call closes the file and replaces the index.
    int load() override;
    /// A new entry the caller owns, radicals filled when a radical table is
    /// set; null when the kanji is not indexed or its line cannot be read.
    /// Moves the position of `file`, so lookups must not interleave.
    CharacterEntry* getInformation(wchar_t kanji) override;
    /// Never null; entries in ascending code-point order.
    std::vector<CharacterEntry*>* search(std::set<wchar_t> kanji) override;

    /// Rebuilds the index from the open file. False only when no file is open.
    bool loadIndexEntries();
    /// The first index entry of the kanji, owned by the dictionary, or null.
    KANJIDIC_Index_Entry* getIndexEntry(wchar_t kanji);
    /// Reads the line of index into entry, appending to its lists, so pass a
    /// fresh entry. False, entry then incomplete, when index is null, no file
    /// is open or the line cannot be read.
    bool loadEntryInformation(CharacterEntry& entry, KANJIDIC_Index_Entry* index);

    /// Open from a successful load() until the next load or destruction.
    FILE* file;
    /// Owned records, one per kanji line, in file order.
    std::vector<KANJIDIC_Index_Entry*> indexEntries;
};

#endif
