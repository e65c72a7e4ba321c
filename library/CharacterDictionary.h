/// @file
/// @class CharacterDictionary
/// The abstract character dictionary: a named, loadable source of kanji
/// information. getInformation and search hand new objects to the caller;
/// the radical table is shared and never owned.
#ifndef DEXARU_CHARACTERDICTIONARY_H
#define DEXARU_CHARACTERDICTIONARY_H

#include "CharacterEntry.h"
#include "Dictionary.h"
#include "Loadable.h"

#include <set>
#include <string>
#include <vector>

class RadicalTable;

class CharacterDictionary : public Loadable, public Dictionary
{
public:
    /// Argument type of CharacterResult::filter; nothing reads it yet.
    class SearchOptions
    {
    public:
        /// Placeholder so the type is not empty; ignored.
        bool unused = false;
    };

    /// An unnamed dictionary with no file and no radical table.
    CharacterDictionary();

    /// Reads the file named by filename: 0 when loaded, nonzero otherwise.
    int load() override = 0;
    /// Closes whatever the dictionary holds; the radical table is left alone.
    virtual ~CharacterDictionary();
    /// A new entry owned by the caller, or null when the kanji is unknown.
    virtual CharacterEntry* getInformation(wchar_t kanji) = 0;
    /// A new vector, owned with its entries by the caller: one entry for each
    /// kanji of the set that the dictionary knows; null on a failure of the
    /// dictionary itself.
    virtual std::vector<CharacterEntry*>* search(std::set<wchar_t> kanji) = 0;

    ///@{
    /// @brief The path of the data file, read at the next load(); setting returns 0.
    int setFilename(std::string newFilename);
    std::string getFilename();
    ///@}
    /// Borrows the table that fills CharacterEntry::radicals; null for none.
    /// Returns 0.
    int setRadicalTable(RadicalTable* table);

    /// The path of the data file, in the file system's encoding.
    std::string filename;
    /// Not owned; null until set.
    RadicalTable* radicalTable;

protected:
    CharacterDictionary(const CharacterDictionary&) = delete;
    CharacterDictionary& operator=(const CharacterDictionary&) = delete;
};

#endif
