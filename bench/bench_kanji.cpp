// Cost of the kanji side on the real files: indexing KANJIDIC, reading the
// radical table, the kanji lookup that follows every word search (30 kanji,
// the size of a typical result) and a radical-picker query of three radicals.
#include <benchmark/benchmark.h>

#include <set>
#include <string>

#include "CharacterDictionaryCollection.h"
#include "Kanjidic.h"
#include "RadicalTable.h"
#include "RuntimeFiles.h"

namespace {

using runtimefiles::allPresent;
const char* const KANJIDIC_FILE = runtimefiles::KANJIDIC;
const char* const RADICAL_FILES[] = {runtimefiles::RADKFILE, runtimefiles::RADKFILE2};

void loadRadicals(RadicalTable& table)
{
    for (const char* file : RADICAL_FILES)
        table.addFilename(file);
    table.load();
}

void BM_KanjidicLoad(benchmark::State& state)
{
    if (!allPresent(state, {KANJIDIC_FILE}, "no KANJIDIC file in the runtime folder"))
        return;
    for (auto _ : state) {
        Kanjidic dictionary;
        dictionary.setFilename(KANJIDIC_FILE);
        int status = dictionary.load();
        benchmark::DoNotOptimize(status);
    }
}
BENCHMARK(BM_KanjidicLoad)->Unit(benchmark::kMillisecond);

void BM_RadicalTableLoad(benchmark::State& state)
{
    if (!allPresent(state, {RADICAL_FILES[0]}, "no radical file in the runtime folder"))
        return;
    for (auto _ : state) {
        RadicalTable table;
        loadRadicals(table);
        benchmark::DoNotOptimize(table.radicalList.data());
    }
}
BENCHMARK(BM_RadicalTableLoad)->Unit(benchmark::kMillisecond);

void BM_CharacterSearch30Kanji(benchmark::State& state)
{
    if (!allPresent(state, {KANJIDIC_FILE, RADICAL_FILES[0]},
                    "no KANJIDIC or radical file in the runtime folder"))
        return;
    RadicalTable table;
    loadRadicals(table);
    CharacterDictionaryCollection collection;
    Kanjidic* kanjidic = new Kanjidic();
    kanjidic->setName("The usual Kanjidic");
    kanjidic->setFilename(KANJIDIC_FILE);
    collection.addDictionary(kanjidic);
    collection.load();
    collection.setRadicalTable(&table);
    // The characters of the words found for 日本: kanji from all over the file.
    const std::wstring characters =
        L"日本人語国学生先見上下中大小月火水木金土山川田"
        L"右左出入書読猫";
    const std::set<wchar_t> kanji(characters.begin(), characters.end());
    for (auto _ : state) {
        CharacterResult* result = collection.search(kanji);
        benchmark::DoNotOptimize(result);
        delete result;
    }
    state.counters["kanji"] = static_cast<double>(kanji.size());
}
BENCHMARK(BM_CharacterSearch30Kanji)->Unit(benchmark::kMillisecond);

void BM_KanjiFromThreeRadicals(benchmark::State& state)
{
    if (!allPresent(state, {RADICAL_FILES[0]}, "no radical file in the runtime folder"))
        return;
    RadicalTable table;
    loadRadicals(table);
    // 口 first: the radical with the most kanji gives the largest start set.
    const std::wstring radicals = L"口十日";
    size_t found = 0;
    for (auto _ : state) {
        std::set<wchar_t> kanji = table.getKanjiFromRadicals(radicals);
        found = kanji.size();
        benchmark::DoNotOptimize(kanji);
    }
    state.counters["kanji"] = static_cast<double>(found);
}
BENCHMARK(BM_KanjiFromThreeRadicals)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The loaders trace every step on standard error; keep the report readable.
    if (freopen("/dev/null", "w", stderr) == nullptr)
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
