// Turns the UTF-8 search text of the command line into the wide text that is
// searched, logging each step at level 7.
#ifndef DEXARU2_SEARCHTEXT_H
#define DEXARU2_SEARCHTEXT_H

#include <string>

namespace dexaru2 {

// The wide form of a UTF-8 text; empty when the text is not UTF-8.
std::wstring toWide(const std::string& cliSearchText);

// The text as searched: with convertToKana, an all-romaji text whose every
// letter turns into kana becomes kana (capitals katakana); any other text,
// English among it, stays as typed. With learnerSpelling (the relevance
// order), romaji is read as learners write it: "Tokyo" capitalised as English
// writes it, not katakana; "Tōkyō" with Hepburn's long vowels.
std::wstring toSearchText(const std::wstring& wide, bool convertToKana, bool learnerSpelling);

}  // namespace dexaru2

#endif
