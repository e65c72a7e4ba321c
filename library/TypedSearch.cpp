#include "TypedSearch.h"

#include "Kana.h"
#include "Log.h"
#include "Romaji.h"
#include "WordDictionaryCollection.h"
#include "WordEntry.h"
#include "WordResult.h"
#include "internal/EntryIdentity.h"
#include "internal/GlossMatch.h"
#include "internal/LongVowels.h"
#include "internal/TypedTextForms.h"
#include "internal/WordMeaningSearch.h"

#include <algorithm>
#include <cctype>
#include <cwctype>
#include <memory>
#include <tuple>
#include <unordered_map>

namespace {

using internal::asciiOf;
using internal::foldKanaAndCase;
using internal::withoutSpaces;

bool hasLatinLetter(const std::wstring& text)
{
    return std::any_of(text.begin(), text.end(), [](wchar_t character) {
        return (character >= L'a' && character <= L'z') || (character >= L'A' && character <= L'Z');
    });
}

// Capitals only where English text puts them, at the start of a word that
// goes on in lower case ("Tokyo", "Onna no ko"): a name or a sentence's first
// word, not katakana typed in capitals ("NEKO", "raMEN").
bool capitalisedAsEnglish(const std::wstring& text)
{
    bool capitals = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] < L'A' || text[i] > L'Z') {
            continue;
        }
        const bool startsWord = i == 0 || std::iswspace(text[i - 1]);
        const bool goesOnInLowerCase = i + 1 < text.size() && text[i + 1] >= L'a' && text[i + 1] <= L'z';
        if (!startsWord || !goesOnInLowerCase) {
            return false;
        }
        capitals = true;
    }
    return capitals;
}

// How a row was found: as typed, or through a long-vowel spelling.
struct Found
{
    const std::wstring* spelling;  // null: as typed
};

// Moves the rows of found that the result lacks into it (the rest are
// deleted with found) and notes how they were found. Returns how many moved.
// The set of rows present is filled at the first rows found, so that a
// search that finds nothing more never hashes its whole result.
int moveNewRows(WordResult& result, WordResult& found, internal::EntrySet& present,
                std::unordered_map<const WordEntry*, Found>& how, const std::wstring* spelling)
{
    if (found.entries.empty()) {
        return 0;
    }
    // Into an empty result every row goes (the relevance order hides a
    // line found twice); the set is filled from the rows at the next call.
    const bool intoEmpty = result.entries.empty();
    if (present.empty() && !intoEmpty) {
        for (EnhancedEntry* row : result.entries) {
            present.insert(row->entry);
        }
    }
    int moved = 0;
    for (EnhancedEntry* row : found.entries) {
        if (!intoEmpty && !present.insert(row->entry).second) {
            continue;
        }
        how[row->entry] = Found{spelling};
        result.addEntry(row->entry);
        row->entry = nullptr;
        ++moved;
    }
    return moved;
}

// Whether a row was reached through a spoken or dialect form: a reason
// that says "colloquial" or "Kansai", or the negative in ん (犯さん). The
// written negatives in ず and ぬ (せず, 知らぬ) are no such form.
bool isSpokenForm(const WordEntry& entry)
{
    return std::any_of(entry.deinflectionReasons.begin(), entry.deinflectionReasons.end(),
                       [](const std::string& reason) {
                           return reason.find("colloquial") != std::string::npos
                                  || reason.find("Kansai") != std::string::npos
                                  || reason == "negative (-n)";
                       });
}

// The ranks that the relevance order leaves to the search, which alone
// knows what was typed: how closely a row matches, then common words
// first, then rows found as typed before those of a long-vowel spelling.
struct MatchRanker
{
    const std::wstring& text;
    const std::wstring foldedText;
    const std::string englishText;  // the typed text when meanings are searched and it is ASCII
    const std::unordered_map<const WordEntry*, Found>& how;
    const bool spellingsFound;  // a long-vowel spelling found words

    // How closely a row matches, best first. 0: found as typed (a headword
    // or reading that is the text, a form it inflects, a first gloss that
    // is the English text); 1: another gloss of the first sense or a piece
    // of one is; 2: found through kana or letter case folding, or a gloss
    // of a later sense; 3: anything else (part of a gloss, a wildcard).
    struct Closeness
    {
        int rank = 3;
        bool viaGloss = false;
        bool broadFirstSense = false;  // more glosses than the one matched
    };

    Closeness closeness(const WordEntry& entry, const std::wstring& searched) const
    {
        Closeness close;
        if (entry.isDeinflected() || entry.word == searched || entry.kana == searched) {
            close.rank = 0;
            return close;
        }
        const std::wstring foldedSearched = &searched == &text ? foldedText
                                                               : foldKanaAndCase(searched);
        if (foldKanaAndCase(entry.word) == foldedSearched
            || foldKanaAndCase(entry.kana) == foldedSearched) {
            close.rank = 2;
        }
        if (!englishText.empty()) {
            const internal::GlossMatch gloss = internal::glossMatch(entry, englishText);
            if (gloss.grade != internal::NO_GLOSS_IS_TEXT && static_cast<int>(gloss.grade) <= close.rank) {
                close.rank = static_cast<int>(gloss.grade);
                close.viaGloss = true;
                close.broadFirstSense = gloss.firstSenseGlosses > 1;
            }
        }
        return close;
    }

    // Rows found as typed and rows with the text among the glosses of their
    // first sense form one group (2 and 3 follow as they are); within a
    // group: common words first; words of Japanese before the English word
    // in katakana (夜 before ナイト for "night"); closer first (商店 "shop"
    // before 店 "store", "shop"); a first sense that is that one gloss
    // (食べる "to eat") before one with more (喫する "to eat", "to drink",
    // "to smoke"); then rows found for the text typed (as typed or through
    // a dictionary form, in the relevance order) before those of a
    // long-vowel spelling (来る before 公用 for こよう). Where a long-vowel
    // spelling found words, a spoken or dialect form of another word that
    // the text is as typed (犯さん, a negative of 犯す, for おかさん) is the
    // less likely reading of what a learner typed: its rows follow the
    // other common or uncommon rows of their group (お母さん first for
    // "okasan"); else the relevance order places them as it does.
    using Key = std::tuple<int, int, int, int, int, int, int>;

    Key operator()(const WordEntry& entry) const
    {
        auto found = how.find(&entry);
        const std::wstring* spelling = found != how.end() ? found->second.spelling : nullptr;
        const Closeness close = closeness(entry, spelling != nullptr ? *spelling : text);
        const int group = close.rank <= 1 ? 0 : close.rank - 1;
        const bool loanword = close.viaGloss && Kana::isKatakana(entry.word);
        const bool spokenAfterSpellings = spellingsFound && isSpokenForm(entry);
        return Key(group, entry.isCommon ? 0 : 1, spokenAfterSpellings ? 1 : 0, loanword ? 1 : 0, close.rank,
                   close.broadFirstSense ? 1 : 0, spelling != nullptr ? 1 : 0);
    }
};

// The rows with the typed text as a whole word in a gloss; a text with
// wildcards keeps every row a meaning search gives.
WordResult* wordInMeanings(WordDictionaryCollection& collection, const std::wstring& typed,
                           const std::wstring& text, WordDictionary::SearchOptions options, bool ranked)
{
    if (asciiOf(typed).find_first_of("*?") != std::string::npos) {
        return collection.search(typed, &options);
    }
    internal::WordMeaningQuery query;
    query.typed = typed;
    query.kana = text;
    query.ranked = ranked;
    return internal::searchWordInMeanings(collection, query, options);
}

void rankMatches(WordResult& result, const MatchRanker& ranker)
{
    std::vector<std::pair<MatchRanker::Key, EnhancedEntry*>> ranked;
    ranked.reserve(result.entries.size());
    for (EnhancedEntry* row : result.entries) {
        ranked.emplace_back(ranker(*row->entry), row);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        result.entries[i] = ranked[i].second;
    }
}

}  // namespace

TypedSearch::TypedSearch(WordDictionaryCollection* collection) : collection(collection)
{
}

std::wstring TypedSearch::learnerRomaji(const std::wstring& typed)
{
    // Hepburn's long vowels (Tōkyō, kōhī, Ōsaka) as the short vowels that
    // the long-vowel spellings of a fuzzy search lengthen again.
    static const std::wstring marked = L"āīūēōâîûêôĀĪŪĒŌÂÎÛÊÔ";
    static const std::wstring plain = L"aiueoaiueoAIUEOAIUEO";
    std::wstring romaji = typed;
    for (wchar_t& c : romaji) {
        const std::wstring::size_type at = marked.find(c);
        if (at != std::wstring::npos) {
            c = plain[at];
        }
    }
    // Hepburn's m for ん before b, m and p (shimbun, sempai, kampai): no
    // syllable starts with an m followed by those letters.
    for (std::size_t i = 0; i + 1 < romaji.size(); ++i) {
        const wchar_t next = static_cast<wchar_t>(std::towlower(romaji[i + 1]));
        if ((romaji[i] == L'm' || romaji[i] == L'M') && (next == L'b' || next == L'm' || next == L'p')) {
            romaji[i] = romaji[i] == L'm' ? L'n' : L'N';
        }
    }
    return romaji;
}

std::wstring TypedSearch::kanaOfWholeRomaji(const std::wstring& typed, bool learnerSpelling)
{
    std::wstring romaji = learnerSpelling ? learnerRomaji(typed) : typed;
    if (learnerSpelling && capitalisedAsEnglish(romaji)) {
        std::transform(romaji.begin(), romaji.end(), romaji.begin(),
                       [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; });
    }
    const std::wstring kana = Romaji::romajiStringToKana(romaji, true);
    return hasLatinLetter(kana) ? typed : kana;
}

bool TypedSearch::isEnglishForMeanings(const std::wstring& typed, const std::wstring& text,
                                       bool converting,
                                       const WordDictionary::SearchOptions& options)
{
    if (!converting || (options.searchFlags & WordDictionary::SEARCH_MEANING) == 0
        || text != typed) {
        return false;
    }
    const std::string ascii = asciiOf(text);
    const auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    return ascii.find_first_of("*?") == std::string::npos
           && std::any_of(ascii.begin(), ascii.end(), letter);
}

WordResult* TypedSearch::search(const std::wstring& typed, const std::wstring& text,
                                WordDictionary::SearchOptions options, bool relevanceOrder)
{
    alsoSearched.clear();
    const int limit = options.limit;
    WordDictionary::SearchOptions whole = options;
    if (relevanceOrder) {
        whole.limit = -1;
    }
    const int flags = options.searchFlags;
    const bool meanings = (flags & WordDictionary::SEARCH_MEANING) != 0;
    // Ranked, English searched as it is (a letter typed so far, a word that
    // is no romaji) is looked for in the meanings apart from the headwords
    // and readings, so that only the lines that could be among the first
    // rows are read: "w" is somewhere in the meanings of most lines.
    const std::string asciiText = asciiOf(text);
    const bool englishMeanings = relevanceOrder && meanings && !asciiText.empty()
                                 && asciiText.find_first_of("*?") == std::string::npos;
    WordDictionary::SearchOptions formOptions = whole;
    if (englishMeanings) {
        formOptions.searchFlags &= ~WordDictionary::SEARCH_MEANING;
    }
    std::unique_ptr<WordResult> result(collection->search(text, &formOptions));
    internal::EntrySet present;
    std::unordered_map<const WordEntry*, Found> how;
    if (englishMeanings) {
        internal::WordMeaningQuery query;
        query.typed = text;
        query.kana = text;
        query.ranked = true;
        query.wholeWord = false;
        WordDictionary::SearchOptions meaningOptions = whole;
        meaningOptions.limit = limit;
        std::unique_ptr<WordResult> found(internal::searchWordInMeanings(*collection, query, meaningOptions));
        moveNewRows(*result, *found, present, how, nullptr);
    }

    bool added = false;
    if (meanings && typed != text) {
        // English typed while romaji turns into kana: "sake" is both 酒
        // and a gloss. Only glosses with the text as a word count: romaji
        // such as "ka" is in thousands of glosses ("make", "karate").
        WordDictionary::SearchOptions meaningOptions = whole;
        meaningOptions.searchFlags = WordDictionary::SEARCH_MEANING
                                     | (flags & (WordDictionary::SEARCH_IGNORE_CASE
                                                 | WordDictionary::SEARCH_WILDCARD));
        // Ranked, the limit only bounds what must be read to fill it.
        meaningOptions.limit = relevanceOrder || limit < 0
                                   ? limit
                                   : std::max(0, limit - static_cast<int>(result->entries.size()));
        if (meaningOptions.limit != 0) {
            std::unique_ptr<WordResult> found(wordInMeanings(*collection, typed, text, meaningOptions,
                                                             relevanceOrder));
            added = moveNewRows(*result, *found, present, how, nullptr) > 0;
        }
    }
    const bool formsSearched = (flags & (WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA)) != 0;
    const bool fuzzyForms = (flags & WordDictionary::SEARCH_FUZZY) && formsSearched;
    if (!relevanceOrder) {
        // Where a fuzzy search finds nothing, the text may be romaji typed
        // without its long vowels ("tokyo"): the reading order has no result
        // to keep, so the spellings are tried and ranked as in the other.
        if (result->entries.empty() && fuzzyForms
            && !internal::longVowelSpellings(withoutSpaces(text)).empty()) {
            return search(typed, text, options, true);
        }
        if (added) {
            result->sort();
        }
        return result.release();
    }

    std::vector<std::wstring> spellings;
    if (fuzzyForms) {
        // Kana only: a text with wildcards has no spellings. A phrase
        // ("benkyo suru") is spelled as one word, as its dictionary forms
        // are looked for.
        spellings = internal::longVowelSpellings(withoutSpaces(text));
    }
    // When the text as typed finds nothing, it may be an inflected word
    // typed without its long vowels ("benkyo shimasu", "ryoko shita"): the
    // spellings are taken back to their dictionary forms as the text is.
    // Otherwise they are looked up as they are, so that they add no forms
    // of other words to what the text found.
    const int spellingFuzzy = result->entries.empty() ? WordDictionary::SEARCH_FUZZY : 0;
    WordDictionary::SearchOptions spellingOptions = whole;
    spellingOptions.searchFlags = (flags & (WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA
                                            | WordDictionary::SEARCH_IGNORE_CASE))
                                  | spellingFuzzy;
    for (const std::wstring& spelling : spellings) {
        std::unique_ptr<WordResult> found(collection->search(spelling, &spellingOptions));
        if (moveNewRows(*result, *found, present, how, &spelling) > 0) {
            alsoSearched.push_back(spelling);
        }
    }
    Log::write(7, "%s: %d long-vowel spellings tried, %d found words.", "search",
               static_cast<int>(spellings.size()), static_cast<int>(alsoSearched.size()));

    result->sortByRelevance();
    const std::string english = meanings ? asciiOf(typed) : std::string();
    rankMatches(*result,
                MatchRanker{text, foldKanaAndCase(text), english, how, !alsoSearched.empty()});
    result->keepFirst(limit);
    return result.release();
}
