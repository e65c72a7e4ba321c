// One entry of a word search: headword, reading, glosses and the
// part-of-speech tags recognised in them. An entry owns its meanings array
// and every EntryInfo in info; whoever holds the entry deletes it.
#ifndef DEXARU_WORDENTRY_H
#define DEXARU_WORDENTRY_H

#include <string>
#include <vector>

// One recognised part-of-speech tag of an entry.
class EntryInfo
{
public:
    std::string abbreviation;  // as written in the dictionary line
    std::string text;          // its description from the parts-of-speech table
};

class WordEntry
{
public:
    WordEntry();
    ~WordEntry();

    WordEntry(const WordEntry&) = delete;
    WordEntry& operator=(const WordEntry&) = delete;

    std::string dictionaryName;
    int dictionaryIndex;
    std::wstring word;
    std::wstring kana;
    std::string kanaRomaji;
    // Array allocated with new[], meaningsSize strings long; the bytes of
    // the dictionary file, unconverted.
    std::string* meanings;
    int meaningsSize;
    std::vector<EntryInfo*> info;
    bool isCommon;
};

#endif
