#include "internal/HeadwordTable.h"

#include "Edict.h"

#include <algorithm>
#include <cwchar>

namespace internal {

namespace {

const uint32_t HASH_START = 2166136261u;
// Bits of the prefix filter: one megabyte.
const std::size_t PREFIX_BITS = std::size_t(1) << 23;

// FNV-1a, one character at a time.
uint32_t hashStep(uint32_t hash, wchar_t character)
{
    return (hash ^ static_cast<uint32_t>(character)) * 16777619u;
}

// Mixes the hash so that the low bits the tables use depend on every bit
// of every character.
uint32_t finished(uint32_t hash)
{
    hash ^= hash >> 16;
    hash *= 0x85EBCA6Bu;
    hash ^= hash >> 13;
    hash *= 0xC2B2AE35u;
    hash ^= hash >> 16;
    return hash;
}

uint32_t hashOf(const wchar_t* text, std::size_t length)
{
    uint32_t hash = HASH_START;
    for (std::size_t i = 0; i < length; ++i) {
        hash = hashStep(hash, text[i]);
    }
    return finished(hash);
}

// A reading that is not the headword again, which the table holds once.
bool hasOwnReading(const IndexEntry& entry)
{
    return entry.kana != nullptr
           && (entry.word == nullptr || std::wcscmp(entry.kana, entry.word) != 0);
}

bool equals(const wchar_t* key, const wchar_t* text, std::size_t length)
{
    if (key == nullptr) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (key[i] != text[i]) {  // also stops at the key's terminating zero
            return false;
        }
    }
    return key[length] == 0;
}

}  // namespace

HeadwordTable::HeadwordTable(const Edict& edict)
    : entries(edict.indexEntries), entryCount(edict.indexEntriesSize)
{
    // Room for every word and reading, the table at most half full.
    std::size_t keys = 0;
    for (int record = 0; record < entryCount; ++record) {
        const IndexEntry& entry = entries[record];
        keys += (entry.word != nullptr ? 1 : 0) + (hasOwnReading(entry) ? 1 : 0);
    }
    std::size_t capacity = 16;
    while (capacity < keys * 2) {
        capacity *= 2;
    }
    slots.assign(capacity, 0);
    mask = capacity - 1;
    prefixBits.assign(PREFIX_BITS / 64, 0);
    for (int record = 0; record < entryCount; ++record) {
        const IndexEntry& entry = entries[record];
        insert(entry.word, record);
        if (hasOwnReading(entry)) {
            insert(entry.kana, record);
        }
    }
}

bool HeadwordTable::isFor(const Edict& edict) const
{
    return edict.indexEntries == entries && edict.indexEntriesSize == entryCount;
}

// One pass over the key marks each of its beginnings and finds its slot.
void HeadwordTable::insert(const wchar_t* key, int record)
{
    if (key == nullptr) {
        return;
    }
    uint32_t hash = HASH_START;
    std::size_t length = 0;
    for (; key[length] != 0; ++length) {
        hash = hashStep(hash, key[length]);
        const uint32_t bit = finished(hash) & (PREFIX_BITS - 1);
        prefixBits[bit / 64] |= uint64_t(1) << (bit % 64);
    }
    longest = std::max(longest, length);
    std::size_t slot = finished(hash) & mask;
    while (slots[slot] != 0) {
        slot = (slot + 1) & mask;
    }
    slots[slot] = static_cast<uint32_t>(record) + 1;
}

std::size_t HeadwordTable::possiblePrefix(const wchar_t* text, std::size_t length) const
{
    uint32_t hash = HASH_START;
    for (std::size_t i = 0; i < length; ++i) {
        hash = hashStep(hash, text[i]);
        const uint32_t bit = finished(hash) & (PREFIX_BITS - 1);
        if ((prefixBits[bit / 64] & (uint64_t(1) << (bit % 64))) == 0) {
            return i;
        }
    }
    return length;
}

void HeadwordTable::find(const wchar_t* text, std::size_t length, std::vector<int>* records) const
{
    records->clear();
    if (length == 0 || possiblePrefix(text, length) < length) {
        return;
    }
    for (std::size_t slot = hashOf(text, length) & mask; slots[slot] != 0;
         slot = (slot + 1) & mask) {
        const int record = static_cast<int>(slots[slot] - 1);
        const IndexEntry& entry = entries[record];
        if (equals(entry.word, text, length) || equals(entry.kana, text, length)) {
            records->push_back(record);
        }
    }
    std::sort(records->begin(), records->end());
    records->erase(std::unique(records->begin(), records->end()), records->end());
}

}  // namespace internal
