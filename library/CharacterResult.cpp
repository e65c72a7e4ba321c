#include "CharacterResult.h"

#include "Log.h"
#include "internal/VisibleRows.h"

#include <algorithm>

CharacterResult::CharacterResult() : entryIndex(-1), sorter(new CharacterResultSorter())
{
    resetNextEntry();
    resetSort();
}

CharacterResult::~CharacterResult()
{
    for (CharacterEnhancedEntry* row : entries) {
        delete row->entry;
        delete row;
    }
    delete sorter;
}

int CharacterResult::addEntry(CharacterEntry* entry)
{
    // A row without an entry would end every iteration early and break the
    // comparisons of sort(); there is nothing to show for it anyway.
    if (entry == nullptr)
        return 0;
    CharacterEnhancedEntry* row = new CharacterEnhancedEntry();
    row->entry = entry;
    row->isVisible = true;
    entries.push_back(row);
    return 0;
}

int CharacterResult::sort()
{
    std::sort(entries.begin(), entries.end(), CharacterResultSorter(*sorter));
    return 0;
}

int CharacterResult::resetSort()
{
    sorter->clear();
    sorter->addColumn(SORT_STROKE_COUNT, ORDER_ASCENDING);
    sorter->addColumn(SORT_FREQUENCY, ORDER_ASCENDING);
    sorter->addColumn(SORT_KANJI, ORDER_ASCENDING);
    return 0;
}

CharacterEntry* CharacterResult::getNextEntry()
{
    return internal::nextVisible(entries, entryIndex);
}

int CharacterResult::resetNextEntry()
{
    entryIndex = -1;
    return 0;
}

int CharacterResult::getEntryCount()
{
    return internal::countVisible(entries);
}

std::vector<CharacterEntry*> CharacterResult::getEntries()
{
    return internal::visibleEntries(entries);
}

int CharacterResult::filter(std::wstring, CharacterDictionary::SearchOptions*)
{
    Log::write(3, "%s: NOT IMPLEMENTED.", "filter");
    return 0;
}

int CharacterResult::resetFilter()
{
    return 0;
}

CharacterResultSorter::CharacterResultSorter() = default;

CharacterResultSorter::CharacterResultSorter(const CharacterResultSorter& other) = default;

int CharacterResultSorter::addColumn(CharacterResult::Sort column, CharacterResult::Order order)
{
    columns.push_back(column);
    columnOrder.push_back(order);
    return 0;
}

int CharacterResultSorter::clear()
{
    columns.clear();
    columnOrder.clear();
    return 0;
}

namespace {

// -1, 0 or 1 as a's key of the column is below, equal to or above b's;
// 0 also for a column the sorter does not know.
int compareColumn(CharacterResult::Sort column, const CharacterEntry& a, const CharacterEntry& b)
{
    switch (column) {
    case CharacterResult::SORT_KANJI: return (a.kanji > b.kanji) - (a.kanji < b.kanji);
    case CharacterResult::SORT_STROKE_COUNT:
        return (a.strokeCount > b.strokeCount) - (a.strokeCount < b.strokeCount);
    case CharacterResult::SORT_FREQUENCY:
        return (a.frequency > b.frequency) - (a.frequency < b.frequency);
    }
    return 0;
}

}  // namespace

bool CharacterResultSorter::operator()(CharacterEnhancedEntry* a, CharacterEnhancedEntry* b) const
{
    for (size_t i = 0; i < columns.size(); ++i) {
        int difference = compareColumn(columns[i], *a->entry, *b->entry);
        if (difference == 0)
            continue;
        bool before = difference < 0;
        bool descending = i < columnOrder.size()
                          && columnOrder[i] == CharacterResult::ORDER_DESCENDING;
        return descending ? !before : before;
    }
    return false;
}
