// Owns the character dictionaries of a program, loads them, hands them the
// shared radical table (not owned) and merges one kanji search over all of
// them into a sorted CharacterResult that the caller owns.
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
    CharacterDictionaryCollection();
    ~CharacterDictionaryCollection();
    CharacterDictionaryCollection(const CharacterDictionaryCollection&) = delete;
    CharacterDictionaryCollection& operator=(const CharacterDictionaryCollection&) = delete;

    // Takes ownership and gives the dictionary the collection's radical
    // table: 0. A null dictionary is ignored (0); one already added is
    // refused with 1 and a level 3 message.
    int addDictionary(CharacterDictionary* dictionary);
    int setRadicalTable(RadicalTable* table);
    std::vector<std::string> getDictionaryNames();
    // Loads every dictionary not loaded yet; failed ones are retried next time.
    int load();
    // A new, sorted result owned by the caller; never null.
    CharacterResult* search(std::set<wchar_t> kanji);

    std::vector<CharacterDictionary*> dictionaries;
    RadicalTable* radicalTable;
};

#endif
