#include "WordDictionaryCollection.h"

#include "Deinflector.h"
#include "Edict.h"
#include "FuzzySearch.h"
#include "Log.h"
#include "WordEntry.h"
#include "WordResult.h"
#include "internal/DictionaryLoading.h"
#include "internal/IndexLookup.h"
#include "internal/TypedTextForms.h"

#include <algorithm>
#include <map>
#include <set>
#include <memory>

WordDictionaryCollection::WordDictionaryCollection()
    : partsOfSpeech(nullptr), fuzzySearch(nullptr), deinflector(nullptr)
{
}

WordDictionaryCollection::~WordDictionaryCollection()
{
    while (!dictionaries.empty()) {
        WordDictionary* dictionary = dictionaries.back();
        Log::write(7, "%s: Deleting dictionary '%s'.", "~WordDictionaryCollection",
                   dictionary->getName().c_str());
        delete dictionary;
        dictionaries.pop_back();
    }
}

int WordDictionaryCollection::setPartsOfSpeech(PartsOfSpeech* table)
{
    partsOfSpeech = table;
    return 0;
}

int WordDictionaryCollection::setFuzzySearch(FuzzySearch* rules)
{
    fuzzySearch = rules;
    return 0;
}

int WordDictionaryCollection::setDeinflector(Deinflector* engine)
{
    deinflector = engine;
    return 0;
}

int WordDictionaryCollection::addDictionary(WordDictionary* dictionary)
{
    // Owning one dictionary twice would delete it twice.
    if (dictionary == nullptr
        || std::find(dictionaries.begin(), dictionaries.end(), dictionary) != dictionaries.end()) {
        Log::write(3, "%s: Refused a null or already added dictionary.", "addDictionary");
        return 1;
    }
    dictionaries.push_back(dictionary);
    return 0;
}

int WordDictionaryCollection::removeDictionary(WordDictionary* dictionary)
{
    auto found = std::find(dictionaries.begin(), dictionaries.end(), dictionary);
    if (found == dictionaries.end()) {
        return 1;
    }
    dictionaries.erase(found);
    return 0;
}

std::vector<std::string> WordDictionaryCollection::getDictionaryNames()
{
    std::vector<std::string> names;
    for (WordDictionary* dictionary : dictionaries) {
        names.push_back(dictionary->getName());
    }
    return names;
}

WordDictionary* WordDictionaryCollection::getDictionaryByName(std::string name)
{
    for (WordDictionary* dictionary : dictionaries) {
        if (dictionary->name == name) {
            return dictionary;
        }
    }
    return nullptr;
}

int WordDictionaryCollection::load()
{
    internal::loadEachDictionary(dictionaries, "Edict", [this](WordDictionary* dictionary) {
        dictionary->setPartsOfSpeech(partsOfSpeech);
    });
    return 0;
}

namespace {

using internal::withoutSpaces;

// The text as typed, then its fuzzy variants when they are asked for.
std::vector<std::wstring> searchStrings(const std::wstring& text, int searchFlags,
                                        FuzzySearch* fuzzySearch)
{
    std::vector<std::wstring> strings(1, text);
    if (!(searchFlags & WordDictionary::SEARCH_FUZZY)) {
        return strings;
    }
    Log::write(7, "%s: Fuzzy search: enabled.", "search");
    if (fuzzySearch == nullptr) {
        Log::write(4, "%s: No fuzzy search instance has been set.", "search");
        return strings;
    }
    std::vector<std::wstring> variants = fuzzySearch->generateStrings(text);
    Log::write(7, "%s: Got %d fuzzy strings back.", "search", static_cast<int>(variants.size()));
    for (std::size_t k = 0; k < variants.size(); ++k) {
        Log::write(7, "%s:    %d. %S", "search", static_cast<int>(k + 1), variants[k].c_str());
        strings.push_back(variants[k]);
    }
    return strings;
}

bool isSearchable(WordDictionary* dictionary, int position)
{
    if (!dictionary->isEnabled()) {
        Log::write(7, "%s: Edict [ %d ] is not enabled.", "search", position);
        return false;
    }
    if (!dictionary->isLoaded) {
        Log::write(7, "%s: Edict [ %d ] is not loaded.", "search", position);
        return false;
    }
    return true;
}

// The line of a dictionary an entry comes from, as far as its fields tell.
std::wstring entryKey(const WordEntry& entry)
{
    std::wstring key = entry.word + L'\n' + entry.kana;
    for (int m = 0; m < entry.meaningsSize; ++m) {
        key += L'\n';
        key.append(entry.meanings[m].begin(), entry.meanings[m].end());
    }
    return key;
}

// The candidates of one text, in the engine's order, with that text.
struct CandidateText
{
    std::wstring text;
    std::vector<const Deinflector::Candidate*> candidates;
};

std::vector<CandidateText> groupByText(const std::vector<Deinflector::Candidate>& candidates)
{
    std::vector<CandidateText> texts;
    std::map<std::wstring, std::size_t> positions;
    for (const Deinflector::Candidate& candidate : candidates) {
        auto inserted = positions.emplace(candidate.text, texts.size());
        if (inserted.second) {
            texts.push_back(CandidateText{candidate.text, {}});
        }
        texts[inserted.first->second].candidates.push_back(&candidate);
    }
    return texts;
}

// Whether a search with these options is an exact search of headwords or
// readings without filters, which one pass over an EDICT index can answer.
bool isPlainExactSearch(const WordDictionary::SearchOptions& options)
{
    const int exactFields = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA;
    return (options.searchFlags & ~(exactFields | WordDictionary::SEARCH_FUZZY)) == 0
           && (options.searchFlags & exactFields) != 0 && options.commonFilter == 0
           && options.partsOfSpeech.empty();
}

// The entries of a dictionary for each candidate text, as its search gives
// them (the caller owns them). The first text, the one typed, is searched
// with the options as given; the others, dictionary forms, in headwords and
// readings only. An EDICT file searched for exact words or readings without
// filters is read in one pass over its index for all those texts, instead
// of one pass per text.
std::vector<std::vector<WordEntry*>> entriesOfTexts(WordDictionary* dictionary,
                                                    const std::vector<CandidateText>& texts,
                                                    WordDictionary::SearchOptions* options)
{
    std::vector<std::vector<WordEntry*>> entries(texts.size());
    WordDictionary::SearchOptions formOptions = *options;
    formOptions.searchFlags &= ~WordDictionary::SEARCH_MEANING;
    const bool searchesForms = (formOptions.searchFlags
                                & (WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA))
                               != 0;
    Edict* edict = dynamic_cast<Edict*>(dictionary);
    const bool onePass = edict != nullptr && isPlainExactSearch(formOptions);
    const bool typedInPass = onePass && isPlainExactSearch(*options);

    std::vector<std::size_t> inPass;
    for (std::size_t t = 0; t < texts.size(); ++t) {
        const bool typed = t == 0;
        if (typed ? typedInPass : onePass) {
            inPass.push_back(t);
            continue;
        }
        if (!typed && !searchesForms) {
            continue;
        }
        std::unique_ptr<std::vector<WordEntry*>> found(
            dictionary->search(texts[t].text, typed ? options : &formOptions));
        if (found) {
            entries[t] = *found;
        }
    }
    if (!inPass.empty()) {
        std::vector<std::wstring> strings;
        for (std::size_t t : inPass) {
            strings.push_back(texts[t].text);
        }
        const std::vector<std::vector<int>> records = internal::recordsOfTexts(
            *edict, strings, (formOptions.searchFlags & WordDictionary::SEARCH_WORD) != 0,
            (formOptions.searchFlags & WordDictionary::SEARCH_KANA) != 0);
        for (std::size_t k = 0; k < inPass.size(); ++k) {
            entries[inPass[k]] = internal::entriesOfRecords(*edict, records[k]);
        }
    }
    return entries;
}

}  // namespace

// Every candidate of the engine is searched; an entry is kept for the first
// candidate it fits, once per dictionary line, under the limit.
WordResult* WordDictionaryCollection::searchDeinflected(const std::wstring& text,
                                                        WordDictionary::SearchOptions* options)
{
    WordResult* result = new WordResult();
    std::vector<Deinflector::Candidate> candidates = deinflector->deinflect(text);
    // Learners type phrases with spaces between their words ("benkyou
    // shimasu"), which no headword has: the text without them is taken
    // back to its dictionary forms too.
    const std::wstring joined = withoutSpaces(text);
    if (!joined.empty() && joined != text) {
        for (Deinflector::Candidate& candidate : deinflector->deinflect(joined)) {
            candidates.push_back(std::move(candidate));
        }
    }
    const std::vector<CandidateText> texts = groupByText(candidates);
    Log::write(7, "%s: The deinflection engine gave %d candidates in %d texts.", "search",
               static_cast<int>(candidates.size()), static_cast<int>(texts.size()));
    const int limit = options->limit;
    int allowance = limit;
    for (std::size_t i = 0; i < dictionaries.size(); ++i) {
        WordDictionary* dictionary = dictionaries[i];
        const int position = static_cast<int>(i);
        if (!isSearchable(dictionary, position)) {
            continue;
        }
        std::set<std::wstring> seen;
        const std::vector<std::vector<WordEntry*>> found = entriesOfTexts(dictionary, texts,
                                                                          options);
        for (std::size_t t = 0; t < texts.size(); ++t) {
            const CandidateText& candidateText = texts[t];
            for (WordEntry* entry : found[t]) {
                std::unique_ptr<WordEntry> owned(entry);
                const Deinflector::Candidate* fitting = nullptr;
                for (const Deinflector::Candidate* candidate : candidateText.candidates) {
                    if (deinflector->fits(*candidate, *entry)) {
                        fitting = candidate;
                        break;
                    }
                }
                if (fitting == nullptr || (limit >= 0 && allowance <= 0)
                    || !seen.insert(entryKey(*entry)).second) {
                    continue;
                }
                entry->dictionaryName = dictionary->name;
                entry->dictionaryIndex = position;
                if (fitting->classes != Deinflector::ALL_CLASSES) {
                    entry->deinflectedFrom = text;
                    entry->deinflectionReasons = fitting->reasons;
                    entry->deinflectionRules = fitting->rules;
                }
                result->addEntry(owned.release());
                if (limit >= 0) {
                    --allowance;
                }
            }
        }
    }
    result->sort();
    return result;
}

WordResult* WordDictionaryCollection::search(std::wstring text,
                                             WordDictionary::SearchOptions* options)
{
    WordResult* result = new WordResult();
    if (options == nullptr) {
        Log::write(3, "%s: 'searchOptions' was not specified.", "search");
        return result;
    }
    if ((options->searchFlags & WordDictionary::SEARCH_FUZZY) && deinflector != nullptr
        && deinflector->isLoaded()) {
        delete result;
        return searchDeinflected(text, options);
    }
    std::vector<std::wstring> strings = searchStrings(text, options->searchFlags, fuzzySearch);

    Log::write(7, "%s: Going through the dictionaries...", "search");
    const int limit = options->limit;
    int allowance = limit;
    for (std::size_t i = 0; i < dictionaries.size(); ++i) {
        WordDictionary* dictionary = dictionaries[i];
        const int position = static_cast<int>(i);
        Log::write(7, "%s: Working on dictionary [ %d ]...", "search", position);
        if (!dictionary->isEnabled()) {
            Log::write(7, "%s: Edict [ %d ] is not enabled.", "search", position);
            continue;
        }
        if (!dictionary->isLoaded) {
            Log::write(7, "%s: Edict [ %d ] is not loaded.", "search", position);
            continue;
        }
        for (std::size_t k = 0; k < strings.size(); ++k) {
            Log::write(3, "%s: Trying string %d, %S", "search", static_cast<int>(k + 1),
                       strings[k].c_str());
            std::unique_ptr<std::vector<WordEntry*>> found(dictionary->search(strings[k], options));
            if (!found) {
                Log::write(3, "%s: !!! Edict [ %d ] gave the null result set back.", "search",
                           position);
                continue;
            }
            Log::write(7, "%s: Edict [ %d ] gave back %d results.", "search", position,
                       static_cast<int>(found->size()));
            for (WordEntry* entry : *found) {
                if (limit >= 0 && allowance <= 0) {
                    delete entry;
                    continue;
                }
                entry->dictionaryName = dictionary->name;
                entry->dictionaryIndex = position;
                result->addEntry(entry);
                if (limit >= 0) {
                    --allowance;
                }
            }
        }
    }

    result->sort();
    return result;
}
