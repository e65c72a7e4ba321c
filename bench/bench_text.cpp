// Cost of the text helpers on the inputs the dictionary loaders and the
// searches feed them: one short EUC-JP field, one typed romaji word, and a
// many-star wildcard expression against a long target.
#include <benchmark/benchmark.h>

#include <string>

#include "Encoding.h"
#include "Jwcs.h"
#include "Romaji.h"

static void BM_ConvertShortEucJpWord(benchmark::State& state)
{
    char word[] = "\xa4\xbf\xa4\xd9\xa4\xeb";  // たべる
    for (auto _ : state) {
        char* data = nullptr;
        int size = 0;
        int status = Encoding::convert("euc-jp", word, 6, "WCHAR_T", &data, &size);
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(data);
        delete[] data;
    }
}
BENCHMARK(BM_ConvertShortEucJpWord);

static void BM_RomajiStringToKana20Letters(benchmark::State& state)
{
    const std::wstring word = L"konnichihashinbunkya";  // 20 letters
    for (auto _ : state) {
        std::wstring kana = Romaji::romajiStringToKana(word, true);
        benchmark::DoNotOptimize(kana);
    }
}
BENCHMARK(BM_RomajiStringToKana20Letters);

static void BM_XcmpManyStarsAgainstLongTarget(benchmark::State& state)
{
    const std::wstring target(2000, L'a');
    for (auto _ : state) {
        int result = Jwcs::xcmp(target.c_str(), L"*a*a*a*a*a*a*a*a*b", CMP_CASE);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_XcmpManyStarsAgainstLongTarget);

BENCHMARK_MAIN();
