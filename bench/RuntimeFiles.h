// The real dictionaries the benchmarks read from the runtime folder, and the
// check that skips a benchmark, with a message, when its files are missing.
#ifndef DEXARU_BENCH_RUNTIMEFILES_H
#define DEXARU_BENCH_RUNTIMEFILES_H

#include <benchmark/benchmark.h>

#include <cstdio>
#include <initializer_list>

namespace runtimefiles {

inline const char* const EDICT = DEXARU_RUNTIME_DIR "/dictionaries/edict/edict";
inline const char* const KANJIDIC = DEXARU_RUNTIME_DIR
    "/dictionaries/kanjidic/kanjidic.jis-x-0208-1990";
inline const char* const RADKFILE = DEXARU_RUNTIME_DIR "/dictionaries/radical/radkfile";
inline const char* const RADKFILE2 = DEXARU_RUNTIME_DIR "/dictionaries/radical/radkfile2";

inline bool present(const char* file)
{
    FILE* stream = std::fopen(file, "rb");
    if (stream == nullptr)
        return false;
    std::fclose(stream);
    return true;
}

// True when every file can be read; otherwise marks the benchmark skipped
// with the message, and the caller returns.
inline bool allPresent(benchmark::State& state, std::initializer_list<const char*> files,
                       const char* missing)
{
    for (const char* file : files) {
        if (!present(file)) {
            state.SkipWithError(missing);
            return false;
        }
    }
    return true;
}

}  // namespace runtimefiles

#endif
