// The ordered list of word dictionaries that a program loads and searches
// as one. It owns the dictionaries added to it; the parts-of-speech table
// and the fuzzy rules stay the creator's. Search results go to the caller.
#ifndef DEXARU_WORDDICTIONARYCOLLECTION_H
#define DEXARU_WORDDICTIONARYCOLLECTION_H

#include "WordDictionary.h"

#include <string>
#include <vector>

class FuzzySearch;
class PartsOfSpeech;
class WordResult;

class WordDictionaryCollection
{
public:
    WordDictionaryCollection();
    // Deletes every dictionary still in the list, the last added first.
    ~WordDictionaryCollection();
    WordDictionaryCollection(const WordDictionaryCollection&) = delete;
    WordDictionaryCollection& operator=(const WordDictionaryCollection&) = delete;

    // The table reaches each dictionary at its next load.
    int setPartsOfSpeech(PartsOfSpeech* table);
    int setFuzzySearch(FuzzySearch* rules);
    // Takes ownership of the dictionary and returns 0; a null pointer or a
    // dictionary already in the list is refused with 1.
    int addDictionary(WordDictionary* dictionary);
    // 0 when removed (the caller owns it again), 1 when not in the list.
    int removeDictionary(WordDictionary* dictionary);
    std::vector<std::string> getDictionaryNames();
    // The first dictionary with exactly that name, or null.
    WordDictionary* getDictionaryByName(std::string name);
    // Loads every dictionary not yet loaded; failed ones are retried next time.
    int load();
    // Searches every enabled, loaded dictionary for text (and its fuzzy
    // variants when asked) under the options' limit; returns a new, sorted
    // result that the caller deletes.
    WordResult* search(std::wstring text, WordDictionary::SearchOptions* options);

    std::vector<WordDictionary*> dictionaries;
    PartsOfSpeech* partsOfSpeech;
    FuzzySearch* fuzzySearch;
};

#endif
