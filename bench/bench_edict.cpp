// Speed of the EDICT reader on the real dictionary of the runtime folder:
// loading the index, exact word and reading searches, a wildcard search and
// a meaning search, plus the memory the index takes.
// Run from anywhere: ./bench_edict 2>/dev/null
#include "Edict.h"
#include "PartsOfSpeech.h"
#include "WordEntry.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char* const EDICT_PATH = DEXARU_RUNTIME_DIR "/dictionaries/edict/edict";

bool dictionaryPresent(benchmark::State& state)
{
    if (access(EDICT_PATH, R_OK) != 0) {
        state.SkipWithError("no EDICT dictionary in the runtime folder");
        return false;
    }
    return true;
}

PartsOfSpeech& table()
{
    static PartsOfSpeech partsOfSpeech;
    static bool loaded = (partsOfSpeech.load(DEXARU_RUNTIME_DIR "/partsofspeech.drx"), true);
    (void)loaded;
    return partsOfSpeech;
}

Edict& loadedEdict()
{
    static Edict edict;
    if (!edict.isLoaded) {
        edict.setFilename(EDICT_PATH);
        edict.setPartsOfSpeech(&table());
        edict.isLoaded = edict.load() == 0;
    }
    return edict;
}

size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void BM_EdictLoad(benchmark::State& state)
{
    if (!dictionaryPresent(state)) {
        return;
    }
    table();
    size_t indexBytes = 0;
    int entries = 0;
    for (auto _ : state) {
        const size_t before = heapInUse();
        std::unique_ptr<Edict> edict(new Edict());
        edict->setFilename(EDICT_PATH);
        edict->setPartsOfSpeech(&table());
        benchmark::DoNotOptimize(edict->load());
        indexBytes = heapInUse() - before;
        entries = edict->indexEntriesSize;
    }
    state.counters["index_MB"] = static_cast<double>(indexBytes) / (1024.0 * 1024.0);
    state.counters["entries"] = entries;
}
BENCHMARK(BM_EdictLoad)->Unit(benchmark::kMillisecond);

void runSearch(benchmark::State& state, const std::wstring& text, int flags)
{
    if (!dictionaryPresent(state)) {
        return;
    }
    Edict& edict = loadedEdict();
    WordDictionary::SearchOptions options;
    options.searchFlags = flags;
    options.commonFilter = 0;
    options.limit = -1;
    options.matchAllPartsOfSpeech = false;
    size_t found = 0;
    for (auto _ : state) {
        std::vector<WordEntry*>* entries = edict.search(text, &options);
        found = entries->size();
        for (WordEntry* entry : *entries) {
            delete entry;
        }
        delete entries;
    }
    state.counters["found"] = static_cast<double>(found);
}

void BM_ExactWordSearch(benchmark::State& state)
{
    runSearch(state, L"猫", WordDictionary::SEARCH_WORD);
}
BENCHMARK(BM_ExactWordSearch)->Unit(benchmark::kMillisecond);

void BM_ExactReadingSearch(benchmark::State& state)
{
    runSearch(state, L"ねこ", WordDictionary::SEARCH_KANA);
}
BENCHMARK(BM_ExactReadingSearch)->Unit(benchmark::kMillisecond);

void BM_WordOrReadingSearch(benchmark::State& state)
{
    runSearch(state, L"ねこ", WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA);
}
BENCHMARK(BM_WordOrReadingSearch)->Unit(benchmark::kMillisecond);

void BM_WildcardSearch(benchmark::State& state)
{
    runSearch(state, L"*いく*", WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA
                                    | WordDictionary::SEARCH_WILDCARD);
}
BENCHMARK(BM_WildcardSearch)->Unit(benchmark::kMillisecond);

void BM_WildcardIgnoreCaseSearch(benchmark::State& state)
{
    runSearch(state, L"*いく*", WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA
                                    | WordDictionary::SEARCH_WILDCARD
                                    | WordDictionary::SEARCH_IGNORE_CASE);
}
BENCHMARK(BM_WildcardIgnoreCaseSearch)->Unit(benchmark::kMillisecond);

void BM_MeaningSearch(benchmark::State& state)
{
    runSearch(state, L"cat", WordDictionary::SEARCH_MEANING);
}
BENCHMARK(BM_MeaningSearch)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
