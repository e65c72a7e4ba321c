/// @file
/// @class TypedSearch
/// One word search of the text a user typed, as both programs run it on
/// their collection. Romaji becomes kana only when all of it converts
/// ("hon" is searched as ほん, "water" as typed); while meanings are
/// searched, the text as typed is looked for in the meanings too. In the
/// relevance order the whole result is ranked before the limit cuts it
/// (English in the meanings is read no further than the first rows need:
/// "a" or a consonant typed so far costs one scan of each dictionary); a
/// fuzzy search also tries the long-vowel spellings of kana typed without
/// them (ときょ finds 東京 through とうきょう; a phrase is spelled as one word,
/// and when the text as typed finds nothing the spellings are taken back to
/// their dictionary forms: "benkyo shimasu" finds 勉強) and tells which found
/// words.
/// Ranks after the relevance order: first the entries found as typed (a
/// headword or reading that is the text, a form it inflects) and those with
/// a gloss of their first sense that is the English text (or "to ", "to
/// be ", "to get ", "to become " + it); then matches through kana or letter
/// case folding and glosses of later senses; then the rest (part of a
/// gloss, wildcards). Within each: common words first; words of Japanese
/// before the English word in katakana; the first gloss before another,
/// and a first sense of that one gloss before a broader one; rows found for
/// the text typed (through its dictionary forms too) before those of a
/// long-vowel spelling; the relevance order decides the rest. Where a
/// spelling found words, the rows of a spoken or dialect form (a Kansai
/// negative, a colloquial form) follow the rest of their group and
/// commonness (お母さん before 犯さん's 犯す for "okasan"). The caller owns
/// each result.
#ifndef DEXARU_TYPEDSEARCH_H
#define DEXARU_TYPEDSEARCH_H

#include "WordDictionary.h"

#include <string>
#include <vector>

class WordDictionaryCollection;
class WordResult;

class TypedSearch
{
public:
    /// Searches the collection, which the caller keeps and which must
    /// outlive this object.
    explicit TypedSearch(WordDictionaryCollection* collection);

    /// The kana of a text whose every letter turns into kana (romaji in
    /// capitals into katakana, as Romaji::romajiStringToKana does), else
    /// the text unchanged. With learnerSpelling (the relevance order), romaji
    /// is first taken as learnerRomaji gives it, and romaji capitalised as
    /// English text writes it, each capital starting a word that goes on in
    /// lower case ("Tokyo", "Onna no ko"), is read in lower case; romaji in
    /// capitals ("NEKO", "raMEN") still gives katakana.
    static std::wstring kanaOfWholeRomaji(const std::wstring& typed, bool learnerSpelling = false);

    /// The text with the long vowels of Hepburn romaji (ā ī ū ē ō, or with a
    /// circumflex) as plain vowels: "Tōkyō" gives "Tokyo", whose long-vowel
    /// spellings a fuzzy search tries; and with Hepburn's m for ん before b, m
    /// and p as n: "shimbun" gives "shinbun".
    static std::wstring learnerRomaji(const std::wstring& typed);

    /// Searches text, which is the typed text or its kana, with the options;
    /// in the relevance order, ranked as described above and cut to the
    /// options' limit; in the reading order, sorted by the result's sorter
    /// under the limit, as a collection search is. Never null; the caller
    /// deletes the result.
    WordResult* search(const std::wstring& typed, const std::wstring& text,
                       WordDictionary::SearchOptions options, bool relevanceOrder);

    /// The long-vowel spellings through which the last search found words
    /// that it did not find as typed, in the order tried; empty when none.
    const std::vector<std::wstring>& getAlsoSearched() const { return alsoSearched; }

private:
    WordDictionaryCollection* collection;
    std::vector<std::wstring> alsoSearched;
};

#endif
