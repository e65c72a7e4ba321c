#include "IndexLookup.h"

#include "../Edict.h"
#include "../Kana.h"
#include "../WordEntry.h"
#include "RomajiReading.h"
#include "TextMatcher.h"

#include <bitset>
#include <cstdint>

namespace internal {

std::vector<std::vector<int>> recordsOfTexts(const Edict& edict, const std::vector<std::wstring>& texts,
                                             bool words, bool readings)
{
    std::vector<std::vector<int>> records(texts.size());
    std::vector<TextMatcher> matchers;
    std::wstring firstCharacters;
    // An exact match starts with the text's first character, and most
    // records start with none of them: one look into this table (by the low
    // 16 bits) passes them by.
    std::bitset<0x10000> startsSome;
    for (const std::wstring& text : texts) {
        matchers.emplace_back(text, false, CMP_CASE);
        firstCharacters += text.empty() ? L'\0' : text[0];
        startsSome.set(static_cast<uint16_t>(firstCharacters.back()));
    }
    auto mayMatch = [&startsSome](const wchar_t* target) {
        return target != nullptr && startsSome.test(static_cast<uint16_t>(target[0]));
    };
    auto matches = [&](const wchar_t* target, std::size_t k) {
        return target != nullptr && target[0] == firstCharacters[k] && matchers[k].matches(target);
    };
    for (int i = 0; i < edict.indexEntriesSize; ++i) {
        const IndexEntry& record = edict.indexEntries[i];
        const wchar_t* word = words ? record.word : nullptr;
        const wchar_t* reading = readings ? (record.kana != nullptr ? record.kana : record.word) : nullptr;
        if (!mayMatch(word) && !mayMatch(reading)) {
            continue;
        }
        for (std::size_t k = 0; k < texts.size(); ++k) {
            if (matches(word, k) || matches(reading, k)) {
                records[k].push_back(i);
            }
        }
    }
    return records;
}

std::vector<WordEntry*> entriesOfRecords(Edict& edict, const std::vector<int>& records)
{
    std::vector<WordEntry*> entries;
    for (int record : records) {
        WordEntry* entry = edict.loadEntryFromEdict(edict.indexEntries[record].fileLocation);
        if (entry == nullptr) {
            continue;
        }
        fillRomajiReading(*entry);
        entries.push_back(entry);
    }
    return entries;
}

}  // namespace internal
