/// @file
/// @class WordEntry
/// One entry of a word search: headword, reading, glosses and the
/// part-of-speech tags recognised in them. An entry owns its meanings array
/// and every EntryInfo in info; whoever holds the entry deletes it.
#ifndef DEXARU_WORDENTRY_H
#define DEXARU_WORDENTRY_H

#include <string>
#include <vector>

/// One recognised part-of-speech tag of an entry.
class EntryInfo
{
public:
    std::string abbreviation;  ///< as written in the dictionary line
    std::string text;  ///< its description from the parts-of-speech table
};

class WordEntry
{
public:
    /// An empty entry: no meanings, not common.
    WordEntry();
    /// Frees the meanings array and every EntryInfo.
    ~WordEntry();

    WordEntry(const WordEntry&) = delete;
    WordEntry& operator=(const WordEntry&) = delete;

    ///@{
    /// @brief Set by the collection that ran the search: the dictionary's display
    /// name and its position in the collection.
    std::string dictionaryName;
    int dictionaryIndex;
    ///@}
    /// The headword as written (kanji, kana or both).
    std::wstring word;
    /// The reading in kana; the headword again when the line gives none.
    std::wstring kana;
    /// The reading in romaji, ASCII (see Kana::kanaStringToRomaji).
    std::string kanaRomaji;
    ///@{
    /// @brief Array allocated with new[], meaningsSize strings long; the bytes of
    /// the dictionary file, unconverted, with the "(P)" marker taken out.
    std::string* meanings;
    int meaningsSize;
    ///@}
    /// Owned; the tags the parts-of-speech table knows, in line order.
    std::vector<EntryInfo*> info;
    /// True when a meaning was the "(P)" marker of common words.
    bool isCommon;

    ///@{
    /// @brief How a collection search with a Deinflector found the entry:
    /// through the engine, deinflectedFrom holds the text as typed and
    /// deinflectionReasons what was peeled off it, read from the dictionary
    /// form outwards ("causative", "passive", "negative", "past"); both are
    /// empty for an entry found as typed (and for every entry of a search
    /// without the engine).
    std::wstring deinflectedFrom;
    std::vector<std::string> deinflectionReasons;
    /// The number of rules the engine took, those without a reason
    /// included (0 for an entry found as typed).
    int deinflectionRules = 0;
    ///@}
    /// True when the entry was found through the deinflection engine.
    bool isDeinflected() const { return !deinflectedFrom.empty(); }
};

#endif
