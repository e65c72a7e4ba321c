// Fuzzes the EDICT reader: the input is the dictionary file. It is loaded,
// searched by word, reading, wildcard and meaning (with the common and
// part-of-speech filters), and every indexed line is read back as an entry.
// Oracle: each index record holds the headword and reading that
// getEdictWordAndKana finds on the same line. The index also goes through a
// round trip of the index cache (whatever the file's size), and a damaged
// copy of that cache is offered to the loader.
#include "FuzzSupport.h"

#include "Edict.h"
#include "PartsOfSpeech.h"
#include "WordEntry.h"
#include "internal/IndexCache.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cwchar>
#include <filesystem>
#include <string>

namespace {

ScratchFile* dictionaryFile;
PartsOfSpeech* partsOfSpeech;
std::string cacheHome;

// Both null, or the same text.
bool sameText(const wchar_t* a, const wchar_t* b)
{
    return a == b || (a != nullptr && b != nullptr && std::wcscmp(a, b) == 0);
}

// Stores the loaded index in a cache and reads it back: it must come back
// record for record. Then one byte of the cache is changed from the input.
void cacheRoundTrip(const Edict& edict, const uint8_t* data, size_t size)
{
    // A distinct, old modification time: every input is a new file to the cache.
    static long long generation = 0;
    ++generation;
    const struct timespec times[2] = {
        {1000000000 + generation / 1000000000, generation % 1000000000},
        {1000000000 + generation / 1000000000, generation % 1000000000}};
    const std::string& path = dictionaryFile->path();
    if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) {
        std::abort();
    }
    const int descriptor = open(path.c_str(), O_RDONLY);
    const IndexCache cache(path, descriptor, "euc-jp>WCHAR_T", 0);
    const int lines = Edict::countLinesInFile(edict.file);
    if (cache.store(edict.indexEntries, edict.indexEntriesSize, lines)) {
        std::unique_ptr<CachedIndex> loaded = cache.load();
        if (!loaded || loaded->size() != edict.indexEntriesSize || loaded->lineCount() != lines) {
            std::abort();
        }
        for (int i = 0; i < edict.indexEntriesSize; ++i) {
            const IndexEntry& original = edict.indexEntries[i];
            const IndexEntry& copy = loaded->records()[i];
            if (copy.fileLocation != original.fileLocation || !sameText(copy.word, original.word)
                || !sameText(copy.kana, original.kana)) {
                std::abort();
            }
        }
        if (size > 0) {
            const off_t cacheSize = static_cast<off_t>(
                std::filesystem::file_size(cache.cacheFile()));
            const int cacheFile = open(cache.cacheFile().c_str(), O_WRONLY);
            const unsigned char changed = data[0] ^ 0x5A;
            if (pwrite(cacheFile, &changed, 1,
                       static_cast<off_t>(data[size / 2] * 131 + size) % cacheSize)
                != 1) {
                std::abort();
            }
            close(cacheFile);
            cache.load();
        }
    }
    close(descriptor);
}

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

// The whole line at `offset`.
std::string lineAt(const uint8_t* data, size_t size, long offset)
{
    std::string line;
    for (size_t i = static_cast<size_t>(offset); i < size; ++i) {
        line.push_back(static_cast<char>(data[i]));
        if (data[i] == '\n') {
            break;
        }
    }
    return line;
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
    char folder[] = "/tmp/dexaru-fuzz-cache-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        std::abort();
    }
    cacheHome = folder;
    setenv("XDG_CACHE_HOME", folder, 1);
    setenv("DEXARU_INDEX_CACHE", "1", 1);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(cacheHome, ignored);
    });
    static ScratchFile tableFile("pos");
    tableFile.write(
        "n\tnoun (common) (futsuumeishi)\nvs\tnoun or participle which takes the aux. verb suru\n"
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
    cacheRoundTrip(edict, data, size);

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
