/// @file
/// @class CharacterResult
/// The answer to one kanji search: owns its CharacterEntry objects, keeps a
/// visibility flag per row, one iteration cursor and a multi-column sorter.
/// Whoever receives a result owns it and deletes it with every entry in it.
#ifndef DEXARU_CHARACTERRESULT_H
#define DEXARU_CHARACTERRESULT_H

#include "CharacterDictionary.h"
#include "CharacterEntry.h"

#include <string>
#include <vector>

class CharacterResultSorter;

/// One row of a result; the result owns both the row and its entry.
class CharacterEnhancedEntry
{
public:
    /// Owned by the result that holds the row.
    CharacterEntry* entry = nullptr;
    /// Hidden rows are skipped by iteration, counting and getEntries.
    bool isVisible = false;
};

class CharacterResult
{
public:
    /// A sort column. Fixed underlying types: any int is a valid value, and
    /// a column the sorter does not know simply decides nothing.
    enum Sort : int
    {
        SORT_KANJI = 0,  ///< by code point
        SORT_STROKE_COUNT = 1,  ///< by CharacterEntry::strokeCount
        SORT_FREQUENCY = 2  ///< by CharacterEntry::frequency
    };

    /// The direction of one sort column.
    enum Order : int
    {
        ORDER_ASCENDING = 0,
        ORDER_DESCENDING = 1
    };

    /// An empty result with the default sort columns and the cursor before
    /// the first row.
    CharacterResult();
    /// Deletes every row and entry.
    ~CharacterResult();
    CharacterResult(const CharacterResult&) = delete;
    CharacterResult& operator=(const CharacterResult&) = delete;

    /// Takes ownership of the entry and appends it as a visible row; a null
    /// entry is ignored. Returns 0.
    int addEntry(CharacterEntry* entry);
    /// Orders the rows by the sorter's columns; returns 0.
    int sort();
    /// Back to stroke count, frequency, kanji; does not reorder.
    int resetSort();
    /// The next visible entry, still owned by the result; null at the end.
    CharacterEntry* getNextEntry();
    /// Puts the cursor back before the first row; returns 0.
    int resetNextEntry();
    /// The number of visible rows.
    int getEntryCount();
    /// The visible entries in the current order; the result keeps ownership.
    std::vector<CharacterEntry*> getEntries();
    ///@{
    /// @brief Not implemented: filter logs at level 3; both change nothing and
    /// return 0.
    int filter(std::wstring text, CharacterDictionary::SearchOptions* options);
    int resetFilter();
    ///@}

    /// Owned rows in the current order.
    std::vector<CharacterEnhancedEntry*> entries;
    /// Index of the row getNextEntry returned last; -1 before the first.
    int entryIndex;
    /// Owned; its columns decide sort().
    CharacterResultSorter* sorter;
};

/// Orders rows by a list of columns, most significant first.
class CharacterResultSorter
{
public:
    ///@{
    /// @brief A small value type; a new sorter has no columns and decides nothing.
    CharacterResultSorter();
    CharacterResultSorter(const CharacterResultSorter& other);
    CharacterResultSorter& operator=(const CharacterResultSorter& other) = default;
    ///@}

    /// Appends a column, less significant than those added before; returns 0.
    int addColumn(CharacterResult::Sort column, CharacterResult::Order order);
    /// Removes every column; returns 0.
    int clear();
    /// True when a goes before b.
    bool operator()(CharacterEnhancedEntry* a, CharacterEnhancedEntry* b) const;

    ///@{
    /// @brief Parallel lists: the i-th column is sorted in the i-th order.
    std::vector<CharacterResult::Sort> columns;
    std::vector<CharacterResult::Order> columnOrder;
    ///@}
};

#endif
