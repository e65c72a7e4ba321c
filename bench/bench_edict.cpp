// Speed of the EDICT reader on the real dictionary of the runtime folder:
// loading the index (parsed, from a warm index cache, and parsed with the
// cache written), the three EDICT-format files of the desktop's first run
// together, exact word and reading searches, a wildcard search and a meaning
// search, plus the memory the index takes, and the floor of any load that
// builds such an index. The index cache lives in a temporary folder that is
// removed at the end.
// Run from anywhere: ./bench_edict 2>/dev/null
#include "Edict.h"
#include "PartsOfSpeech.h"
#include "WordEntry.h"
#include "internal/FileReading.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <cstring>
#include <filesystem>

#include <memory>
#include <string>
#include <vector>

namespace {

const char* const EDICT_PATH = DEXARU_RUNTIME_DIR "/dictionaries/edict/edict";
// The word dictionaries a first start of the desktop program lists.
const char* const FIRST_RUN_PATHS[] = {EDICT_PATH, DEXARU_RUNTIME_DIR "/dictionaries/edict/compdic",
                                       "/usr/share/edict/enamdict"};

void useIndexCache(bool on)
{
    setenv("DEXARU_INDEX_CACHE", on ? "1" : "0", 1);
}

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

// Bytes the records and strings of the real dictionary's index fill.
size_t loadedIndexBytes()
{
    const Edict& edict = loadedEdict();
    size_t bytes = (static_cast<size_t>(edict.indexEntriesSize) + 1) * sizeof(IndexEntry);
    for (int i = 0; i < edict.indexEntriesSize; ++i) {
        const IndexEntry& record = edict.indexEntries[i];
        bytes += (std::wcslen(record.word) + 1) * sizeof(wchar_t);
        if (record.kana != nullptr) {
            bytes += (std::wcslen(record.kana) + 1) * sizeof(wchar_t);
        }
    }
    return bytes;
}

std::unique_ptr<Edict> loadEdict(const char* path)
{
    std::unique_ptr<Edict> edict(new Edict());
    edict->setFilename(path);
    edict->setPartsOfSpeech(&table());
    benchmark::DoNotOptimize(edict->load());
    return edict;
}

void BM_EdictLoad(benchmark::State& state)
{
    if (!dictionaryPresent(state)) {
        return;
    }
    useIndexCache(false);
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

// A load whose index cache is valid: the usual case from the second run on.
void BM_EdictLoadWarmCache(benchmark::State& state)
{
    if (!dictionaryPresent(state)) {
        return;
    }
    useIndexCache(true);
    loadEdict(EDICT_PATH);  // writes the cache
    int entries = 0;
    for (auto _ : state) {
        std::unique_ptr<Edict> edict = loadEdict(EDICT_PATH);
        entries = edict->indexEntriesSize;
        state.PauseTiming();  // deleting is not part of the load
        edict.reset();
        state.ResumeTiming();
    }
    state.counters["entries"] = entries;
}
BENCHMARK(BM_EdictLoadWarmCache)->Unit(benchmark::kMillisecond);

// A load that parses and writes the cache: a first run.
void BM_EdictLoadWritingCache(benchmark::State& state)
{
    if (!dictionaryPresent(state)) {
        return;
    }
    useIndexCache(true);
    const std::string folder = std::getenv("XDG_CACHE_HOME");
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(folder + "/dexaru");
        state.ResumeTiming();
        loadEdict(EDICT_PATH);  // deleted inside the timing, as in BM_EdictLoad
    }
}
BENCHMARK(BM_EdictLoadWritingCache)->Unit(benchmark::kMillisecond);

// EDICT, the computer terms and the names loaded together, caches warm.
void BM_FirstRunDictionariesWarmCache(benchmark::State& state)
{
    for (const char* path : FIRST_RUN_PATHS) {
        if (access(path, R_OK) != 0) {
            state.SkipWithError((std::string("missing ") + path).c_str());
            return;
        }
    }
    useIndexCache(true);
    for (const char* path : FIRST_RUN_PATHS) {
        loadEdict(path);
    }
    int entries = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<Edict>> loaded;
        for (const char* path : FIRST_RUN_PATHS) {
            loaded.push_back(loadEdict(path));
        }
        state.PauseTiming();
        entries = 0;
        for (const std::unique_ptr<Edict>& edict : loaded) {
            entries += edict->indexEntriesSize;
        }
        loaded.clear();
        state.ResumeTiming();
    }
    state.counters["entries"] = entries;
}
BENCHMARK(BM_FirstRunDictionariesWarmCache)->Unit(benchmark::kMillisecond);

// The least any load that builds a full index must do, as a yardstick for
// BM_EdictLoad: map the file, count its line ends, and write as much fresh
// memory (huge pages advised) as the real index takes. Nothing is parsed or
// decoded.
void BM_IndexFloor(benchmark::State& state)
{
    if (!dictionaryPresent(state)) {
        return;
    }
    const size_t indexBytes = loadedIndexBytes();
    const int descriptor = open(EDICT_PATH, O_RDONLY);
    struct stat status;
    if (descriptor < 0 || fstat(descriptor, &status) != 0) {
        state.SkipWithError("cannot open the EDICT dictionary");
        return;
    }
    const size_t fileSize = static_cast<size_t>(status.st_size);
    const size_t hugePage = size_t(2) << 20;
    for (auto _ : state) {
        void* file = mmap(nullptr, fileSize, PROT_READ, MAP_PRIVATE, descriptor, 0);
        const char* bytes = static_cast<const char*>(file);
        benchmark::DoNotOptimize(fileReading::countLineEnds(bytes, fileSize));

        const size_t mapped = indexBytes + hugePage;
        void* fresh = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1,
                           0);
        char* aligned = reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(fresh) + hugePage - 1)
                                                & ~(hugePage - 1));
        madvise(aligned, indexBytes, MADV_HUGEPAGE);
        std::memset(aligned, 1, indexBytes);
        benchmark::DoNotOptimize(aligned);
        benchmark::ClobberMemory();
        munmap(fresh, mapped);
        munmap(file, fileSize);
    }
    close(descriptor);
    state.counters["index_MB"] = static_cast<double>(indexBytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_IndexFloor)->Unit(benchmark::kMillisecond);

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
    runSearch(state, L"*いく*",
              WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA
                  | WordDictionary::SEARCH_WILDCARD);
}
BENCHMARK(BM_WildcardSearch)->Unit(benchmark::kMillisecond);

void BM_WildcardIgnoreCaseSearch(benchmark::State& state)
{
    runSearch(state, L"*いく*",
              WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA
                  | WordDictionary::SEARCH_WILDCARD | WordDictionary::SEARCH_IGNORE_CASE);
}
BENCHMARK(BM_WildcardIgnoreCaseSearch)->Unit(benchmark::kMillisecond);

void BM_MeaningSearch(benchmark::State& state)
{
    runSearch(state, L"cat", WordDictionary::SEARCH_MEANING);
}
BENCHMARK(BM_MeaningSearch)->Unit(benchmark::kMillisecond);

}  // namespace

// The index caches go to a temporary folder, never to the user's.
int main(int argc, char** argv)
{
    char pattern[] = "/tmp/dexaru-bench-cache-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        return 1;
    }
    setenv("XDG_CACHE_HOME", pattern, 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(pattern, ignored);
    return 0;
}
