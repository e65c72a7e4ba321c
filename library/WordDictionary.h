/// @file
/// @class WordDictionary
/// The abstract word dictionary: a named, loadable data file that answers
/// word searches. search() returns a new vector of new entries that the
/// caller owns; the parts-of-speech table is only borrowed.
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
    /// Search flags, combined by bitwise OR in SearchOptions::searchFlags.
    enum
    {
        SEARCH_NONE = 0,  ///< match nothing
        SEARCH_WORD = 1,  ///< the written form (headword)
        SEARCH_KANA = 2,  ///< the reading
        SEARCH_MEANING = 4,  ///< the English glosses
        SEARCH_WILDCARD = 8,  ///< '?' and '*' in the text are wildcards
        SEARCH_IGNORE_CASE = 16,  ///< ignore letter case and kana script
        SEARCH_FUZZY = 32  ///< also search the FuzzySearch variants
    };

    /// What to search for and how to filter; copied by value where needed.
    /// The defaults select nothing and filter nothing.
    class SearchOptions
    {
    public:
        /// SEARCH_NONE, no filter, no limit.
        SearchOptions();

        /// The SEARCH_ flags, ORed together.
        int searchFlags;
        int commonFilter;  ///< 0 all, 1 common only, 2 uncommon only
        int limit;  ///< most entries in a collection's result; negative: no limit
        /// Part-of-speech abbreviations to keep; empty keeps every entry.
        std::vector<std::string> partsOfSpeech;
        /// True: an entry must carry every listed tag; false: any one of them.
        bool matchAllPartsOfSpeech;
    };

    /// Enabled, with no file, no encoding and no parts-of-speech table.
    WordDictionary();

    /// Reads the file named by filename: 0 when loaded, nonzero otherwise.
    int load() override = 0;
    /// Virtual: the collection deletes its dictionaries through this type.
    /// The parts-of-speech table is left alone.
    ~WordDictionary() override;
    /// Returns a new vector of new entries in file order; the caller owns
    /// both. Null only when options is null.
    virtual std::vector<WordEntry*>* search(std::wstring text, SearchOptions* options) = 0;

    ///@{
    /// @brief The path of the data file, read at the next load(); setting returns 0.
    int setFilename(std::string newFilename);
    std::string getFilename();
    ///@}
    ///@{
    /// @brief Whether a collection searches this dictionary; new ones are enabled.
    bool isEnabled();
    void enable();
    void disable();
    ///@}
    ///@{
    /// @brief The borrowed table that names the tags of found entries, or null;
    /// it must outlive the dictionary. Setting returns 0.
    int setPartsOfSpeech(PartsOfSpeech* table);
    PartsOfSpeech* getPartsOfSpeech();
    ///@}
    ///@{
    /// @brief The iconv name of the file's encoding ("euc-jp" for Edict); set it
    /// before load(). Setting returns 0.
    int setEncoding(std::string newEncoding);
    std::string getEncoding();
    ///@}

    /// The path of the data file.
    std::string filename;
    PartsOfSpeech* partsOfSpeech;  ///< not owned
    /// The iconv name of the in-memory text form, "WCHAR_T".
    std::string internalEncoding;
    /// The iconv name of the file's encoding.
    std::string encoding;
    /// Whether a collection searches this dictionary.
    bool enabled;

protected:
    WordDictionary(const WordDictionary&) = delete;
    WordDictionary& operator=(const WordDictionary&) = delete;
};

#endif
