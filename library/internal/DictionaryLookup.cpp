#include "internal/DictionaryLookup.h"

#include "Edict.h"
#include "Kana.h"
#include "WordDictionaryCollection.h"
#include "WordEntry.h"
#include "internal/HeadwordTable.h"
#include "internal/LineScanner.h"
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

}  // namespace

struct DictionaryLookup::Source
{
    WordDictionary* dictionary;
    Edict* edict;  // null for other kinds of word dictionary
    const HeadwordTable* table;  // null unless edict is set
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
        return;
    }
    for (std::size_t i = 0; i < collection->dictionaries.size(); ++i) {
        WordDictionary* dictionary = collection->dictionaries[i];
        if (!dictionary->isEnabled() || !dictionary->isLoaded) {
            continue;
        }
        Source source{dictionary, dynamic_cast<Edict*>(dictionary), nullptr, static_cast<int>(i)};
        if (source.edict != nullptr) {
            std::unique_ptr<HeadwordTable>& table = tables[dictionary];
            if (!table || !table->isFor(*source.edict)) {
                table.reset(new HeadwordTable(*source.edict));
                entryCache.clear();  // record numbers of a reloaded index mean other lines
            }
            source.table = table.get();
            longest = std::max(longest, table->longestKey());
        } else {
            longest = std::max<std::size_t>(longest, 64);
        }
        sources.push_back(source);
    }
    if (entryCache.size() > ENTRY_CACHE_LIMIT) {
        entryCache.clear();
    }
}

void DictionaryLookup::find(const wchar_t* text, std::size_t length,
                            std::vector<FoundEntry>* entries)
{
    entries->clear();
    for (const Source& source : sources) {
        if (source.table == nullptr) {
            findBySearch(source, std::wstring(text, length), entries);
            continue;
        }
        source.table->find(text, length, &records);
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
        possible = std::max(possible, source.table != nullptr
                                          ? source.table->possiblePrefix(text, length)
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
    const uint64_t key = (static_cast<uint64_t>(source.position) << 32) | static_cast<uint32_t>(record);
    auto cached = entryCache.find(key);
    if (cached != entryCache.end()) {
        return cached->second;
    }
    std::shared_ptr<WordEntry> entry(
        source.edict->loadEntryFromEdict(source.edict->indexEntries[record].fileLocation));
    if (entry) {
        fillRomajiReading(*entry);
        entry->dictionaryName = source.dictionary->name;
        entry->dictionaryIndex = source.position;
    }
    const bool usuallyKana = entry && isUsuallyKana(*entry);
    return entryCache.emplace(key, FoundEntry{std::move(entry), usuallyKana}).first->second;
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
        entries->push_back(
            FoundEntry{std::shared_ptr<const WordEntry>(entry), isUsuallyKana(*entry)});
    }
}

}  // namespace internal
