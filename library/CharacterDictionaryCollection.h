/// @file
/// @class CharacterDictionaryCollection
/// Owns the character dictionaries of a program, loads them, hands them the
/// shared radical table (not owned) and merges one kanji search over all of
/// them into a sorted CharacterResult that the caller owns.
#ifndef DEXARU_CHARACTERDICTIONARYCOLLECTION_H
#define DEXARU_CHARACTERDICTIONARYCOLLECTION_H

#include "CharacterDictionary.h"
#include "CharacterResult.h"

#include <set>
#include <string>
#include <vector>

class RadicalTable;

class CharacterDictionaryCollection
{
public:
    /// An empty collection without a radical table.
    CharacterDictionaryCollection();
    /// Deletes every dictionary added; the radical table stays the caller's.
    ~CharacterDictionaryCollection();
    CharacterDictionaryCollection(const CharacterDictionaryCollection&) = delete;
    CharacterDictionaryCollection& operator=(const CharacterDictionaryCollection&) = delete;

    /// Takes ownership and gives the dictionary the collection's radical
    /// table: 0. A null dictionary is ignored (0); one already added is
    /// refused with 1 and a level 3 message.
    int addDictionary(CharacterDictionary* dictionary);
    /// Borrows the table, which must outlive the collection, and hands it to
    /// every dictionary already added. Returns 0.
    int setRadicalTable(RadicalTable* table);
    /// The display names of the dictionaries, in the order they were added.
    std::vector<std::string> getDictionaryNames();
    /// Loads every dictionary not loaded yet; failed ones are retried next
    /// time. Returns 0; each dictionary's Loadable::isLoaded tells its state.
    int load();
    /// A new, sorted result owned by the caller; never null.
    CharacterResult* search(std::set<wchar_t> kanji);

    /// Owned, in the order they were added.
    std::vector<CharacterDictionary*> dictionaries;
    /// Not owned; null until set.
    RadicalTable* radicalTable;
};

#endif
