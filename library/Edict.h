/// @file
/// @class Edict
/// Word dictionary for files in the EDICT format (one EUC-JP line per entry).
/// Only an index of headwords and readings lives in memory; matching lines are
/// read back from the file, which stays open until the dictionary is deleted.
#ifndef DEXARU_EDICT_H
#define DEXARU_EDICT_H

#include "WordDictionary.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class WordEntry;
class CachedIndex;
namespace internal {
class MappedFile;
class MatchedLines;
class StringPool;
}  // namespace internal

/// One indexed line. The strings belong to the dictionary's index.
struct IndexEntry
{
    wchar_t* word;  ///< headword, never null for an indexed line
    wchar_t* kana;  ///< reading, null when the line has none
    long fileLocation;  ///< byte offset of the start of the line
};

class Edict : public WordDictionary
{
public:
    /// A dictionary with no file and no index; set the file name, then load().
    Edict();
    /// Closes the file and frees the index.
    ~Edict() override;

    /// Opens the file and builds the index: 0 on success (an empty file
    /// included); -1 with a message when the file cannot be opened (a
    /// directory included) or memory for the index runs out, the dictionary
    /// then holding no file and no index. May be called again: each call
    /// closes the file and replaces the index, so pointers into the old
    /// index die.
    int load() override;
    /// Entries whose word, reading or meanings match, in file order, after
    /// the common and part-of-speech filters. The caller owns the vector and
    /// every entry; null only when options is null. Reads the matching lines
    /// back through `file`, moving its position: calls to search,
    /// loadEntryFromEdict and fuzzySearchFromEdictLine on one dictionary
    /// must not interleave (one thread at a time).
    std::vector<WordEntry*>* search(std::wstring text, SearchOptions* options) override;

    /// Accepted for compatibility; has no effect and returns 0.
    int setStyle(int style);

    /// Splits a line into headword and reading (cutting the line with NULs)
    /// and returns the offset where the meanings begin: 0 when the line is
    /// not an entry, -1 for a null line. `*word` and `*kana`, when given,
    /// receive new[] arrays the caller deletes with delete[], or null.
    int getEdictWordAndKana(char* line, wchar_t** word, wchar_t** kana);
    /// Splits the meanings part at "/", empty pieces dropped: 0, with a new[]
    /// array the caller deletes with delete[] in `*meanings` and its length in
    /// `*meaningsSize`. -1 when an argument is null or memory runs out.
    int getEdictMeanings(char* text, std::string** meanings, int* meaningsSize);
    /// Reads the line at fileLocation back into a new entry (caller owns it),
    /// or returns null. Moves the position of `file`.
    WordEntry* loadEntryFromEdict(long fileLocation);
    /// True when text occurs in the meanings part of the line at fileLocation.
    /// Moves the position of `file`.
    bool fuzzySearchFromEdictLine(long fileLocation, std::string text);

    /// Number of newline-terminated lines, or -1 for a null stream. Leaves
    /// the stream at its start.
    static int countLinesInFile(FILE* stream);

    FILE* file;  ///< open from a successful load() until the next load or destruction
    ///@{
    /// @brief One record per entry line in file order, indexEntriesSize of them
    /// filled; room for every newline-terminated line plus one. Every line is
    /// read whole, however long; only a line of more than 1 MB, which no real
    /// entry has, is skipped with a message. Owned by the dictionary; valid
    /// until the next load().
    IndexEntry* indexEntries;
    int indexEntriesSize;
    ///@}

private:
    Edict(const Edict&) = delete;
    Edict& operator=(const Edict&) = delete;

    // Closes the file and drops the index.
    void unload();
    void releaseIndex();
    int loadFromCache(const CachedIndex* cached);
    // Throws std::bad_alloc when memory runs out; load() catches it.
    void buildIndex(internal::MappedFile& content, int lineCount);
    void indexLines(internal::MappedFile& content, int capacity);
    bool decodesQuickly() const;
    // The general conversion, for fields the table decoder does not cover.
    // The bytes converted from the file's encoding, or null (the converter
    // logs why); their size in bytes goes to convertedSize.
    std::unique_ptr<char[]> convertThroughIconv(const char* bytes, int size, int* convertedSize);
    wchar_t* convertIntoPool(const char* bytes, int size);
    wchar_t* convertIntoNewArray(const char* bytes, int size);
    bool meaningSearchText(const std::wstring& text, std::string* meaningText);
    void findMeaningMatches(const std::string& text, internal::MatchedLines* found);
    // The entry of a line as a line read gives it; cuts the line with NULs.
    WordEntry* entryFromLine(char* line);

    // Holds the index's records, words and readings in a few large blocks.
    std::unique_ptr<internal::StringPool> pool;
    // Holds them instead when the index was read back from its cache.
    std::unique_ptr<CachedIndex> cachedIndex;
};

#endif
