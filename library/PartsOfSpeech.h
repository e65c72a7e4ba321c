/// @file
/// @class PartsOfSpeech
/// The table of part-of-speech abbreviations ("n", "vs", "adj-na") and their
/// descriptions, read from "partsofspeech.drx". The program that creates the
/// table owns it; dictionaries and collections only keep a pointer to it.
#ifndef DEXARU_PARTSOFSPEECH_H
#define DEXARU_PARTSOFSPEECH_H

#include <string>
#include <vector>

/// One row of the table: a tag as written in dictionary entries and its text.
struct PartsOfSpeechEntry
{
    /// The tag as it appears between parentheses in an entry, such as "vs".
    std::string abbreviation;
    /// Its description for display, as the file gives it.
    std::string text;
};

class PartsOfSpeech
{
public:
    /// An empty table; search finds nothing until load().
    PartsOfSpeech();
    /// Frees the rows; dictionaries still pointing here must be gone.
    ~PartsOfSpeech();
    PartsOfSpeech(const PartsOfSpeech&) = delete;
    PartsOfSpeech& operator=(const PartsOfSpeech&) = delete;

    /// Reads `abbreviation<TAB>description` lines; "#" starts a comment.
    /// Returns 0 when the file was read, 1 when it is missing or empty.
    /// Each call starts from an empty table.
    int load(std::string filename);
    /// The description of the first row whose abbreviation equals the
    /// argument byte for byte; an empty string when none does.
    std::string search(std::string abbreviation);
    /// Every row's abbreviation in file order, duplicates included.
    std::vector<std::string> getAbbreviations();

    /// The file named at the last load(), even when it could not be read.
    std::string filename;
    ///@{
    /// @brief Owned array (new[]) with one slot per line of the file; the first
    /// entriesSize slots are filled, in file order. Null and 0 when empty.
    PartsOfSpeechEntry* entries;
    int entriesSize;
    ///@}
};

#endif
