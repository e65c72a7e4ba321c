// The abstract word dictionary: a named, loadable data file that answers
// word searches. search() returns a new vector of new entries that the
// caller owns; the parts-of-speech table is only borrowed.
#ifndef DEXARU_WORDDICTIONARY_H
#define DEXARU_WORDDICTIONARY_H

#include "Dictionary.h"
#include "Loadable.h"

#include <string>
#include <vector>

class PartsOfSpeech;
class WordEntry;

class WordDictionary : public Loadable, public Dictionary
{
public:
    // Search flags, combined by bitwise OR in SearchOptions::searchFlags.
    enum {
        SEARCH_NONE = 0,
        SEARCH_WORD = 1,
        SEARCH_KANA = 2,
        SEARCH_MEANING = 4,
        SEARCH_WILDCARD = 8,
        SEARCH_IGNORE_CASE = 16,
        SEARCH_FUZZY = 32
    };

    // What to search for and how to filter; copied by value where needed.
    // The defaults select nothing and filter nothing.
    class SearchOptions
    {
    public:
        SearchOptions();

        int searchFlags;
        int commonFilter;  // 0 all, 1 common only, 2 uncommon only
        int limit;         // negative: no limit
        std::vector<std::string> partsOfSpeech;
        bool matchAllPartsOfSpeech;
    };

    WordDictionary();

    int load() override = 0;
    ~WordDictionary() override;
    // Returns a new vector of new entries in file order; the caller owns
    // both. Null only when options is null.
    virtual std::vector<WordEntry*>* search(std::wstring text, SearchOptions* options) = 0;

    int setFilename(std::string newFilename);
    std::string getFilename();
    bool isEnabled();
    void enable();
    void disable();
    int setPartsOfSpeech(PartsOfSpeech* table);
    PartsOfSpeech* getPartsOfSpeech();
    int setEncoding(std::string newEncoding);
    std::string getEncoding();

    std::string filename;
    PartsOfSpeech* partsOfSpeech;  // not owned
    std::string internalEncoding;
    std::string encoding;
    bool enabled;

protected:
    WordDictionary(const WordDictionary&) = delete;
    WordDictionary& operator=(const WordDictionary&) = delete;
};

#endif
