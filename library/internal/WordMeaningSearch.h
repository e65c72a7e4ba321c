// The search of the meanings for an English word as typed: the entries of
// a collection with the text as a whole word in a gloss ("tone" in "tone of
// voice", never in "stone"), letter case ignored, found as a meaning search
// of the collection finds them (a case-kept occurrence somewhere in the
// meanings, the options' filters applied, each entry named after its
// dictionary). An EDICT file is read in one pass and only the lines with
// the text as a word are parsed: a text of one or two letters, somewhere in
// nearly every line, costs one scan of the file, not a parse of each line.
//
// When the result will be ranked and cut to a limit, the lines certain to
// rank before every other are read first: common words, those with a gloss
// that is the text, those whose headword or reading is the kana searched.
// If at least `limit` of them pass the filters, the others are never read:
// not one of them could be among the first `limit` rows ("a" or "to" have
// thousands of common words among their tens of thousands of lines).
// Internal to the library.
#ifndef DEXARU_INTERNAL_WORDMEANINGSEARCH_H
#define DEXARU_INTERNAL_WORDMEANINGSEARCH_H

#include "../WordDictionary.h"

#include <string>

class WordDictionaryCollection;
class WordResult;

namespace internal {

struct WordMeaningQuery
{
    std::wstring typed;  // as typed, ASCII
    std::wstring kana;  // the kana searched for the same text (may equal typed)
    // Ranked: the limit cuts after the ranking (the bound above applies);
    // otherwise it keeps the first rows in dictionary and file order.
    bool ranked = false;
    // False: every line with the text somewhere in its meanings, as the
    // meaning search of a collection finds them, under the same bound.
    bool wholeWord = true;
};

// A new result (the caller owns it), unsorted, in dictionary and file order.
WordResult* searchWordInMeanings(WordDictionaryCollection& collection, const WordMeaningQuery& query,
                                 const WordDictionary::SearchOptions& options);

}  // namespace internal

#endif
