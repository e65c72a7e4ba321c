// The walk over the visible rows of a result that WordResult and
// CharacterResult share. A row is any type with `entry` and `isVisible`;
// the entries handed out stay owned by their rows.
#ifndef DEXARU_INTERNAL_VISIBLEROWS_H
#define DEXARU_INTERNAL_VISIBLEROWS_H

#include <vector>

namespace internal {

// Calls visit(entry) for the entry of every visible row, in row order.
template <typename Row, typename Visit>
void forEachVisible(const std::vector<Row*>& rows, Visit visit)
{
    for (Row* row : rows) {
        if (row->isVisible) {
            visit(row->entry);
        }
    }
}

// The entry of the next visible row after `cursor` (which moves there), or
// null with the cursor past the end.
template <typename Row>
auto nextVisible(const std::vector<Row*>& rows, int& cursor) -> decltype(rows[0]->entry)
{
    const int size = static_cast<int>(rows.size());
    while (cursor < size) {
        ++cursor;
        if (cursor < size && rows[cursor]->isVisible) {
            return rows[cursor]->entry;
        }
    }
    return nullptr;
}

template <typename Row> int countVisible(const std::vector<Row*>& rows)
{
    int count = 0;
    forEachVisible(rows, [&count](const auto*) { ++count; });
    return count;
}

template <typename Row>
auto visibleEntries(const std::vector<Row*>& rows) -> std::vector<decltype(rows[0]->entry)>
{
    std::vector<decltype(rows[0]->entry)> visible;
    forEachVisible(rows, [&visible](auto* entry) { visible.push_back(entry); });
    return visible;
}

}  // namespace internal

#endif
