/// @file
/// @class TextReader
/// Splits Japanese text into its words, as a learner reads a sentence.
/// A morphological analyser (MeCab) tells where words end, their parts of
/// speech and how each is read in the sentence; the enabled, loaded
/// dictionaries of the collection give the words: adjacent morphemes are
/// merged into the longest headword whose span falls on their boundaries, a
/// verb or adjective keeps its auxiliaries as one token that the
/// deinflector takes back to its dictionary form, and among the entries of
/// one span the one the analyser's reading and part of speech agree with is
/// taken. Where the analyser or its dictionary is missing, the reader finds
/// words by itself: from left to right, at each position the longest run
/// that is a headword or reading, or an inflected form that the
/// deinflector takes back to one whose parts of speech fit. Runs no
/// dictionary knows become tokens of their own (one character, or a run of
/// katakana, Latin letters or digits, a known word at the end of a katakana
/// run apart); spaces and punctuation are tokens too. The tokens give back
/// the text exactly.
///
/// The reader borrows the collection and the deinflector, which must
/// outlive it. It keeps, per EDICT dictionary, a table of record numbers
/// over the dictionary's own index (never a copy of its words), built at
/// the first read (or by prepare()), rebuilt when the dictionary is
/// reloaded and dropped when it leaves the collection, and the entries it
/// read, which tokens share. One thread at a time reads: reading moves the
/// dictionaries' files; prepare() alone may run on another thread.
#ifndef DEXARU_TEXTREADER_H
#define DEXARU_TEXTREADER_H

#include "Deinflector.h"
#include "TextToken.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class WordDictionaryCollection;
namespace internal {
class DictionaryLookup;
class Morphology;
struct Morpheme;
}

class TextReader
{
public:
    /// Borrows both; a null deinflector finds words only as written. The
    /// analyser reads with the dictionary the DEXARU_MECAB_DICTIONARY
    /// environment variable names (empty: no analyser), else the one found
    /// when the library was built.
    explicit TextReader(WordDictionaryCollection* collection,
                        const Deinflector* deinflector = nullptr);
    /// The same with the analyser's dictionary folder given: an empty or
    /// missing one reads without the analyser.
    TextReader(WordDictionaryCollection* collection, const Deinflector* deinflector,
               const std::string& analyserDictionary);
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    /// The tokens of the text, in order; none for an empty text. A null
    /// collection gives only unknown runs, punctuation and spaces.
    std::vector<TextToken> read(const std::wstring& text);

    /// The surfaces of the tokens one after another: the text read.
    static std::wstring joined(const std::vector<TextToken>& tokens);

    /// Whether the morphological analyser serves (started at the first
    /// read, or here). Without it the reader finds words by itself and says
    /// so once in the log.
    bool usesAnalyser();

    /// Builds now what the first read would build: the tables of the
    /// dictionaries enabled and loaded, and the analyser. It touches only
    /// their indexes in memory, never their files, so it may run on another
    /// thread while the collection's dictionaries stay as they are; a read
    /// meanwhile waits for it.
    void prepare();
    /// Whether tables of some dictionary are built.
    bool hasTables() const;

private:
    class Match;
    class Stretch;
    // Reads text[start, end) without the analyser, appending its tokens.
    void readByDictionary(const std::wstring& text, std::size_t start, std::size_t end,
                          std::vector<TextToken>* tokens);
    // Reads a run of word characters with the analyser.
    void readAnalysed(const std::wstring& text, std::size_t start, std::size_t end,
                      std::vector<TextToken>* tokens);
    // The word the morphemes from `first` begin, and the morpheme after it;
    // false when the dictionaries know none there.
    bool chooseAnalysedWord(const std::wstring& text, const std::vector<internal::Morpheme>& morphemes,
                            std::size_t first, Match* chosen, std::size_t* next);
    // The readings of morphemes [first, end) as one dictionary word, each
    // weighed against what the analyser says of them; `whole` when they are
    // one morpheme or an inflected word with its auxiliaries.
    void analysedMatches(const std::wstring& text, const std::vector<internal::Morpheme>& morphemes,
                         std::size_t first, std::size_t end, bool whole, std::vector<Match>* kept);
    // The analyser's base form of an inflected word as a match of its span
    // (待ち: 待つ), where the rules did not find it.
    void addBaseFormMatches(const internal::Morpheme& head, std::size_t morphemes,
                            const std::wstring& surface, std::vector<Match>* found);
    // Every reading of text[start, start + length) as a dictionary word
    // (as written, or inflected when the deinflector takes it back).
    void matchesOfLength(const std::wstring& text, std::size_t start, std::size_t length,
                         std::size_t written, std::vector<Match>* found);
    // The deinflector's candidates of a piece of text, each piece's once.
    const std::vector<Deinflector::Candidate>& candidatesOf(const std::wstring& piece);
    // Where an unknown run of katakana from `start` ends: before the known
    // words that cover its end, or at its end.
    std::size_t unknownKatakanaEnd(const std::wstring& text, std::size_t start, std::size_t end);
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
    std::unique_ptr<internal::Morphology> morphology;
    bool toldWithoutAnalyser = false;
    mutable std::mutex reading;  // prepare() on another thread against read()
    std::unordered_map<std::wstring, std::vector<Deinflector::Candidate>> deinflected;
};

#endif
