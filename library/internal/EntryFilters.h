// The filters a word search applies to each entry it found: common words
// only or uncommon only, and the parts of speech asked for (any or all of
// them). Internal to the library; not installed.
#ifndef DEXARU_INTERNAL_ENTRYFILTERS_H
#define DEXARU_INTERNAL_ENTRYFILTERS_H

#include "../WordDictionary.h"
#include "../WordEntry.h"

#include <string>

namespace internal {

inline bool hasAbbreviation(const WordEntry& entry, const std::string& abbreviation)
{
    for (const EntryInfo* item : entry.info) {
        if (item->abbreviation == abbreviation) {
            return true;
        }
    }
    return false;
}

inline bool passesFilters(const WordEntry& entry, const WordDictionary::SearchOptions& options)
{
    if (options.commonFilter == 1 && !entry.isCommon) {
        return false;
    }
    if (options.commonFilter == 2 && entry.isCommon) {
        return false;
    }
    if (options.partsOfSpeech.empty()) {
        return true;
    }
    for (const std::string& abbreviation : options.partsOfSpeech) {
        const bool found = hasAbbreviation(entry, abbreviation);
        if (options.matchAllPartsOfSpeech && !found) {
            return false;
        }
        if (!options.matchAllPartsOfSpeech && found) {
            return true;
        }
    }
    return options.matchAllPartsOfSpeech;
}

}  // namespace internal

#endif
