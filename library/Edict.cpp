#include "Edict.h"

#include "Encoding.h"
#include "Jwcs.h"
#include "Kana.h"
#include "Log.h"
#include "PartsOfSpeech.h"
#include "WordEntry.h"
#include "internal/Arena.h"
#include "internal/EntryFilters.h"
#include "internal/EucJpDecoder.h"
#include "internal/FileReading.h"
#include "internal/IndexCache.h"
#include "internal/LineScanner.h"
#include "internal/LogCount.h"
#include "internal/MappedFile.h"
#include "internal/MatchedLines.h"
#include "internal/MeaningScan.h"
#include "internal/MeaningTags.h"
#include "internal/RomajiReading.h"
#include "internal/TextMatcher.h"

#include <strings.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

using internal::EucJpDecoder;
using internal::LineFields;
using internal::LineScanner;
using internal::MappedFile;
using internal::StringPool;
using internal::TextMatcher;

namespace {

void logUnclosedBracket(const char* word, int wordLength)
{
    Log::write(3, "%s: Could not find a second bracket for the kana from '%.*s'.",
               "getEdictWordAndKana", wordLength, word);
}

void logTooLongLine(long offset)
{
    Log::write(3, "%s: Skipping the line at offset %ld: it is longer than %lu bytes.", "load",
               offset, static_cast<unsigned long>(fileReading::MAX_LINE_BYTES));
}

std::string narrowed(const std::wstring& text)
{
    std::string result;
    result.reserve(text.size());
    for (wchar_t character : text) {
        result.push_back(static_cast<char>(character));
    }
    return result;
}

// Number of LF bytes in the content, held below INT_MAX; the pages counted
// are given back as the count goes on.
int countLines(MappedFile& content)
{
    long lines = 0;
    for (size_t done = 0; done < content.size(); done += MappedFile::RELEASE_STEP) {
        const size_t step = std::min(MappedFile::RELEASE_STEP, content.size() - done);
        lines += fileReading::countLineEnds(content.data() + done, step);
        content.release(done + step);
    }
    content.rewind();
    return lines >= INT_MAX ? INT_MAX - 1 : static_cast<int>(lines);
}

}  // namespace

Edict::Edict() : file(nullptr), indexEntries(nullptr), indexEntriesSize(0)
{
    encoding = "euc-jp";
}

Edict::~Edict()
{
    Log::write(7, "%s: Deleting this Edict.", "~Edict");
    unload();
}

void Edict::releaseIndex()
{
    indexEntries = nullptr;  // the pool holds the records
    indexEntriesSize = 0;
    pool.reset();
    cachedIndex.reset();
}

int Edict::load()
{
    Log::write(6, "%s: Opening file '%s'.", "load", filename.c_str());
    unload();

    file = fileReading::openForReading(filename, "rb");
    if (file == nullptr) {
        Log::write(3, "%s: Could not open '%s'.", "load", filename.c_str());
        return -1;
    }
    Log::write(7, "%s: '%s' opened.", "load", filename.c_str());

    // Index cache: a valid cache of a large file stands in for the parse.
    const IndexCache cache(filename, fileno(file), encoding + ">" + internalEncoding);
    cachedIndex = cache.load();
    if (cachedIndex) {
        return loadFromCache(cachedIndex.get());
    }
    const unsigned long messagesBefore = logCount::messages();
    int lineCount = 0;
    try {
        MappedFile content(file);
        lineCount = countLines(content);
        Log::write(7, "%s: Lines in file: %d.", "load", lineCount);
        buildIndex(content, lineCount);
    } catch (const std::bad_alloc&) {
        Log::write(3, "%s: Could not allocate memory for the index of '%s'.", "load",
                   filename.c_str());
        unload();
        return -1;
    }
    // Index cache: only a parse that logged nothing beyond its line count
    // and "Created index entries." (no odd line, no failed conversion) is
    // cached, so that a load from the cache logs exactly what it did.
    const unsigned long parseMessages = 2;
    if (logCount::messages() == messagesBefore + parseMessages) {
        cache.store(indexEntries, indexEntriesSize, lineCount);
    }
    Log::write(7, "%s: Loaded %d index entries.", "load", indexEntriesSize);
    return 0;
}

// Takes the index read back from the cache, logging what a parse logs.
int Edict::loadFromCache(const CachedIndex* cached)
{
    Log::write(7, "%s: Lines in file: %d.", "load", cached->lineCount());
    indexEntries = cached->records();
    Log::write(7, "%s: Created index entries.", "load");
    indexEntriesSize = cached->size();
    Log::write(7, "%s: Loaded %d index entries.", "load", indexEntriesSize);
    return 0;
}

void Edict::unload()
{
    if (file != nullptr) {
        std::fclose(file);
        file = nullptr;
    }
    releaseIndex();
}

// Room for every newline-terminated line, and for a file whose only line
// has no LF.
void Edict::buildIndex(MappedFile& content, int lineCount)
{
    if (content.size() == 0) {
        return;
    }
    pool.reset(new StringPool(content.size()));
    indexEntries = pool->records<IndexEntry>(static_cast<size_t>(lineCount) + 1);
    Log::write(7, "%s: Created index entries.", "load");
    indexLines(content, lineCount + 1);
    // The records no line filled stay empty.
    std::fill(indexEntries + indexEntriesSize, indexEntries + lineCount + 1, IndexEntry());
}

// Fills the index from the file's bytes, never beyond `capacity` records.
void Edict::indexLines(MappedFile& content, int capacity)
{
    const EucJpDecoder* decoder = decodesQuickly() ? &EucJpDecoder::instance() : nullptr;
    StringPool& strings = *pool;
    // The table decoder inline for nearly every field, the general
    // conversion for the rest.
    auto convert = [&](const char* field, int fieldSize) -> wchar_t* {
        if (decoder != nullptr) {
            wchar_t* target = strings.reserve(fieldSize + 1);
            const int written = decoder->decode(field, fieldSize, target);
            if (written >= 0) {
                target[written] = 0;
                strings.commit(written + 1);
                return target;
            }
        }
        return convertIntoPool(field, fieldSize);
    };

    LineScanner lines(content.data(), content.size());
    const char* line = nullptr;
    long offset = 0;
    LineFields fields;
    while (indexEntriesSize < capacity && lines.next(&line, &offset, &fields)) {
        content.release(static_cast<size_t>(offset));
        if (fields.meaningsStart <= 0) {
            if (fields.tooLong) {
                logTooLongLine(offset);
            }
            continue;
        }
        IndexEntry& record = indexEntries[indexEntriesSize];
        record.fileLocation = offset;
        record.word = convert(line, fields.wordLength);
        record.kana = nullptr;
        if (fields.kanaUnclosed) {
            logUnclosedBracket(line, fields.wordLength);
        } else if (fields.kanaStart >= 0) {
            record.kana = convert(line + fields.kanaStart, fields.kanaLength);
        }
        // A headword that could not be converted can never be found.
        if (record.word == nullptr) {
            record.kana = nullptr;
            continue;
        }
        ++indexEntriesSize;
    }
}

bool Edict::decodesQuickly() const
{
    return sizeof(wchar_t) == 4 && strcasecmp(encoding.c_str(), "euc-jp") == 0
           && strcasecmp(internalEncoding.c_str(), "WCHAR_T") == 0;
}

std::unique_ptr<char[]> Edict::convertThroughIconv(const char* bytes, int size, int* convertedSize)
{
    char* converted = nullptr;
    if (Encoding::convert(encoding.c_str(), const_cast<char*>(bytes), size,
                          internalEncoding.c_str(), &converted, convertedSize)
        != 0) {
        return nullptr;
    }
    return std::unique_ptr<char[]>(converted);
}

namespace {

// Wide characters needed for converted bytes plus their terminating zero.
size_t wideCharactersFor(int convertedSize)
{
    return (convertedSize + sizeof(wchar_t) - 1) / sizeof(wchar_t) + 1;
}

}  // namespace

wchar_t* Edict::convertIntoPool(const char* bytes, int size)
{
    int convertedSize = 0;
    std::unique_ptr<char[]> converted = convertThroughIconv(bytes, size, &convertedSize);
    if (!converted) {
        return nullptr;
    }
    const size_t characters = wideCharactersFor(convertedSize);
    wchar_t* target = pool->reserve(characters);
    std::memset(target, 0, characters * sizeof(wchar_t));
    std::memcpy(target, converted.get(), convertedSize);
    pool->commit(characters);
    return target;
}

wchar_t* Edict::convertIntoNewArray(const char* bytes, int size)
{
    if (decodesQuickly()) {
        wchar_t* target = new wchar_t[size + 1];
        const int written = EucJpDecoder::instance().decode(bytes, size, target);
        if (written >= 0) {
            target[written] = 0;
            return target;
        }
        delete[] target;
    }
    int convertedSize = 0;
    std::unique_ptr<char[]> converted = convertThroughIconv(bytes, size, &convertedSize);
    if (!converted) {
        return nullptr;
    }
    wchar_t* target = new wchar_t[wideCharactersFor(convertedSize)]();
    std::memcpy(target, converted.get(), convertedSize);
    return target;
}

int Edict::setStyle(int)
{
    return 0;
}

int Edict::getEdictWordAndKana(char* line, wchar_t** word, wchar_t** kana)
{
    if (line == nullptr) {
        Log::write(4, "%s: No buffer was specified.", "getEdictWordAndKana");
        return -1;
    }
    if (word != nullptr) {
        *word = nullptr;
    }
    if (kana != nullptr) {
        *kana = nullptr;
    }
    const int length = static_cast<int>(std::strlen(line));
    const LineFields fields = internal::splitLine(line, length, line + length);
    if (fields.meaningsStart <= 0) {
        return 0;
    }
    line[fields.wordLength] = '\0';
    if (word != nullptr) {
        *word = convertIntoNewArray(line, fields.wordLength);
    }
    if (fields.kanaUnclosed) {
        logUnclosedBracket(line, fields.wordLength);
    } else if (fields.kanaStart >= 0) {
        line[fields.kanaStart + fields.kanaLength] = '\0';
        if (kana != nullptr) {
            *kana = convertIntoNewArray(line + fields.kanaStart, fields.kanaLength);
        }
    }
    return fields.meaningsStart;
}

int Edict::countLinesInFile(FILE* stream)
{
    if (stream == nullptr) {
        return -1;
    }
    std::fseek(stream, 0, SEEK_SET);
    const int lines = fileReading::countLineEnds(stream);
    std::fseek(stream, 0, SEEK_SET);
    return lines;
}

int Edict::getEdictMeanings(char* text, std::string** meanings, int* meaningsSize)
{
    if (text == nullptr || meanings == nullptr || meaningsSize == nullptr) {
        return -1;
    }
    int slashes = 0;
    for (const char* cursor = text; *cursor != '\0'; ++cursor) {
        if (*cursor == '/') {
            ++slashes;
        }
    }
    std::string* pieces = new (std::nothrow) std::string[slashes + 1];
    if (pieces == nullptr) {
        Log::write(3, "%s: Could not allocate space for meanings.", "getEdictMeanings");
        return -1;
    }
    int stored = 0;
    const char* cursor = text;
    while (true) {
        while (*cursor == '\t' || *cursor == '\n' || *cursor == '\r' || *cursor == ' ') {
            ++cursor;
        }
        const char* slash = std::strchr(cursor, '/');
        if (slash == nullptr) {
            break;
        }
        if (slash > cursor) {
            pieces[stored++].assign(cursor, slash - cursor);
        }
        cursor = slash + 1;
    }
    if (*cursor != '\0') {
        pieces[stored++] = cursor;
    }
    *meanings = pieces;
    *meaningsSize = stored;
    return 0;
}

WordEntry* Edict::loadEntryFromEdict(long fileLocation)
{
    if (file == nullptr) {
        Log::write(3, "%s: file is not open.", "loadEntryFromEdict");
        return nullptr;
    }
    if (std::fseek(file, fileLocation, SEEK_SET) != 0) {
        Log::write(3, "%s: Could not seek to the specified location '%lu'.", "loadEntryFromEdict",
                   static_cast<unsigned long>(fileLocation));
        return nullptr;
    }
    std::string line;
    const fileReading::LineRead read = fileReading::readLine(file, &line);
    if (read != fileReading::LineRead::READ) {
        Log::write(3, "%s: Could not read the line at location '%lu'%s.", "loadEntryFromEdict",
                   static_cast<unsigned long>(fileLocation),
                   read == fileReading::LineRead::TOO_LONG ? " (longer than 1 MB)" : "");
        return nullptr;
    }
    return entryFromLine(&line[0]);
}

WordEntry* Edict::entryFromLine(char* line)
{
    WordEntry* entry = new WordEntry();
    wchar_t* word = nullptr;
    wchar_t* kana = nullptr;
    const int meaningsStart = getEdictWordAndKana(line, &word, &kana);
    if (encoding != internalEncoding) {
        if (word != nullptr) {
            entry->word = word;
        }
        entry->kana = kana != nullptr ? std::wstring(kana) : entry->word;
    }
    delete[] word;
    delete[] kana;
    if (meaningsStart < 1) {
        return entry;
    }

    getEdictMeanings(line + meaningsStart, &entry->meanings, &entry->meaningsSize);
    internal::takeCommonMarker(entry);
    for (int i = 0; i < entry->meaningsSize; ++i) {
        internal::takePartsOfSpeech(entry->meanings[i], partsOfSpeech, entry);
    }
    return entry;
}

bool Edict::fuzzySearchFromEdictLine(long fileLocation, std::string text)
{
    if (file == nullptr) {
        Log::write(3, "%s: file is not open.", "fuzzySearchFromEdictLine");
        return false;
    }
    if (std::fseek(file, fileLocation, SEEK_SET) != 0) {
        Log::write(3, "%s: Could not seek to the specified location '%lu'.",
                   "fuzzySearchFromEdictLine", static_cast<unsigned long>(fileLocation));
        return false;
    }
    std::string line;
    if (fileReading::readLine(file, &line) != fileReading::LineRead::READ) {
        return false;
    }
    const char* meaningsPart = std::strchr(line.c_str(), '/');
    return meaningsPart != nullptr && std::strstr(meaningsPart, text.c_str()) != nullptr;
}

// The search text in the file's encoding, for meaning searches. False when
// it cannot be converted: no meaning can then hold it.
bool Edict::meaningSearchText(const std::wstring& text, std::string* meaningText)
{
    if (encoding == internalEncoding) {
        *meaningText = narrowed(text);
        return true;
    }
    Log::write(7, "%s: Converting the search text to %s for meaning-searches.", "search",
               encoding.c_str());
    std::wstring source = text;
    char* converted = nullptr;
    int convertedSize = 0;
    if (Encoding::convert(internalEncoding.c_str(), reinterpret_cast<char*>(&source[0]),
                          static_cast<int>(source.size() * sizeof(wchar_t)), encoding.c_str(),
                          &converted, &convertedSize)
        != 0) {
        meaningText->clear();
        return false;
    }
    meaningText->assign(converted, convertedSize);
    delete[] converted;
    return true;
}

// The index records whose lines hold `text` in their meanings part, with
// those lines, so that they need not be read again. One pass over the whole
// file, from its start.
void Edict::findMeaningMatches(const std::string& text, internal::MatchedLines* found)
{
    if (file == nullptr || indexEntriesSize == 0) {
        return;
    }
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        Log::write(3, "%s: Could not seek to the specified location '%lu'.", "search", 0UL);
        return;
    }
    int record = 0;
    internal::scanMeanings(file, text, [&](long lineOffset, const char* line, size_t size) {
        while (record < indexEntriesSize && indexEntries[record].fileLocation < lineOffset) {
            ++record;
        }
        if (record < indexEntriesSize && indexEntries[record].fileLocation == lineOffset) {
            found->add(record, line, size);
        }
    });
}

std::vector<WordEntry*>* Edict::search(std::wstring text, SearchOptions* options)
{
    if (options == nullptr) {
        Log::write(3, "%s: 'searchOptions' was not specified.", "search");
        return nullptr;
    }
    Log::write(7, "%s: Searching for %S (%s) with flags 0x%X", "search", text.c_str(),
               internalEncoding.c_str(), static_cast<unsigned>(options->searchFlags));
    std::vector<WordEntry*>* result = new std::vector<WordEntry*>();

    const int flags = options->searchFlags;
    const JwcsCase caseStyle = (flags & SEARCH_IGNORE_CASE) != 0 ? CMP_IGNORE_CASE : CMP_CASE;
    const TextMatcher matcher(text, (flags & SEARCH_WILDCARD) != 0, caseStyle);
    internal::MatchedLines meaningMatches;
    if ((flags & SEARCH_MEANING) != 0) {
        // An unconvertible text would otherwise be empty and match every line.
        std::string meaningText;
        if (meaningSearchText(text, &meaningText)) {
            findMeaningMatches(meaningText, &meaningMatches);
        }
    }

    // Locals, so that the loop over every record need not reload them after
    // each call. The next record whose line the meaning scan kept; the rest
    // pass by with one comparison.
    const IndexEntry* const records = indexEntries;
    const int recordCount = indexEntriesSize;
    const bool byWord = (flags & SEARCH_WORD) != 0;
    const bool byReading = (flags & SEARCH_KANA) != 0;
    int nextScanned = meaningMatches.firstRecord();
    for (int i = 0; i < recordCount; ++i) {
        const IndexEntry& record = records[i];
        char* scannedLine = nullptr;
        if (i == nextScanned) {
            scannedLine = meaningMatches.lineOf(i);
            nextScanned = meaningMatches.recordAfter(i);
        }
        bool matched = byWord && record.word != nullptr && matcher.matches(record.word);
        if (!matched && byReading) {
            const wchar_t* reading = record.kana != nullptr ? record.kana : record.word;
            matched = reading != nullptr && matcher.matches(reading);
        }
        if (!matched && scannedLine == nullptr) {
            continue;
        }

        // A line the meaning scan kept is parsed as it was read then.
        WordEntry* entry = scannedLine != nullptr ? entryFromLine(scannedLine)
                                                  : loadEntryFromEdict(record.fileLocation);
        if (entry == nullptr) {
            Log::write(3, "%s: Could not get the entry.", "search");
            continue;
        }
        if (!internal::passesFilters(*entry, *options)) {
            delete entry;
            continue;
        }
        internal::fillRomajiReading(*entry);
        result->push_back(entry);
    }
    return result;
}
