// The answer to one word search: the entries found, in one sortable list
// with a visibility flag per row and one iteration cursor. The caller of
// the search owns the result; the result owns every WordEntry in it.
#ifndef DEXARU_WORDRESULT_H
#define DEXARU_WORDRESULT_H

#include "WordDictionary.h"

#include <set>
#include <string>
#include <vector>

class WordEntry;
class WordResultSorter;

// One row of a result; owns its entry.
class EnhancedEntry
{
public:
    EnhancedEntry();
    ~EnhancedEntry();
    EnhancedEntry(const EnhancedEntry&) = delete;
    EnhancedEntry& operator=(const EnhancedEntry&) = delete;

    WordEntry* entry;
    bool isVisible;
};

class WordResult
{
public:
    enum Sort
    {
        SORT_WORD = 0,
        SORT_WORD_LENGTH = 1,
        SORT_KANA = 2,
        SORT_KANA_LENGTH = 3,
        SORT_COMMON = 4
    };
    enum Order
    {
        ORDER_ASCENDING = 0,
        ORDER_DESCENDING = 1
    };

    WordResult();
    ~WordResult();
    WordResult(const WordResult&) = delete;
    WordResult& operator=(const WordResult&) = delete;

    // Takes ownership of the entry and appends it, visible; a null entry is
    // refused with 1.
    int addEntry(WordEntry* entry);
    // Orders the rows by the sorter's columns; the cursor stays put.
    int sort();
    // Back to the default columns: reading, written form, common first.
    int resetSort();
    // The next visible entry, or null at the end (until resetNextEntry).
    // The result keeps ownership.
    WordEntry* getNextEntry();
    int resetNextEntry();
    int getEntryCount();
    // The visible entries in the current order; the result keeps ownership.
    std::vector<WordEntry*> getEntries();
    // Every character of the written forms of the visible entries.
    std::set<wchar_t> getCharacters();
    // Not implemented: logs and changes nothing.
    int filter(std::wstring text, WordDictionary::SearchOptions* options);
    int resetFilter();

    std::vector<EnhancedEntry*> entries;
    int entryIndex;
    WordResultSorter* sorter;
};

// Multi-column comparator for the rows of a WordResult; a small value type.
class WordResultSorter
{
public:
    WordResultSorter();
    WordResultSorter(const WordResultSorter& other);
    WordResultSorter& operator=(const WordResultSorter& other) = default;

    // The new column is less significant than those added before.
    int addColumn(WordResult::Sort column, WordResult::Order order);
    int clear();
    // True when a goes before b.
    bool operator()(EnhancedEntry* a, EnhancedEntry* b);

    std::vector<WordResult::Sort> columns;
    std::vector<WordResult::Order> columnOrder;
};

#endif
