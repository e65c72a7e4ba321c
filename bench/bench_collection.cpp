// Speed of a fuzzy word search through the collection on the real EDICT of
// the runtime folder with the shipped fuzzy rules: たべました and its
// variants looked up by word and reading, gathered and sorted; and the same
// through the deinflection engine, sorted by relevance.
// Run from anywhere: ./bench_collection 2>/dev/null (the search traces to
// standard error).
#include "Deinflector.h"
#include "Edict.h"
#include "FuzzySearch.h"
#include "PartsOfSpeech.h"
#include "RuntimeFiles.h"
#include "WordDictionaryCollection.h"
#include "WordResult.h"

#include <benchmark/benchmark.h>

#include <clocale>

namespace {

const char* const EDICT_PATH = runtimefiles::EDICT;

// Everything a program would set up once: the table, the rules and one
// loaded EDICT in a collection.
struct Setup
{
    Setup()
    {
        std::setlocale(LC_CTYPE, "C.UTF-8");
        partsOfSpeech.load(DEXARU_RUNTIME_DIR "/partsofspeech.drx");
        rulesLoaded = rules.loadFromFile(DEXARU_RUNTIME_DIR "/fuzzysearch.uni.dat");
        engine.loadFromFile(DEXARU_RUNTIME_DIR "/deinflection.dat");
        Edict* edict = new Edict();
        edict->setName("edict");
        edict->setFilename(EDICT_PATH);
        collection.setPartsOfSpeech(&partsOfSpeech);
        collection.setFuzzySearch(&rules);
        collection.addDictionary(edict);
        collection.load();
    }

    PartsOfSpeech partsOfSpeech;
    FuzzySearch rules;
    bool rulesLoaded = false;
    Deinflector engine;
    WordDictionaryCollection collection;
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

// Word and reading, fuzzy, every entry, the first 200.
WordDictionary::SearchOptions fuzzyOptions()
{
    WordDictionary::SearchOptions options;
    options.searchFlags = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA
                          | WordDictionary::SEARCH_FUZZY;
    options.commonFilter = 0;
    options.limit = 200;
    options.matchAllPartsOfSpeech = false;
    return options;
}

void fuzzySearch(benchmark::State& state, const wchar_t* text)
{
    if (!runtimefiles::allPresent(state, {EDICT_PATH}, "no EDICT dictionary in the runtime folder"))
        return;
    Setup& ready = setup();
    if (!ready.rulesLoaded) {
        state.SkipWithError("no fuzzysearch.uni.dat in the runtime folder");
        return;
    }
    WordDictionary::SearchOptions options = fuzzyOptions();
    int found = 0;
    for (auto _ : state) {
        WordResult* result = ready.collection.search(text, &options);
        found = result->getEntryCount();
        delete result;
    }
    state.counters["entries"] = found;
    state.counters["variants"] = static_cast<double>(ready.rules.generateStrings(text).size());
}

// The engine is set only for this search: the collection is shared with
// the fuzzy-rule benchmarks.
void deinflectedSearch(benchmark::State& state, const wchar_t* text)
{
    if (!runtimefiles::allPresent(state, {EDICT_PATH}, "no EDICT dictionary in the runtime folder"))
        return;
    Setup& ready = setup();
    if (!ready.engine.isLoaded()) {
        state.SkipWithError("no deinflection.dat in the runtime folder");
        return;
    }
    WordDictionary::SearchOptions options = fuzzyOptions();
    ready.collection.setDeinflector(&ready.engine);
    int found = 0;
    for (auto _ : state) {
        WordResult* result = ready.collection.search(text, &options);
        result->sortByRelevance();
        found = result->getEntryCount();
        delete result;
    }
    ready.collection.setDeinflector(nullptr);
    state.counters["entries"] = found;
    state.counters["candidates"] = static_cast<double>(ready.engine.deinflect(text).size());
}

}  // namespace

BENCHMARK_CAPTURE(fuzzySearch, Tabemashita, L"たべました")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fuzzySearch, Takakunakatta, L"たかくなかった")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fuzzySearch, Nomaserarenakatta, L"のませられなかった")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(deinflectedSearch, Nomaserarenakatta, L"飲ませられなかった")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(deinflectedSearch, KanaNomaserarenakatta, L"のませられなかった")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(deinflectedSearch, Ikimashita, L"いきました")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
