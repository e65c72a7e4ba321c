#include "WordMeaningSearch.h"

#include "../Edict.h"
#include "../Kana.h"
#include "../Log.h"
#include "../WordDictionaryCollection.h"
#include "../WordEntry.h"
#include "../WordResult.h"
#include "EntryFilters.h"
#include "GlossMatch.h"
#include "MeaningScan.h"
#include "RomajiReading.h"
#include "TypedTextForms.h"

#include <cctype>
#include <cstring>
#include <cwchar>
#include <memory>
#include <vector>

namespace internal {

namespace {

// Whether a record's headword or reading, kana and case folded, is the
// folded text; most records differ in length, which is checked first.
bool foldsTo(const wchar_t* form, const std::wstring& foldedText)
{
    return form != nullptr && std::wcslen(form) == foldedText.size()
        && foldKanaAndCase(form) == foldedText;
}

// Whether a line found ranks before every line that is none of these: a
// common word, a headword or reading that is the kana searched (kana and
// case folded), a gloss that is the text.
struct Certainty
{
    std::string typed;
    std::string lowered;  // typed in small letters
    std::wstring foldedKana;

    bool operator()(const IndexEntry& record, const char* meanings, const char* end) const
    {
        static const char COMMON[] = "/(P)/";
        const std::size_t commonLength = sizeof COMMON - 1;
        if (memmem(meanings, end - meanings, COMMON, commonLength) != nullptr) {
            return true;
        }
        if (foldsTo(record.word, foldedKana)
            || foldsTo(record.kana != nullptr ? record.kana : record.word, foldedKana)) {
            return true;
        }
        // A gloss that is the text holds it as a word.
        if (!holdsWord(meanings, end, lowered)) {
            return false;
        }
        for (const char* gloss = meanings; gloss < end;) {
            const char* slash = static_cast<const char*>(std::memchr(gloss, '/', end - gloss));
            const char* glossEnd = slash != nullptr ? slash : end;
            if (glossSays(std::string(gloss, glossEnd), typed)) {
                return true;
            }
            gloss = glossEnd + 1;
        }
        return false;
    }
};

struct FoundLine
{
    int record;
    bool certain;
};

// The lines of an EDICT whose meanings hold the text (letter case kept)
// and, for a whole word, hold it as one (case ignored), in file order.
std::vector<FoundLine> linesWithText(Edict& edict, const Certainty& certainty, bool wholeWord)
{
    std::vector<FoundLine> lines;
    if (edict.file == nullptr || edict.indexEntriesSize == 0) {
        return lines;
    }
    if (std::fseek(edict.file, 0, SEEK_SET) != 0) {
        Log::write(3, "%s: Could not seek to the start of '%s'.", "search", edict.getFilename().c_str());
        return lines;
    }
    const IndexEntry* const records = edict.indexEntries;
    const int recordCount = edict.indexEntriesSize;
    int record = 0;
    scanMeanings(edict.file, certainty.typed, [&](long lineOffset, const char* line, std::size_t size) {
        while (record < recordCount && records[record].fileLocation < lineOffset) {
            ++record;
        }
        if (record >= recordCount || records[record].fileLocation != lineOffset) {
            return;
        }
        const char* nul = static_cast<const char*>(std::memchr(line, '\0', size));
        const char* end = nul != nullptr ? nul : line + size;
        while (end > line && (end[-1] == '\n' || end[-1] == '\r')) {
            --end;
        }
        const char* meanings = static_cast<const char*>(std::memchr(line, '/', end - line));
        if (meanings != nullptr && (!wholeWord || holdsWord(meanings, end, certainty.lowered))) {
            lines.push_back(FoundLine{record, certainty(records[record], meanings, end)});
        }
    });
    return lines;
}

// What one dictionary gave: the lines of an EDICT, to be read, or the
// entries of another kind of dictionary, already read.
struct DictionaryFinds
{
    WordDictionary* dictionary;
    int position;
    Edict* edict;
    std::vector<FoundLine> lines;
    std::vector<WordEntry*> entries;  // one per line, null until read or when filtered out
};

WordEntry* readLine(Edict& edict, int record, const WordDictionary::SearchOptions& options)
{
    std::unique_ptr<WordEntry> entry(edict.loadEntryFromEdict(edict.indexEntries[record].fileLocation));
    if (!entry || !passesFilters(*entry, options)) {
        return nullptr;
    }
    fillRomajiReading(*entry);
    return entry.release();
}

// Reads the lines of every EDICT that are (un)certain; returns how many
// passed the filters.
int readLines(std::vector<DictionaryFinds>& finds, bool certain,
              const WordDictionary::SearchOptions& options)
{
    int kept = 0;
    for (DictionaryFinds& find : finds) {
        for (std::size_t k = 0; find.edict != nullptr && k < find.lines.size(); ++k) {
            if (find.lines[k].certain == certain) {
                find.entries[k] = readLine(*find.edict, find.lines[k].record, options);
                kept += find.entries[k] != nullptr ? 1 : 0;
            }
        }
    }
    return kept;
}

// Another kind of dictionary is searched as a meaning search does; for a
// whole word, the entries without the text as a word are dropped.
std::vector<WordEntry*> searchOtherDictionary(WordDictionary& dictionary, const std::wstring& typed,
                                              const std::string& ascii,
                                              WordDictionary::SearchOptions options, bool wholeWord)
{
    options.searchFlags = WordDictionary::SEARCH_MEANING;
    std::vector<WordEntry*> kept;
    std::unique_ptr<std::vector<WordEntry*>> found(dictionary.search(typed, &options));
    for (WordEntry* entry : found ? *found : std::vector<WordEntry*>()) {
        if (!wholeWord || hasWord(*entry, ascii)) {
            kept.push_back(entry);
        } else {
            delete entry;
        }
    }
    return kept;
}

}  // namespace

WordResult* searchWordInMeanings(WordDictionaryCollection& collection, const WordMeaningQuery& query,
                                 const WordDictionary::SearchOptions& options)
{
    auto* result = new WordResult();
    const std::string typed = asciiOf(query.typed);
    std::string lowered = typed;
    for (char& character : lowered) {
        character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    }
    const Certainty certainty{typed, lowered, foldKanaAndCase(query.kana.c_str())};
    if (certainty.typed.empty()) {
        return result;
    }
    std::vector<DictionaryFinds> finds;
    for (std::size_t i = 0; i < collection.dictionaries.size(); ++i) {
        WordDictionary* dictionary = collection.dictionaries[i];
        if (!dictionary->isEnabled() || !dictionary->isLoaded) {
            continue;
        }
        DictionaryFinds find{dictionary, static_cast<int>(i), dynamic_cast<Edict*>(dictionary), {}, {}};
        if (find.edict != nullptr) {
            find.lines = linesWithText(*find.edict, certainty, query.wholeWord);
            find.entries.assign(find.lines.size(), nullptr);
        } else {
            find.entries = searchOtherDictionary(*dictionary, query.typed, certainty.typed, options,
                                                 query.wholeWord);
        }
        finds.push_back(std::move(find));
    }

    const int limit = options.limit;
    const bool bounded = query.ranked && limit >= 0;
    int certainKept = 0;
    if (bounded) {
        certainKept = readLines(finds, true, options);
    }
    const bool othersNeeded = !bounded || certainKept < limit;
    int allowance = query.ranked ? -1 : limit;
    int linesFound = 0;
    for (DictionaryFinds& find : finds) {
        linesFound += static_cast<int>(find.entries.size());
        for (std::size_t k = 0; k < find.entries.size(); ++k) {
            std::unique_ptr<WordEntry> entry(find.entries[k]);
            if (!entry && find.edict != nullptr && othersNeeded && allowance != 0
                && !(bounded && find.lines[k].certain)) {
                entry.reset(readLine(*find.edict, find.lines[k].record, options));
            }
            if (!entry || allowance == 0) {
                continue;
            }
            entry->dictionaryName = find.dictionary->name;
            entry->dictionaryIndex = find.position;
            result->addEntry(entry.release());
            allowance -= allowance > 0 ? 1 : 0;
        }
    }
    Log::write(7, "%s: %d lines with %s in their meanings, %d read.", "search", linesFound,
               certainty.typed.c_str(), result->getEntryCount());
    return result;
}

}  // namespace internal
