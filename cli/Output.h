// The two blocks dexaru2 prints on standard output after a search, the kanji
// block and then the word block, as "text" or "xml"; any other format writes
// nothing. The printers only read the results; the caller keeps them.
#ifndef DEXARU2_OUTPUT_H
#define DEXARU2_OUTPUT_H

#include <string>
#include <vector>

class CharacterEntry;
class CharacterResult;
class WordResult;

namespace dexaru2 {

// Writes the word block in the result's current order. Returns 1 for a null
// result (writing nothing), otherwise 0.
int printResults(WordResult* wordResult, std::string format);
// The same, saying first which other spellings were searched: the text
// format in a line "also searched: とうきょう, とおきょう" below the heading,
// the XML format in one <alsosearched> element each before the entries.
int printResults(WordResult* wordResult, std::string format,
                 const std::vector<std::wstring>& alsoSearched);

// Writes the kanji block in the result's current order. Returns 0.
int printKanjiResults(CharacterResult* characterResult, std::string format);

// Writes one line of output and flushes it, so that a reader of a pipe sees
// every result line as soon as it is complete.
__attribute__((format(printf, 1, 2))) void printLine(const char* format, ...);

// The radicals of the entry without the code 0 that a radical line without
// its character leaves, which is no character and would print a NUL byte.
std::wstring printableRadicals(const CharacterEntry* entry);

// The items with the separator between them, as the inflection reasons print.
std::string joined(const std::vector<std::string>& items, const char* separator);

}  // namespace dexaru2

#endif
