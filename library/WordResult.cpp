#include "WordResult.h"

#include "Kana.h"
#include "Log.h"
#include "WordEntry.h"
#include "internal/CommonKanji.h"
#include "internal/EntryIdentity.h"
#include "internal/VisibleRows.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

EnhancedEntry::EnhancedEntry() : entry(nullptr), isVisible(true)
{
}

EnhancedEntry::~EnhancedEntry()
{
    delete entry;
}

WordResult::WordResult() : entryIndex(-1), sorter(new WordResultSorter())
{
    resetNextEntry();
    resetSort();
}

WordResult::~WordResult()
{
    delete sorter;
    for (EnhancedEntry* row : entries) {
        delete row;
    }
}

int WordResult::addEntry(WordEntry* entry)
{
    if (entry == nullptr) {
        return 1;
    }
    EnhancedEntry* row = new EnhancedEntry();
    row->entry = entry;
    row->isVisible = true;
    entries.push_back(row);
    return 0;
}

int WordResult::sort()
{
    std::sort(entries.begin(), entries.end(), WordResultSorter(*sorter));
    return 0;
}

int WordResult::resetSort()
{
    sorter->clear();
    sorter->addColumn(SORT_KANA, ORDER_ASCENDING);
    sorter->addColumn(SORT_WORD, ORDER_ASCENDING);
    sorter->addColumn(SORT_COMMON, ORDER_DESCENDING);
    return 0;
}

namespace {

// The number of reasons for an entry found through deinflection (at least
// one), 0 for an entry found as typed.
std::size_t stepsOf(const WordEntry& entry)
{
    return entry.isDeinflected() ? std::max<std::size_t>(entry.deinflectionReasons.size(), 1) : 0;
}

// The sense number a gloss opens, such as 2 for "(2)", or 0 for a gloss
// that goes on with the sense before it.
int senseNumberOf(const std::string& gloss)
{
    for (std::size_t open = gloss.find('('); open != std::string::npos; open = gloss.find('(', open + 1)) {
        std::size_t digits = open + 1;
        while (digits < gloss.size() && gloss[digits] >= '0' && gloss[digits] <= '9') {
            ++digits;
        }
        if (digits > open + 1 && digits < gloss.size() && gloss[digits] == ')') {
            return std::atoi(gloss.c_str() + open + 1);
        }
    }
    return 0;
}

// The number of senses of an entry: glosses that open with a sense number
// such as "(2)", at least one. Basic words have many senses; a word with
// one narrow sense and many synonyms has many glosses but one sense.
int senseCount(const WordEntry& entry)
{
    int senses = 0;
    for (int m = 0; m < entry.meaningsSize; ++m) {
        if (senseNumberOf(entry.meanings[m]) > 0) {
            ++senses;
        }
    }
    return std::max(senses, 1);
}

// When the kanji of a headword are learnt, in coarse stages: none, the
// first three school years, the last three, later. Finer steps would let
// the year alone order words a learner meets equally early (生きる before
// 行く for いきました).
int schoolStage(int latestYear)
{
    return (latestYear + 2) / 3;
}

bool isKana(const std::wstring& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](wchar_t character) {
        return (character >= 0x3040 && character <= 0x30FF) || character == 0x30FC;
    });
}

// The text typed, as the entries found through deinflection record it
// (empty when none was).
std::wstring typedText(const std::vector<EnhancedEntry*>& rows)
{
    for (const EnhancedEntry* row : rows) {
        if (row->entry->isDeinflected()) {
            return row->entry->deinflectedFrom;
        }
    }
    return std::wstring();
}

bool hasTag(const WordEntry& entry, const char* abbreviation)
{
    return std::any_of(entry.info.begin(), entry.info.end(), [abbreviation](const EntryInfo* info) {
        return info != nullptr && info->abbreviation == abbreviation;
    });
}

// Whether a word is written in kana: its headword is, or the dictionary
// says it usually is ("uk", which EDICT also writes inside a numbered
// sense). Of a word with suffix uses only the first sense counts: 易い is
// written in kana as the suffix of 読みやすい, not as "easy".
bool isWrittenInKana(const WordEntry& entry)
{
    if (isKana(entry.word) || hasTag(entry, "uk")) {
        return true;
    }
    const bool hasSuffixUses = hasTag(entry, "suf");
    int sense = 1;
    for (int m = 0; m < entry.meaningsSize; ++m) {
        const int number = senseNumberOf(entry.meanings[m]);
        sense = number > 0 ? number : sense;
        if ((sense == 1 || !hasSuffixUses) && entry.meanings[m].find("(uk)") != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Whether the text was typed in kana and a common word usually written in
// kana was found through deinflection: then a kanji word that merely reads
// like the text (市内 for しない, beside する) is the less likely one. Not
// for two kana or fewer: those are far more often a noun (紙 for かみ, 下
// for した) than a short form.
bool kanaWordExplainsKanaText(const std::vector<EnhancedEntry*>& rows)
{
    const std::wstring typed = typedText(rows);
    if (typed.size() <= 2 || !isKana(typed)) {
        return false;
    }
    return std::any_of(rows.begin(), rows.end(), [](const EnhancedEntry* row) {
        const WordEntry& entry = *row->entry;
        return entry.isDeinflected() && entry.isCommon && isWrittenInKana(entry);
    });
}

// The groups of the relevance order, first to last.
enum Tier
{
    COMMON_AS_TYPED,
    COMMON_DEINFLECTED,
    COMMON_READING_ONLY,
    UNCOMMON_AS_TYPED,
    UNCOMMON_DEINFLECTED
};

Tier tierOf(const WordEntry& entry, bool readingsGiveWay)
{
    if (entry.isDeinflected()) {
        return entry.isCommon ? COMMON_DEINFLECTED : UNCOMMON_DEINFLECTED;
    }
    if (!entry.isCommon) {
        return UNCOMMON_AS_TYPED;
    }
    return readingsGiveWay && !isWrittenInKana(entry) ? COMMON_READING_ONLY : COMMON_AS_TYPED;
}

// The school stage of a headword's kanji; a word usually written in kana
// has none to learn (為る is する).
int schoolStageOf(const WordEntry& entry)
{
    return isWrittenInKana(entry) ? 0 : schoolStage(commonKanji::latestSchoolYear(entry.word));
}

// The kanji outside everyday writing in a headword; a loanword usually
// written in katakana has none to read (珈琲 is コーヒー), while a word
// usually written in hiragana keeps them (掻く after 書く for かく).
int rareKanjiOf(const WordEntry& entry)
{
    const bool katakanaWord = !entry.kana.empty() && Kana::isKatakana(entry.kana);
    return katakanaWord && isWrittenInKana(entry) ? 0 : commonKanji::rareKanjiCount(entry.word);
}

// The relevance of a row packed into one number, smaller first: tier,
// steps, the twin verb, rare kanji, school stage, then more senses and more
// glosses first, then fewer rules. Each field is capped to its bits, far
// beyond what any dictionary line holds.
std::uint64_t relevanceKey(const WordEntry& entry, bool readingsGiveWay)
{
    struct Field
    {
        std::uint64_t value;
        int bits;
    };
    const auto capped = [](std::uint64_t value, int bits) {
        return std::min<std::uint64_t>(value, (std::uint64_t(1) << bits) - 1);
    };
    const auto fewerFirst = [&capped](std::uint64_t value, int bits) {
        return Field{capped(value, bits), bits};
    };
    const auto moreFirst = [&capped](std::uint64_t value, int bits) {
        return Field{((std::uint64_t(1) << bits) - 1) - capped(value, bits), bits};
    };
    const bool twin = hasTag(entry, "vz") || hasTag(entry, "vs-s");
    const Field fields[] = {
        fewerFirst(tierOf(entry, readingsGiveWay), 4),
        fewerFirst(stepsOf(entry), 8),
        fewerFirst(twin ? 0 : 1, 1),
        fewerFirst(static_cast<std::uint64_t>(rareKanjiOf(entry)), 7),
        fewerFirst(static_cast<std::uint64_t>(schoolStageOf(entry)), 4),
        moreFirst(static_cast<std::uint64_t>(senseCount(entry)), 10),
        moreFirst(static_cast<std::uint64_t>(std::max(entry.meaningsSize, 0)), 14),
        fewerFirst(static_cast<std::uint64_t>(std::max(entry.deinflectionRules, 0)), 16),
    };
    std::uint64_t key = 0;
    for (const Field& field : fields) {
        key = (key << field.bits) | field.value;
    }
    return key;
}

}  // namespace

int WordResult::sortByRelevance()
{
    const bool readingsGiveWay = kanaWordExplainsKanaText(entries);
    // Each row's rank is worked out once, not at every comparison.
    std::vector<std::pair<std::uint64_t, EnhancedEntry*>> ranked;
    ranked.reserve(entries.size());
    for (EnhancedEntry* row : entries) {
        ranked.emplace_back(relevanceKey(*row->entry, readingsGiveWay), row);
    }
    // Rows of equal rank keep the sorter's order. A collection hands its
    // results over in that order already, and then the stable sort keeps
    // it without comparing a single string.
    WordResultSorter byColumns(*sorter);
    const bool inSorterOrder = std::is_sorted(entries.begin(), entries.end(), byColumns);
    std::stable_sort(ranked.begin(), ranked.end(),
                     [&byColumns, inSorterOrder](const std::pair<std::uint64_t, EnhancedEntry*>& a,
                                                 const std::pair<std::uint64_t, EnhancedEntry*>& b) {
                         if (a.first != b.first || inSorterOrder) {
                             return a.first < b.first;
                         }
                         return byColumns(a.second, b.second);
                     });
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        entries[i] = ranked[i].second;
    }
    // A whole dictionary can come through here (a search for "*", the
    // words of a kanji without a limit): the rows kept so far are found by
    // their hash, not by comparing each row with all of them.
    internal::EntrySet kept;
    kept.reserve(entries.size());
    for (EnhancedEntry* row : entries) {
        if (row->isVisible && !kept.insert(row->entry).second) {
            row->isVisible = false;
        }
    }
    return 0;
}

int WordResult::keepFirst(int count)
{
    resetNextEntry();
    if (count < 0) {
        return 0;
    }
    std::vector<EnhancedEntry*> kept;
    for (EnhancedEntry* row : entries) {
        if (row->isVisible && static_cast<int>(kept.size()) < count) {
            kept.push_back(row);
        } else {
            delete row;
        }
    }
    entries.swap(kept);
    return 0;
}

WordEntry* WordResult::getNextEntry()
{
    return internal::nextVisible(entries, entryIndex);
}

int WordResult::resetNextEntry()
{
    entryIndex = -1;
    return 0;
}

int WordResult::getEntryCount()
{
    return internal::countVisible(entries);
}

std::vector<WordEntry*> WordResult::getEntries()
{
    return internal::visibleEntries(entries);
}

std::set<wchar_t> WordResult::getCharacters()
{
    std::set<wchar_t> characters;
    internal::forEachVisible(entries, [&characters](const WordEntry* entry) {
        characters.insert(entry->word.begin(), entry->word.end());
    });
    return characters;
}

int WordResult::filter(std::wstring, WordDictionary::SearchOptions*)
{
    Log::write(3, "%s: NOT IMPLEMENTED.", "filter");
    return 0;
}

int WordResult::resetFilter()
{
    return 0;
}

WordResultSorter::WordResultSorter() = default;

WordResultSorter::WordResultSorter(const WordResultSorter& other)
    : columns(other.columns), columnOrder(other.columnOrder)
{
}

int WordResultSorter::addColumn(WordResult::Sort column, WordResult::Order order)
{
    columns.push_back(column);
    columnOrder.push_back(order);
    return 0;
}

int WordResultSorter::clear()
{
    columns.clear();
    columnOrder.clear();
    return 0;
}

namespace {

// Negative when a goes first on this column, positive when b does, 0 when
// the column does not decide.
int compareColumn(WordResult::Sort column, const WordEntry& a, const WordEntry& b)
{
    switch (column) {
    case WordResult::SORT_WORD: return a.word.compare(b.word);
    case WordResult::SORT_WORD_LENGTH:
        return a.word.size() < b.word.size() ? -1 : (a.word.size() > b.word.size() ? 1 : 0);
    case WordResult::SORT_KANA: return a.kana.compare(b.kana);
    case WordResult::SORT_KANA_LENGTH:
        return a.kana.size() < b.kana.size() ? -1 : (a.kana.size() > b.kana.size() ? 1 : 0);
    case WordResult::SORT_COMMON: return a.isCommon == b.isCommon ? 0 : (a.isCommon ? 1 : -1);
    }
    return 0;
}

}  // namespace

bool WordResultSorter::operator()(EnhancedEntry* a, EnhancedEntry* b)
{
    for (std::size_t i = 0; i < columns.size(); ++i) {
        int comparison = compareColumn(columns[i], *a->entry, *b->entry);
        if (comparison != 0) {
            bool aFirst = comparison < 0;
            return columnOrder[i] == WordResult::ORDER_DESCENDING ? !aFirst : aFirst;
        }
    }
    return false;
}
