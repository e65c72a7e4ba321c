// Everything one run of dexaru2 builds from its data files: the
// parts-of-speech table, the fuzzy rules, the three EDICT dictionaries, the
// KANJIDIC dictionary and the radical tables. Data paths are relative to the
// working directory. Lookup owns all of it and deletes it with itself.
#ifndef DEXARU2_LOOKUP_H
#define DEXARU2_LOOKUP_H

#include "Options.h"

#include <string>
#include <vector>

class CharacterDictionaryCollection;
class Deinflector;
class FuzzySearch;
class PartsOfSpeech;
class RadicalTable;
class WordDictionaryCollection;
class WordResult;

namespace dexaru2 {

class Lookup
{
public:
    // Loads every data file; a missing one is logged and left empty.
    Lookup();
    // The same, with the deinflection engine for fuzzy searches when the
    // order is by relevance; the study and read commands load no kanji side,
    // the handwriting command no word side.
    explicit Lookup(const Options& options);
    // Tables first, collections last, as the collections expect.
    ~Lookup();

    Lookup(const Lookup&) = delete;
    Lookup& operator=(const Lookup&) = delete;

    void listDictionaries();
    void listPartsOfSpeech();
    // Searches the text of the options and prints the kanji block, then the
    // word block.
    void search(const Options& options);
    // Searches the text of the options in the word dictionaries, in the
    // order the options ask for (TypedSearch); the long-vowel spellings that
    // found words go to alsoSearched when given. The caller deletes the
    // result.
    WordResult* findWords(const Options& options,
                          std::vector<std::wstring>* alsoSearched = nullptr);
    WordDictionaryCollection* getWordCollection() const { return wordCollection; }
    // Splits the text of the options into its words and prints them; returns
    // the status of readText.
    int read(const Options& options);
    // Recognises the drawn characters of the options and prints their
    // candidates; returns the status of recognizeHandwriting.
    int handwriting(const Options& options);

private:
    void setUpWordSide();
    void addEdict(const char* name, const char* filename);
    void setUpKanjiSide();

    PartsOfSpeech* partsOfSpeech = nullptr;
    FuzzySearch* fuzzySearch = nullptr;
    Deinflector* deinflector = nullptr;
    WordDictionaryCollection* wordCollection = nullptr;
    CharacterDictionaryCollection* kanjidicCollection = nullptr;
    RadicalTable* radicalTable = nullptr;
};

// Runs the command of parsed options on standard output and returns the exit
// status: 0, or 2 when the output could not be written.
int run(const Options& options);

}  // namespace dexaru2

#endif
