// Exact lookups of headwords and readings in the in-memory index of one
// EDICT dictionary, for the text reader, which asks for many substrings of
// a sentence. The table holds only record numbers (a hash table of 32-bit
// slots, at most half full) and a bit per hash of every beginning of a
// headword or reading (one megabyte), which answers most lookups of text
// that begins no word without touching the index. The words and readings
// it compares stay in the dictionary's index, which must outlive the table
// and not be reloaded while the table is in use (isFor tells).
#ifndef DEXARU_INTERNAL_HEADWORDTABLE_H
#define DEXARU_INTERNAL_HEADWORDTABLE_H

#include <cstddef>
#include <cstdint>
#include <vector>

class Edict;
struct IndexEntry;

namespace internal {

class HeadwordTable
{
public:
    // Indexes every record of the dictionary's current index.
    explicit HeadwordTable(const Edict& edict);

    // True while the dictionary still holds the index the table was built on.
    bool isFor(const Edict& edict) const;

    // The records whose headword or reading is exactly the `length`
    // characters at `text`, in file order, each once.
    void find(const wchar_t* text, std::size_t length, std::vector<int>* records) const;

    // How many of the first `length` characters at `text` may begin a
    // headword or reading: beyond it none does (below it one may not).
    std::size_t possiblePrefix(const wchar_t* text, std::size_t length) const;

    // The length of the longest headword or reading, in characters.
    std::size_t longestKey() const { return longest; }

private:
    void insert(const wchar_t* key, int record);

    const IndexEntry* entries;
    int entryCount;
    // 0 for an empty slot, else the record number plus one.
    std::vector<uint32_t> slots;
    // One bit per hash of a beginning of a key.
    std::vector<uint64_t> prefixBits;
    std::size_t mask = 0;
    std::size_t longest = 0;
};

}  // namespace internal

#endif
