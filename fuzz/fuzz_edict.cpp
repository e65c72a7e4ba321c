// Fuzzes the EDICT reader: the input is the dictionary file. It is loaded,
// searched by word, reading, wildcard and meaning (with the common and
// part-of-speech filters), and every indexed line is read back as an entry.
// Oracle: each index record holds the headword and reading that
// getEdictWordAndKana finds on the same line.
#include "FuzzSupport.h"

#include "Edict.h"
#include "PartsOfSpeech.h"
#include "WordEntry.h"

#include <cwchar>
#include <string>

namespace {

ScratchFile* dictionaryFile;
PartsOfSpeech* partsOfSpeech;

void runSearch(Edict& edict, const std::wstring& text, int flags, int commonFilter,
               std::vector<std::string> tags, bool matchAll)
{
    WordDictionary::SearchOptions options;
    options.searchFlags = flags;
    options.commonFilter = commonFilter;
    options.limit = -1;
    options.partsOfSpeech = tags;
    options.matchAllPartsOfSpeech = matchAll;
    std::vector<WordEntry*>* found = edict.search(text, &options);
    if (found == nullptr) {
        std::abort();  // only null options may give null
    }
    if (found->size() > size_t(edict.indexEntriesSize)) {
        std::abort();  // every index record counts at most once
    }
    for (WordEntry* entry : *found) {
        delete entry;
    }
    delete found;
}

std::wstring indexWord(const Edict& edict, int i)
{
    const IndexEntry& record = edict.indexEntries[i];
    return record.word != nullptr ? std::wstring(record.word) : std::wstring();
}

// The line at `offset` as a read into a 1024-byte buffer gives it.
std::string lineAt(const uint8_t* data, size_t size, long offset)
{
    std::string line;
    for (size_t i = static_cast<size_t>(offset); i < size && line.size() < 1023; ++i) {
        line.push_back(static_cast<char>(data[i]));
        if (data[i] == '\n') {
            break;
        }
    }
    return line;
}

bool sameText(const wchar_t* indexed, const wchar_t* parsed)
{
    if (indexed == nullptr || parsed == nullptr) {
        return indexed == parsed;
    }
    return std::wcscmp(indexed, parsed) == 0;
}

// Aborts unless every record agrees with getEdictWordAndKana on its line.
void checkIndexAgainstParser(Edict& edict, const uint8_t* data, size_t size)
{
    for (int i = 0; i < edict.indexEntriesSize; ++i) {
        const IndexEntry& record = edict.indexEntries[i];
        std::string line = lineAt(data, size, record.fileLocation);
        wchar_t* word = nullptr;
        wchar_t* kana = nullptr;
        const int meaningsStart = edict.getEdictWordAndKana(&line[0], &word, &kana);
        const bool agrees = meaningsStart > 0 && sameText(record.word, word)
                            && sameText(record.kana, kana);
        delete[] word;
        delete[] kana;
        if (!agrees) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    useProgramLocale();
    dictionaryFile = new ScratchFile("edict");
    static ScratchFile tableFile("pos");
    tableFile.write("n\tnoun (common) (futsuumeishi)\nvs\tnoun or participle which takes the aux. verb suru\n"
                    "adj-na\tadjectival nouns or quasi-adjectives\nv5k\tGodan verb with ku ending\n"
                    "\tempty abbreviation\nP\tnot the common marker\n");
    partsOfSpeech = new PartsOfSpeech();
    partsOfSpeech->load(tableFile.path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    dictionaryFile->write(data, size);

    Edict edict;
    edict.setName("fuzz");
    edict.setFilename(dictionaryFile->path());
    edict.setPartsOfSpeech(partsOfSpeech);
    if (edict.load() != 0) {
        return 0;
    }

    checkIndexAgainstParser(edict, data, size);

    const int defaults = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA;
    const int wildcard = defaults | WordDictionary::SEARCH_WILDCARD;
    const int folding = wildcard | WordDictionary::SEARCH_IGNORE_CASE;

    runSearch(edict, L"ねこ", defaults, 0, {}, false);
    runSearch(edict, L"ネコ", defaults | WordDictionary::SEARCH_IGNORE_CASE, 1, {"n"}, false);
    runSearch(edict, L"*", wildcard, 2, {"n", "vs"}, true);
    runSearch(edict, L"?*こ", folding, 0, {}, false);
    runSearch(edict, L"cat", WordDictionary::SEARCH_MEANING, 0, {"adj-na", "v5k"}, false);
    runSearch(edict, L"", WordDictionary::SEARCH_MEANING | defaults, 1, {}, false);
    if (edict.indexEntriesSize > 0) {
        std::wstring first = indexWord(edict, 0);
        std::wstring last = indexWord(edict, edict.indexEntriesSize - 1);
        runSearch(edict, first, defaults, 0, {}, false);
        runSearch(edict, last + L"*", folding, 0, {"n"}, true);
    }

    for (int i = 0; i < edict.indexEntriesSize; ++i) {
        delete edict.loadEntryFromEdict(edict.indexEntries[i].fileLocation);
    }
    return 0;
}
