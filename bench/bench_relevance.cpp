// Speed of the relevance order on a whole dictionary: every entry of the
// real EDICT of the runtime folder (a search for "*" without a limit)
// ranked, its duplicate rows hidden; and that search with the ranking, as
// a program runs it when the words of a kanji are listed without a limit.
// Target: the whole EDICT ranked in under 0.5 s. Then searches of typed
// text as the programs run them in that order (TypedSearch, limit 200,
// the whole result ranked first): an English word in the meanings, romaji
// without its long vowels, and "*" by word and reading.
// Run from anywhere: ./bench_relevance 2>/dev/null (searches trace to
// standard error).
#include "Edict.h"
#include "PartsOfSpeech.h"
#include "RuntimeFiles.h"
#include "TypedSearch.h"
#include "WordDictionaryCollection.h"
#include "WordEntry.h"
#include "WordResult.h"

#include <benchmark/benchmark.h>

#include <clocale>
#include <memory>

namespace {

struct Setup
{
    Setup()
    {
        std::setlocale(LC_CTYPE, "C.UTF-8");
        partsOfSpeech.load(DEXARU_RUNTIME_DIR "/partsofspeech.drx");
        Edict* edict = new Edict();
        edict->setName("edict");
        edict->setFilename(runtimefiles::EDICT);
        collection.setPartsOfSpeech(&partsOfSpeech);
        collection.addDictionary(edict);
        collection.load();
    }

    PartsOfSpeech partsOfSpeech;
    WordDictionaryCollection collection;
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

// Every entry: "*" by word and reading, wildcards, no limit.
WordResult* everyEntry()
{
    WordDictionary::SearchOptions options;
    options.searchFlags = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA
                          | WordDictionary::SEARCH_WILDCARD;
    options.limit = -1;
    return setup().collection.search(L"*", &options);
}

// The ranking alone; before each turn (untimed) the rows are put back in
// the order a collection hands them over, with every row visible.
void rankWholeDictionary(benchmark::State& state)
{
    if (!runtimefiles::allPresent(state, {runtimefiles::EDICT}, "no EDICT in the runtime folder"))
        return;
    std::unique_ptr<WordResult> result(everyEntry());
    for (auto _ : state) {
        state.PauseTiming();
        result->sort();
        for (EnhancedEntry* row : result->entries) {
            row->isVisible = true;
        }
        state.ResumeTiming();
        result->sortByRelevance();
        benchmark::DoNotOptimize(result->entries.data());
    }
    state.counters["rows"] = static_cast<double>(result->entries.size());
}

// The search for "*" without a limit and its ranking, as a program runs it.
void searchEverythingByRelevance(benchmark::State& state)
{
    if (!runtimefiles::allPresent(state, {runtimefiles::EDICT}, "no EDICT in the runtime folder"))
        return;
    setup();
    for (auto _ : state) {
        std::unique_ptr<WordResult> result(everyEntry());
        result->sortByRelevance();
        benchmark::DoNotOptimize(result->getEntryCount());
    }
}

// One search of typed text in the relevance order, with the programs'
// limit of 200.
void typedSearch(benchmark::State& state, const wchar_t* typed, int flags)
{
    if (!runtimefiles::allPresent(state, {runtimefiles::EDICT}, "no EDICT in the runtime folder"))
        return;
    TypedSearch search(&setup().collection);
    WordDictionary::SearchOptions options;
    options.searchFlags = flags;
    options.limit = 200;
    const std::wstring text = TypedSearch::kanaOfWholeRomaji(typed);
    for (auto _ : state) {
        std::unique_ptr<WordResult> result(search.search(typed, text, options, true));
        benchmark::DoNotOptimize(result->getEntryCount());
    }
}

const int FORMS = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA;

}  // namespace

BENCHMARK_CAPTURE(typedSearch, WaterInMeanings, L"water",
                  FORMS | WordDictionary::SEARCH_MEANING | WordDictionary::SEARCH_IGNORE_CASE)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(typedSearch, TokyoLongVowels, L"tokyo",
                  FORMS | WordDictionary::SEARCH_FUZZY | WordDictionary::SEARCH_IGNORE_CASE)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(typedSearch, EveryEntry, L"*", FORMS | WordDictionary::SEARCH_WILDCARD)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(rankWholeDictionary)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(searchEverythingByRelevance)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
