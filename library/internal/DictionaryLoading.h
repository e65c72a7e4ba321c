// The load loop both dictionary collections run: each dictionary in order,
// skipping those loaded or loading, with the same trace lines for both.
#ifndef DEXARU_INTERNAL_DICTIONARYLOADING_H
#define DEXARU_INTERNAL_DICTIONARYLOADING_H

#include "Log.h"

#include <cstddef>
#include <vector>

namespace internal {

// Loads every dictionary not yet loaded or loading, calling prepare(d)
// just before d->load(). `kind` names the dictionaries in the trace lines.
// A failed load leaves the dictionary unloaded, to be tried again.
template <typename Dictionary, typename Prepare>
void loadEachDictionary(const std::vector<Dictionary*>& dictionaries, const char* kind,
                        Prepare prepare)
{
    Log::write(7, "%s: Loading the dictionaries...", "load");
    for (std::size_t i = 0; i < dictionaries.size(); ++i) {
        Dictionary* dictionary = dictionaries[i];
        const int position = static_cast<int>(i);
        Log::write(7, "%s: Working on dictionary [ %d ]...", "load", position);
        if (dictionary->isLoaded) {
            Log::write(7, "%s: %s [ %d ] is already loaded.", "load", kind, position);
            continue;
        }
        if (dictionary->isLoading) {
            Log::write(7, "%s: %s [ %d ] is already loading.", "load", kind, position);
            continue;
        }
        dictionary->isLoading = true;
        dictionary->percentDone = 0;
        prepare(dictionary);
        const int status = dictionary->load();
        dictionary->isLoading = false;
        if (status == 0) {
            dictionary->isLoaded = true;
            dictionary->percentDone = 100;
        }
        Log::write(7, "%s: %s [ %d ] status: %d.", "load", kind, position, status);
    }
}

}  // namespace internal

#endif
