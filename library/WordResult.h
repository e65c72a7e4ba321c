/// @file
/// @class WordResult
/// The answer to one word search: the entries found, in one sortable list
/// with a visibility flag per row and one iteration cursor. The caller of
/// the search owns the result; the result owns every WordEntry in it.
#ifndef DEXARU_WORDRESULT_H
#define DEXARU_WORDRESULT_H

#include "WordDictionary.h"

#include <set>
#include <string>
#include <vector>

class WordEntry;
class WordResultSorter;

/// One row of a result; owns its entry.
class EnhancedEntry
{
public:
    /// A visible row without an entry.
    EnhancedEntry();
    /// Deletes the entry.
    ~EnhancedEntry();
    EnhancedEntry(const EnhancedEntry&) = delete;
    EnhancedEntry& operator=(const EnhancedEntry&) = delete;

    /// Owned by the row.
    WordEntry* entry;
    /// Hidden rows are skipped by iteration, counting and getEntries.
    bool isVisible;
};

class WordResult
{
public:
    /// A sort column.
    enum Sort
    {
        SORT_WORD = 0,  ///< the written form, by code point
        SORT_WORD_LENGTH = 1,  ///< the written form's length
        SORT_KANA = 2,  ///< the reading, by code point
        SORT_KANA_LENGTH = 3,  ///< the reading's length
        SORT_COMMON = 4  ///< uncommon before common when ascending
    };
    /// The direction of one sort column.
    enum Order
    {
        ORDER_ASCENDING = 0,
        ORDER_DESCENDING = 1
    };

    /// An empty result with the default sort columns and the cursor before
    /// the first row.
    WordResult();
    /// Deletes every row with its entry.
    ~WordResult();
    WordResult(const WordResult&) = delete;
    WordResult& operator=(const WordResult&) = delete;

    /// Takes ownership of the entry and appends it, visible; a null entry is
    /// refused with 1.
    int addEntry(WordEntry* entry);
    /// Orders the rows by the sorter's columns; the cursor stays put.
    int sort();
    /// Back to the default columns: reading, written form, common first.
    int resetSort();
    /// Orders the rows by relevance, leaving the sorter's columns alone, in
    /// groups: common entries found as typed; common entries found through
    /// deinflection; common kanji words found as typed by their reading alone
    /// when the text is kana that a common word usually written in kana
    /// explains (市内 after する for しない); uncommon entries as typed;
    /// uncommon ones deinflected. Within a group: fewer reasons first, the
    /// ずる or one-kanji する verb before its twin with the same forms,
    /// headwords with fewer kanji outside everyday writing (the kanji for
    /// general use) first, headwords whose kanji are learnt in earlier school
    /// years first (words usually written in kana count as without kanji;
    /// for the everyday spelling only loanwords usually written in katakana
    /// do, 珈琲 being コーヒー),
    /// more senses and more glosses first (the more basic word), fewer
    /// deinflection rules, then the sorter's order. A row holding the same
    /// entry as a row before it (the same line of the same dictionary reached
    /// on a second path) is hidden. The cursor stays put. Returns 0.
    int sortByRelevance();
    /// Keeps the first count visible rows in the current order and deletes
    /// every other row, hidden ones included; a negative count keeps them
    /// all. The cursor goes back before the first row. Returns 0.
    int keepFirst(int count);
    /// The next visible entry, or null at the end (until resetNextEntry).
    /// The result keeps ownership.
    WordEntry* getNextEntry();
    /// Puts the cursor back before the first row; returns 0.
    int resetNextEntry();
    /// The number of visible rows.
    int getEntryCount();
    /// The visible entries in the current order; the result keeps ownership.
    std::vector<WordEntry*> getEntries();
    /// Every character of the written forms of the visible entries.
    std::set<wchar_t> getCharacters();
    ///@{
    /// @brief Not implemented: filter logs at level 3; both change nothing and
    /// return 0.
    int filter(std::wstring text, WordDictionary::SearchOptions* options);
    int resetFilter();
    ///@}

    /// Owned rows in the current order.
    std::vector<EnhancedEntry*> entries;
    /// Index of the row getNextEntry returned last; -1 before the first.
    int entryIndex;
    /// Owned; its columns decide sort().
    WordResultSorter* sorter;
};

/// Multi-column comparator for the rows of a WordResult; a small value type.
class WordResultSorter
{
public:
    ///@{
    /// @brief A new sorter has no columns and decides nothing; copies are independent.
    WordResultSorter();
    WordResultSorter(const WordResultSorter& other);
    WordResultSorter& operator=(const WordResultSorter& other) = default;
    ///@}

    /// The new column is less significant than those added before; returns 0.
    int addColumn(WordResult::Sort column, WordResult::Order order);
    /// Removes every column; returns 0.
    int clear();
    /// True when a goes before b; neither row may be null or without entry.
    bool operator()(EnhancedEntry* a, EnhancedEntry* b);

    ///@{
    /// @brief Parallel lists: the i-th column is sorted in the i-th order.
    std::vector<WordResult::Sort> columns;
    std::vector<WordResult::Order> columnOrder;
    ///@}
};

#endif
