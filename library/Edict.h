// Word dictionary for files in the EDICT format (one EUC-JP line per entry).
// Only an index of headwords and readings lives in memory; matching lines are
// read back from the file, which stays open until the dictionary is deleted.
#ifndef DEXARU_EDICT_H
#define DEXARU_EDICT_H

#include "WordDictionary.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class WordEntry;
class CachedIndex;

// One indexed line. The strings belong to the dictionary's index.
struct IndexEntry
{
    wchar_t* word;      // headword, never null for an indexed line
    wchar_t* kana;      // reading, null when the line has none
    long fileLocation;  // byte offset of the start of the line
};

class Edict : public WordDictionary
{
public:
    Edict();
    ~Edict() override;

    // Opens the file and builds the index: 0 on success (an empty file
    // included), -1 when the file cannot be opened.
    int load() override;
    // Entries whose word, reading or meanings match, in file order, after
    // the common and part-of-speech filters. The caller owns the vector and
    // every entry; null only when options is null.
    std::vector<WordEntry*>* search(std::wstring text, SearchOptions* options) override;

    // Accepted for compatibility; has no effect.
    int setStyle(int style);

    // Splits a line into headword and reading (cutting the line with NULs)
    // and returns the offset where the meanings begin: 0 when the line is
    // not an entry, -1 for a null line. *word and *kana, when given,
    // receive new[] arrays the caller deletes, or null.
    int getEdictWordAndKana(char* line, wchar_t** word, wchar_t** kana);
    // Splits the meanings part at "/" into a new[] array the caller owns.
    int getEdictMeanings(char* text, std::string** meanings, int* meaningsSize);
    // Reads the line at fileLocation back into a new entry (caller owns it),
    // or returns null.
    WordEntry* loadEntryFromEdict(long fileLocation);
    // True when text occurs in the meanings part of the line at fileLocation.
    bool fuzzySearchFromEdictLine(long fileLocation, std::string text);

    // Number of newline-terminated lines, or -1 for a null stream. Leaves
    // the stream at its start.
    static int countLinesInFile(FILE* stream);

    FILE* file;  // open from a successful load() until destruction
    // One record per entry line in file order, indexEntriesSize of them
    // filled; room for every newline-terminated line plus one. A line longer
    // than 1022 bytes is indexed from its first 1023 bytes, the rest of it
    // skipped.
    IndexEntry* indexEntries;
    int indexEntriesSize;

private:
    class StringPool;
    class FileBytes;

    Edict(const Edict&) = delete;
    Edict& operator=(const Edict&) = delete;

    void releaseIndex();
    int loadFromCache(const CachedIndex* cached);
    void indexLines(FileBytes& content, int capacity);
    bool decodesQuickly() const;
    // The general conversion, for fields the table decoder does not cover.
    // The bytes converted from the file's encoding, or null (the converter
    // logs why); their size in bytes goes to convertedSize.
    std::unique_ptr<char[]> convertThroughIconv(const char* bytes, int size, int* convertedSize);
    wchar_t* convertIntoPool(const char* bytes, int size);
    wchar_t* convertIntoNewArray(const char* bytes, int size);
    bool meaningSearchText(const std::wstring& text, std::string* meaningText);
    std::vector<unsigned char> findMeaningMatches(const std::string& text);

    // Holds the index's records, words and readings in a few large blocks.
    std::unique_ptr<StringPool> pool;
    // Holds them instead when the index was read back from its cache.
    std::unique_ptr<CachedIndex> cachedIndex;
};

#endif
