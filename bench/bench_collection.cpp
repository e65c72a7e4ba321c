// Speed of a fuzzy word search through the collection on the real EDICT of
// the runtime folder with the shipped fuzzy rules: たべました and its
// variants looked up by word and reading, gathered and sorted.
// Run from anywhere: ./bench_collection 2>/dev/null (the search traces to
// standard error).
#include "Edict.h"
#include "FuzzySearch.h"
#include "PartsOfSpeech.h"
#include "WordDictionaryCollection.h"
#include "WordResult.h"

#include <benchmark/benchmark.h>

#include <clocale>
#include <unistd.h>

namespace {

const char* const EDICT_PATH = DEXARU_RUNTIME_DIR "/dictionaries/edict/edict";

// Everything a program would set up once: the table, the rules and one
// loaded EDICT in a collection.
struct Setup
{
    Setup()
    {
        std::setlocale(LC_CTYPE, "C.UTF-8");
        partsOfSpeech.load(DEXARU_RUNTIME_DIR "/partsofspeech.drx");
        rulesLoaded = rules.loadFromFile(DEXARU_RUNTIME_DIR "/fuzzysearch.uni.dat");
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
    WordDictionaryCollection collection;
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

void fuzzySearch(benchmark::State& state, const wchar_t* text)
{
    if (access(EDICT_PATH, R_OK) != 0) {
        state.SkipWithError("no EDICT dictionary in the runtime folder");
        return;
    }
    Setup& ready = setup();
    if (!ready.rulesLoaded) {
        state.SkipWithError("no fuzzysearch.uni.dat in the runtime folder");
        return;
    }
    WordDictionary::SearchOptions options;
    options.searchFlags = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA
                          | WordDictionary::SEARCH_FUZZY;
    options.commonFilter = 0;
    options.limit = 200;
    options.matchAllPartsOfSpeech = false;
    int found = 0;
    for (auto _ : state) {
        WordResult* result = ready.collection.search(text, &options);
        found = result->getEntryCount();
        delete result;
    }
    state.counters["entries"] = found;
    state.counters["variants"] = static_cast<double>(ready.rules.generateStrings(text).size());
}

void BM_FuzzySearchTabemashita(benchmark::State& state)
{
    fuzzySearch(state, L"たべました");
}

void BM_FuzzySearchTakakunakatta(benchmark::State& state)
{
    fuzzySearch(state, L"たかくなかった");
}

}  // namespace

BENCHMARK(BM_FuzzySearchTabemashita)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FuzzySearchTakakunakatta)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
