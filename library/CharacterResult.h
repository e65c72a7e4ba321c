// The answer to one kanji search: owns its CharacterEntry objects, keeps a
// visibility flag per row, one iteration cursor and a multi-column sorter.
// Whoever receives a result owns it and deletes it with every entry in it.
#ifndef DEXARU_CHARACTERRESULT_H
#define DEXARU_CHARACTERRESULT_H

#include "CharacterDictionary.h"
#include "CharacterEntry.h"

#include <string>
#include <vector>

class CharacterResultSorter;

// One row of a result; the result owns both the row and its entry.
class CharacterEnhancedEntry
{
public:
    CharacterEntry* entry = nullptr;
    bool isVisible = false;
};

class CharacterResult
{
public:
    // Fixed underlying types: any int is a valid value, and a column the
    // sorter does not know simply decides nothing.
    enum Sort : int
    {
        SORT_KANJI = 0,
        SORT_STROKE_COUNT = 1,
        SORT_FREQUENCY = 2
    };

    enum Order : int
    {
        ORDER_ASCENDING = 0,
        ORDER_DESCENDING = 1
    };

    CharacterResult();
    ~CharacterResult();
    CharacterResult(const CharacterResult&) = delete;
    CharacterResult& operator=(const CharacterResult&) = delete;

    // Takes ownership of the entry.
    int addEntry(CharacterEntry* entry);
    int sort();
    // Back to stroke count, frequency, kanji; does not reorder.
    int resetSort();
    // The next visible entry, still owned by the result; null at the end.
    CharacterEntry* getNextEntry();
    int resetNextEntry();
    int getEntryCount();
    // The visible entries in the current order; the result keeps ownership.
    std::vector<CharacterEntry*> getEntries();
    int filter(std::wstring text, CharacterDictionary::SearchOptions* options);
    int resetFilter();

    std::vector<CharacterEnhancedEntry*> entries;
    int entryIndex;
    CharacterResultSorter* sorter;
};

// Orders rows by a list of columns, most significant first.
class CharacterResultSorter
{
public:
    CharacterResultSorter();
    CharacterResultSorter(const CharacterResultSorter& other);
    CharacterResultSorter& operator=(const CharacterResultSorter& other) = default;

    int addColumn(CharacterResult::Sort column, CharacterResult::Order order);
    int clear();
    // True when a goes before b.
    bool operator()(CharacterEnhancedEntry* a, CharacterEnhancedEntry* b) const;

    std::vector<CharacterResult::Sort> columns;
    std::vector<CharacterResult::Order> columnOrder;
};

#endif
