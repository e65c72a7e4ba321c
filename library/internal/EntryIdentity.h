// The identity of a word entry as the line of a dictionary it was read from:
// the dictionary (its position and name), the headword, the reading and the
// glosses. Two rows of a result with the same identity are one entry reached
// on two paths (as typed and through a dictionary form, or through two
// spellings). The hash lets a set of entries find such rows in linear time.
// Internal to the library.
#ifndef DEXARU_INTERNAL_ENTRYIDENTITY_H
#define DEXARU_INTERNAL_ENTRYIDENTITY_H

#include "WordEntry.h"

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_set>

namespace internal {

struct SameEntry
{
    bool operator()(const WordEntry* a, const WordEntry* b) const
    {
        if (a->dictionaryIndex != b->dictionaryIndex || a->dictionaryName != b->dictionaryName
            || a->word != b->word || a->kana != b->kana || a->meaningsSize != b->meaningsSize) {
            return false;
        }
        for (int m = 0; m < a->meaningsSize; ++m) {
            if (a->meanings[m] != b->meanings[m]) {
                return false;
            }
        }
        return true;
    }
};

// Hashes every field that SameEntry compares, so that equal entries hash
// alike and entries of one headword with different glosses spread apart.
struct EntryHash
{
    std::size_t operator()(const WordEntry* entry) const
    {
        std::size_t hash = std::hash<int>()(entry->dictionaryIndex);
        const auto mix = [&hash](std::size_t value) {
            hash ^= value + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
        };
        mix(std::hash<std::string>()(entry->dictionaryName));
        mix(std::hash<std::wstring>()(entry->word));
        mix(std::hash<std::wstring>()(entry->kana));
        for (int m = 0; m < entry->meaningsSize; ++m) {
            mix(std::hash<std::string>()(entry->meanings[m]));
        }
        return hash;
    }
};

// Entries by identity; holds pointers only, the entries stay their owners'.
using EntrySet = std::unordered_set<const WordEntry*, EntryHash, SameEntry>;

}  // namespace internal

#endif
