// Speed of the relevance order on a whole dictionary: every entry of the
// real EDICT of the runtime folder (a search for "*" without a limit)
// ranked, its duplicate rows hidden; and that search with the ranking, as
// a program runs it when the words of a kanji are listed without a limit.
// Target: the whole EDICT ranked in under 0.5 s.
// Run from anywhere: ./bench_relevance 2>/dev/null (searches trace to
// standard error).
#include "Edict.h"
#include "PartsOfSpeech.h"
#include "RuntimeFiles.h"
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

}  // namespace

BENCHMARK(rankWholeDictionary)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(searchEverythingByRelevance)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
