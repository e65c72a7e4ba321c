/// @file
/// @class WordDictionaryCollection
/// The ordered list of word dictionaries that a program loads and searches
/// as one. It owns the dictionaries added to it; the parts-of-speech table
/// and the fuzzy rules stay the creator's. Search results go to the caller.
#ifndef DEXARU_WORDDICTIONARYCOLLECTION_H
#define DEXARU_WORDDICTIONARYCOLLECTION_H

#include "WordDictionary.h"

#include <string>
#include <vector>

class Deinflector;
class FuzzySearch;
class PartsOfSpeech;
class WordResult;

class WordDictionaryCollection
{
public:
    /// An empty collection without parts-of-speech table or fuzzy rules.
    WordDictionaryCollection();
    /// Deletes every dictionary still in the list, the last added first.
    ~WordDictionaryCollection();
    WordDictionaryCollection(const WordDictionaryCollection&) = delete;
    WordDictionaryCollection& operator=(const WordDictionaryCollection&) = delete;

    /// Borrows the table, which must outlive the collection; it reaches each
    /// dictionary at its next load. Returns 0.
    int setPartsOfSpeech(PartsOfSpeech* table);
    /// Borrows the rules that SEARCH_FUZZY uses, which must outlive the
    /// collection; null for none. Returns 0.
    int setFuzzySearch(FuzzySearch* rules);
    /// Borrows the deinflection engine, which must outlive the collection;
    /// null for none. While a loaded engine is set, SEARCH_FUZZY searches
    /// each of its candidates in place of the fuzzy rules' variants, keeps
    /// only the entries that fit a candidate (Deinflector::fits), lists an
    /// entry once however many candidates reach it, and records on each
    /// entry how it was found (WordEntry::deinflectedFrom). Returns 0.
    int setDeinflector(Deinflector* engine);
    /// Takes ownership of the dictionary and returns 0; a null pointer or a
    /// dictionary already in the list is refused with 1.
    int addDictionary(WordDictionary* dictionary);
    /// 0 when removed (the caller owns it again), 1 when not in the list.
    int removeDictionary(WordDictionary* dictionary);
    /// The display names of the dictionaries, in list order.
    std::vector<std::string> getDictionaryNames();
    /// The first dictionary with exactly that name, still owned by the
    /// collection, or null.
    WordDictionary* getDictionaryByName(std::string name);
    /// Loads every dictionary not yet loaded; failed ones are retried next
    /// time. Returns 0; each dictionary's Loadable::isLoaded tells its state.
    int load();
    /// Searches every enabled, loaded dictionary for text (and its fuzzy
    /// variants when asked) under the options' limit; returns a new, sorted
    /// result that the caller deletes. Never null: a null options gives an
    /// empty result and a level 3 message.
    WordResult* search(std::wstring text, WordDictionary::SearchOptions* options);

    /// Owned, in search order.
    std::vector<WordDictionary*> dictionaries;
    ///@{
    /// @brief Not owned; null until set.
    PartsOfSpeech* partsOfSpeech;
    FuzzySearch* fuzzySearch;
    Deinflector* deinflector;
    ///@}

private:
    // The search through the engine's candidates (the engine set and loaded).
    WordResult* searchDeinflected(const std::wstring& text, WordDictionary::SearchOptions* options);
};

#endif
