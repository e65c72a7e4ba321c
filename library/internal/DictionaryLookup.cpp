#include "internal/DictionaryLookup.h"

#include "Edict.h"
#include "Kana.h"
#include "WordDictionaryCollection.h"
#include "WordEntry.h"
#include "internal/HeadwordTable.h"
#include "internal/LineScanner.h"
#include "internal/Morphology.h"
#include "internal/RomajiReading.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace internal {

namespace {

// Enough entries for the words of a long book; beyond it the cache starts over.
const std::size_t ENTRY_CACHE_LIMIT = 100000;

// Whether the entry is marked "usually written in kana": as a recognised
// tag, or in a gloss after its sense number ("(1) (uk) here"), where the
// tags are not taken out.
bool isUsuallyKana(const WordEntry& entry)
{
    for (const EntryInfo* info : entry.info) {
        if (info->abbreviation == "uk") {
            return true;
        }
    }
    for (int i = 0; i < entry.meaningsSize; ++i) {
        if (entry.meanings[i].find("(uk)") != std::string::npos) {
            return true;
        }
    }
    return false;
}

// The word classes of the entry's tags, those the reader took out and those
// left at the start of later senses ("(n) (2) moderation").
uint32_t wordClassesOf(const WordEntry& entry)
{
    uint32_t classes = 0;
    for (const EntryInfo* info : entry.info) {
        classes |= wordClassesOfTag(info->abbreviation);
    }
    for (int i = 0; i < entry.meaningsSize; ++i) {
        const std::string& gloss = entry.meanings[i];
        std::size_t at = 0;
        while (at < gloss.size() && gloss[at] == '(') {
            const std::size_t close = gloss.find(')', at);
            if (close == std::string::npos) {
                break;
            }
            std::size_t tagStart = at + 1;
            while (tagStart <= close) {
                std::size_t tagEnd = gloss.find(',', tagStart);
                if (tagEnd == std::string::npos || tagEnd > close) {
                    tagEnd = close;
                }
                classes |= wordClassesOfTag(gloss.substr(tagStart, tagEnd - tagStart));
                tagStart = tagEnd + 1;
            }
            at = close + 1;
            while (at < gloss.size() && gloss[at] == ' ') {
                ++at;
            }
        }
    }
    return classes;
}

FoundEntry foundEntry(std::shared_ptr<const WordEntry> entry)
{
    const bool usuallyKana = entry && isUsuallyKana(*entry);
    const uint32_t classes = entry ? wordClassesOf(*entry) : 0;
    return FoundEntry{std::move(entry), usuallyKana, classes};
}

// A cheap mark of an index's identity and content: where it lies, how many
// records it has, and a sample of their lines and keys. A reload that puts a
// new index at the old address with other lines changes it.
uint64_t fingerprintOf(const Edict& edict)
{
    uint64_t mark = 1469598103934665603ull;
    auto mix = [&mark](uint64_t value) { mark = (mark ^ value) * 1099511628211ull; };
    mix(reinterpret_cast<uintptr_t>(edict.indexEntries));
    mix(static_cast<uint64_t>(edict.indexEntriesSize));
    mix(reinterpret_cast<uintptr_t>(edict.file));
    const int size = edict.indexEntriesSize;
    if (edict.indexEntries == nullptr || size <= 0) {
        return mark;
    }
    const int samples = std::min(size, 64);
    for (int s = 0; s < samples; ++s) {
        const IndexEntry& record = edict.indexEntries[static_cast<long long>(s) * (size - 1) / std::max(samples - 1, 1)];
        mix(static_cast<uint64_t>(record.fileLocation));
        for (const wchar_t* c = record.word; c != nullptr && *c != 0 && c - record.word < 8; ++c) {
            mix(static_cast<uint64_t>(*c));
        }
    }
    return mark;
}

}  // namespace

struct DictionaryLookup::DictionaryState
{
    std::unique_ptr<HeadwordTable> table;
    uint64_t fingerprint = 0;
    int position = -1;  // the place the cached entries name
    std::unordered_map<int, FoundEntry> entries;  // by record number
};

struct DictionaryLookup::Source
{
    WordDictionary* dictionary;
    Edict* edict;  // null for other kinds of word dictionary
    DictionaryState* state;  // null unless edict is set
    int position;  // in the collection
};

DictionaryLookup::DictionaryLookup(WordDictionaryCollection* collection) : collection(collection)
{
}

DictionaryLookup::~DictionaryLookup() = default;

void DictionaryLookup::refresh()
{
    sources.clear();
    longest = 0;
    if (collection == nullptr) {
        states.clear();
        return;
    }
    std::map<const WordDictionary*, std::unique_ptr<DictionaryState>> kept;
    for (std::size_t i = 0; i < collection->dictionaries.size(); ++i) {
        WordDictionary* dictionary = collection->dictionaries[i];
        if (!dictionary->isEnabled() || !dictionary->isLoaded) {
            continue;
        }
        Source source{dictionary, dynamic_cast<Edict*>(dictionary), nullptr, static_cast<int>(i)};
        if (source.edict != nullptr) {
            std::unique_ptr<DictionaryState> state;
            auto known = states.find(dictionary);
            if (known != states.end()) {
                state = std::move(known->second);
            }
            const uint64_t fingerprint = fingerprintOf(*source.edict);
            if (!state || !state->table->isFor(*source.edict) || state->fingerprint != fingerprint) {
                // A new or reloaded index: record numbers mean other lines.
                state.reset(new DictionaryState);
                state->table.reset(new HeadwordTable(*source.edict));
                state->fingerprint = fingerprint;
            }
            if (state->position != source.position || state->entries.size() > ENTRY_CACHE_LIMIT) {
                state->entries.clear();  // entries name their dictionary's place
                state->position = source.position;
            }
            source.state = state.get();
            longest = std::max(longest, state->table->longestKey());
            kept[dictionary] = std::move(state);
        } else {
            longest = std::max<std::size_t>(longest, 64);
        }
        sources.push_back(source);
    }
    // Tables of dictionaries gone, disabled or unloaded are dropped.
    states = std::move(kept);
}

void DictionaryLookup::find(const wchar_t* text, std::size_t length,
                            std::vector<FoundEntry>* entries)
{
    entries->clear();
    for (const Source& source : sources) {
        if (source.state == nullptr) {
            findBySearch(source, std::wstring(text, length), entries);
            continue;
        }
        source.state->table->find(text, length, &records);
        for (int record : records) {
            const FoundEntry& found = entryAt(source, record);
            if (found.entry) {
                entries->push_back(found);
            }
        }
    }
}

std::size_t DictionaryLookup::possiblePrefix(const wchar_t* text, std::size_t length) const
{
    std::size_t possible = 0;
    for (const Source& source : sources) {
        possible = std::max(possible, source.state != nullptr
                                          ? source.state->table->possiblePrefix(text, length)
                                          : length);
        if (possible == length) {
            break;
        }
    }
    return possible;
}

// The entry of an indexed line, read once and then kept.
const FoundEntry& DictionaryLookup::entryAt(const Source& source, int record)
{
    std::unordered_map<int, FoundEntry>& cache = source.state->entries;
    auto cached = cache.find(record);
    if (cached != cache.end()) {
        return cached->second;
    }
    std::shared_ptr<WordEntry> entry(
        source.edict->loadEntryFromEdict(source.edict->indexEntries[record].fileLocation));
    if (entry) {
        fillRomajiReading(*entry);
        entry->dictionaryName = source.dictionary->name;
        entry->dictionaryIndex = source.position;
    }
    return cache.emplace(record, foundEntry(std::move(entry))).first->second;
}

// Dictionaries without an index of their own answer through an exact search.
void DictionaryLookup::findBySearch(const Source& source, const std::wstring& text,
                                    std::vector<FoundEntry>* entries)
{
    WordDictionary::SearchOptions options;
    options.searchFlags = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA;
    std::unique_ptr<std::vector<WordEntry*>> found(source.dictionary->search(text, &options));
    if (!found) {
        return;
    }
    for (WordEntry* entry : *found) {
        entry->dictionaryName = source.dictionary->name;
        entry->dictionaryIndex = source.position;
        entries->push_back(foundEntry(std::shared_ptr<const WordEntry>(entry)));
    }
}

}  // namespace internal
