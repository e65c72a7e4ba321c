/// @file
/// @class TextReader
/// Splits Japanese text into its words, as a learner reads a sentence: from
/// left to right, at each position the longest run that is a headword or
/// reading of an enabled, loaded dictionary of the collection, or an
/// inflected form that the deinflector takes back to one whose parts of
/// speech fit. Runs no dictionary knows become tokens of their own (one
/// character, or a whole run of katakana, Latin letters or digits); spaces
/// and punctuation are tokens too. The tokens give back the text exactly.
///
/// The reader borrows the collection and the deinflector, which must
/// outlive it. It keeps, per EDICT dictionary, a table of record numbers
/// over the dictionary's own index (never a copy of its words), rebuilt
/// when the dictionary is reloaded, and the entries it read, which tokens
/// share. One thread at a time: reading moves the dictionaries' files.
#ifndef DEXARU_TEXTREADER_H
#define DEXARU_TEXTREADER_H

#include "TextToken.h"

#include <memory>
#include <string>
#include <vector>

class Deinflector;
class WordDictionaryCollection;
namespace internal {
class DictionaryLookup;
}

class TextReader
{
public:
    /// Borrows both; a null deinflector finds words only as written.
    explicit TextReader(WordDictionaryCollection* collection,
                        const Deinflector* deinflector = nullptr);
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    /// The tokens of the text, in order; none for an empty text. A null
    /// collection gives only unknown runs, punctuation and spaces.
    std::vector<TextToken> read(const std::wstring& text);

    /// The surfaces of the tokens one after another: the text read.
    static std::wstring joined(const std::vector<TextToken>& tokens);

private:
    class Match;
    class Stretch;
    // The best reading of each length as a dictionary word starting at
    // `start` and ending by `end`, longest first.
    std::vector<Match> matchesAt(const std::wstring& text, std::size_t start, std::size_t end);
    // The word to take at `start`: the longest, unless a shorter one lets the
    // next words cover more, or as much in words more plausibly written so.
    // False when no word starts there.
    bool chooseWordAt(Stretch& stretch, std::size_t start, Match* chosen);
    TextToken wordToken(const std::wstring& text, std::size_t start, const Match& match) const;

    const Deinflector* deinflector;
    std::unique_ptr<internal::DictionaryLookup> lookup;
};

#endif
