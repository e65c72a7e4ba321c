#include "internal/MeaningTags.h"

#include "../Log.h"
#include "../PartsOfSpeech.h"
#include "../WordEntry.h"

#include <utility>

namespace {

// Records every abbreviation of the group that the table knows; returns
// whether there was one.
bool recogniseGroup(const std::string& group, PartsOfSpeech* table, WordEntry* entry)
{
    if (table == nullptr) {
        return false;
    }
    bool recognised = false;
    size_t start = 0;
    while (true) {
        const size_t comma = group.find(',', start);
        const std::string item = group.substr(start, comma == std::string::npos ? std::string::npos
                                                                                : comma - start);
        const std::string description = table->search(item);
        if (!description.empty()) {
            EntryInfo* info = new EntryInfo();
            info->abbreviation = item;
            info->text = description;
            entry->info.push_back(info);
            recognised = true;
        }
        if (comma == std::string::npos) {
            return recognised;
        }
        start = comma + 1;
    }
}

}  // namespace

namespace internal {

void takeCommonMarker(WordEntry* entry)
{
    for (int i = 0; i < entry->meaningsSize; ++i) {
        if (entry->meanings[i] == "(P)") {
            entry->isCommon = true;
            for (int j = i; j + 1 < entry->meaningsSize; ++j) {
                entry->meanings[j] = std::move(entry->meanings[j + 1]);
            }
            entry->meaningsSize--;
            entry->meanings[entry->meaningsSize].clear();
            return;
        }
    }
}

void takePartsOfSpeech(std::string& meaning, PartsOfSpeech* table, WordEntry* entry)
{
    size_t j = 0;
    while (j < meaning.size()) {
        if (meaning[j] == ' ') {
            ++j;
            continue;
        }
        if (meaning[j] != '(') {
            return;
        }
        const size_t close = meaning.find(')', j + 1);
        if (close == std::string::npos) {
            Log::write(3, "%s: ERROR: could not find ending ')'.", "loadEntryFromEdict");
            return;
        }
        if (!recogniseGroup(meaning.substr(j + 1, close - j - 1), table, entry)) {
            ++j;
            continue;
        }
        meaning.erase(j, close - j + 1);
        if (!meaning.empty() && meaning[0] == ' ') {
            meaning.erase(0, 1);
        }
    }
}

}  // namespace internal
