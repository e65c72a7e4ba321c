#include "Kanjidic.h"

#include "Encoding.h"
#include "Kana.h"
#include "Log.h"
#include "RadicalTable.h"
#include "internal/FileReading.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

using fileReading::readToEnd;
using fileReading::stripLineEnd;

// Where the readings of the rest of a line go.
enum KanaMode
{
    KANA_MODE_ONKUN = 0,
    KANA_MODE_NANORI = 1,
    KANA_MODE_RADICAL = 2
};

// Lines are read whole; one longer than MAX_LINE_BYTES is skipped.
using fileReading::MAX_LINE_BYTES;

// The text of a line: up to its first NUL byte, without its line end.
std::string lineText(const char* bytes, size_t size)
{
    const void* nul = std::memchr(bytes, '\0', size);
    std::string line(bytes, nul != nullptr ? static_cast<const char*>(nul) - bytes : size);
    line.resize(stripLineEnd(&line[0], line.size()));
    return line;
}

int hexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

// The code point of a "U" field's digits in [text, end), read as strtoul
// reads hexadecimal; false when there is none or it lies beyond Unicode.
bool parseCodePoint(const char* text, const char* end, unsigned long* code)
{
    // Plain digits, as every real line has them, directly.
    const bool prefixed = end - text >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (text < end && hexValue(*text) >= 0 && !prefixed) {
        unsigned long value = 0;
        for (; text < end && hexValue(*text) >= 0 && value <= 0x10FFFF; ++text)
            value = value * 16 + static_cast<unsigned long>(hexValue(*text));
        *code = value;
        return value <= 0x10FFFF;
    }
    // Anything else (spaces, a sign, "0x") as strtoul takes it, on the field
    // alone so that the number cannot run into the next line.
    char digits[24] = {};
    std::memcpy(digits, text, std::min(sizeof digits - 1, static_cast<size_t>(end - text)));
    char* parsedEnd = nullptr;
    *code = std::strtoul(digits, &parsedEnd, 16);
    return parsedEnd != digits && *code <= 0x10FFFF;
}

void logTooLongLine(const char* function, int lineNumber)
{
    Log::write(3, "%s: Skipping line #%d: it is longer than %lu bytes.", function, lineNumber,
               static_cast<unsigned long>(MAX_LINE_BYTES));
}

// The decimal value at the start of [text, end), as atoi reads it, held
// within 0 ... limit: a negative value counts as none, a larger one as the limit.
unsigned parseDecimal(const char* text, const char* end, unsigned limit)
{
    bool negative = false;
    if (text < end && (*text == '+' || *text == '-')) {
        negative = *text == '-';
        ++text;
    }
    unsigned long value = 0;
    for (; text < end && *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + static_cast<unsigned>(*text - '0');
        if (value > limit)
            value = limit + 1UL;
    }
    if (negative)
        return 0;
    return value > limit ? limit : static_cast<unsigned>(value);
}

// Decodes one byte pair outside the arithmetic rows (the long-vowel mark
// and the like) through the full EUC-JP conversion; 0 when it has none.
void appendConverted(unsigned char lead, unsigned char trail, std::wstring& out)
{
    char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    char* data = nullptr;
    int size = 0;
    if (Encoding::convert("EUC-JP", pair, 2, "WCHAR_T", &data, &size) != 0) {
        out.push_back(0);
        return;
    }
    std::unique_ptr<char[]> owned(data);
    size_t count = static_cast<size_t>(size) / sizeof(wchar_t);
    if (count == 0)
        out.push_back(0);
    for (size_t i = 0; i < count; ++i) {
        wchar_t c;
        std::memcpy(&c, data + i * sizeof(wchar_t), sizeof c);
        out.push_back(c);
    }
}

// Decodes a reading byte pair by byte pair; "." and "-" stand for themselves.
std::wstring decodeReading(const char* text, const char* end)
{
    std::wstring reading;
    while (text < end) {
        unsigned char lead = static_cast<unsigned char>(*text);
        if (lead == '.' || lead == '-') {
            reading.push_back(static_cast<wchar_t>(lead));
            ++text;
            continue;
        }
        if (text + 1 >= end) {
            // A lead byte without its partner: the missing byte counts as 0,
            // which no row maps.
            reading.push_back(0);
            break;
        }
        unsigned char trail = static_cast<unsigned char>(text[1]);
        text += 2;
        uint16_t code = static_cast<uint16_t>(lead << 8 | trail);
        // EUCToUNICODE gives 0 exactly for the codes outside its rows.
        if (uint16_t mapped = EUCToUNICODE(code))
            reading.push_back(static_cast<wchar_t>(mapped));
        else
            appendConverted(lead, trail, reading);
    }
    return reading;
}

bool holdsKatakana(const std::wstring& reading)
{
    for (wchar_t c : reading) {
        if (c >= 0 && c <= 0xFFFF && Kana::isKatakana(static_cast<uint16_t>(c)))
            return true;
    }
    return false;
}

// The end of the field that starts at text: the next space or the line end.
const char* fieldEnd(const char* text, const char* end)
{
    const void* space = std::memchr(text, ' ', static_cast<size_t>(end - text));
    return space != nullptr ? static_cast<const char*>(space) : end;
}

// Past the field and the space after it, if any.
const char* afterField(const char* fieldEnd, const char* end)
{
    return fieldEnd < end ? fieldEnd + 1 : end;
}

void parseFields(CharacterEntry& entry, const char* text, const char* end)
{
    KanaMode mode = KANA_MODE_ONKUN;
    while (text < end) {
        const unsigned char first = static_cast<unsigned char>(*text);
        if (first == ' ') {
            ++text;
            continue;
        }
        if (first == '{') {
            const void* close = std::memchr(text + 1, '}', static_cast<size_t>(end - text - 1));
            if (close == nullptr) {
                entry.meanings.push_back(std::wstring());
                return;
            }
            const char* closing = static_cast<const char*>(close);
            // Bytes above ASCII stay positive code points (Latin-1), never
            // sign-extended into negative wide characters.
            std::wstring meaning;
            for (const char* c = text + 1; c < closing; ++c)
                meaning.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
            entry.meanings.push_back(meaning);
            text = closing + 1;
            continue;
        }
        const char* stop = fieldEnd(text, end);
        if (first == 'S') {
            if (entry.strokeCount == 0)
                entry.strokeCount = static_cast<uint8_t>(parseDecimal(text + 1, stop, 255));
        } else if (first == 'F') {
            entry.frequency = static_cast<uint16_t>(parseDecimal(text + 1, stop, 65535));
        } else if (first == 'T') {
            if (text + 1 < stop && text[1] == '1')
                mode = KANA_MODE_NANORI;
            else if (text + 1 < stop && text[1] == '2')
                mode = KANA_MODE_RADICAL;
        } else if (first == '-' || first == 0xA4 || first == 0xA5) {
            std::wstring reading = decodeReading(text, stop);
            if (mode != KANA_MODE_ONKUN)
                entry.nanori.push_back(reading);
            else if (holdsKatakana(reading))
                entry.on.push_back(reading);
            else
                entry.kun.push_back(reading);
        }
        text = afterField(stop, end);
    }
}

void deleteIndex(std::vector<KANJIDIC_Index_Entry*>& index)
{
    for (KANJIDIC_Index_Entry* entry : index)
        delete entry;
    index.clear();
}

}  // namespace

Kanjidic::Kanjidic() : file(nullptr)
{
}

Kanjidic::~Kanjidic()
{
    if (file != nullptr)
        fclose(file);
    deleteIndex(indexEntries);
}

int Kanjidic::load()
{
    if (file != nullptr)
        fclose(file);
    deleteIndex(indexEntries);
    file = fileReading::openForReading(filename, "rb");
    if (file == nullptr)
        Log::write(3, "%s: Could not open the file '%s'.", "load", filename.c_str());
    return loadIndexEntries() ? 0 : -1;
}

CharacterEntry* Kanjidic::getInformation(wchar_t kanji)
{
    KANJIDIC_Index_Entry* index = getIndexEntry(kanji);
    if (index == nullptr)
        return nullptr;
    std::unique_ptr<CharacterEntry> entry(new CharacterEntry());
    if (!loadEntryInformation(*entry, index))
        return nullptr;
    if (radicalTable != nullptr)
        entry->radicals = radicalTable->getRadicalsForKanji(kanji);
    return entry.release();
}

std::vector<CharacterEntry*>* Kanjidic::search(std::set<wchar_t> kanji)
{
    auto* found = new std::vector<CharacterEntry*>();
    for (wchar_t c : kanji) {
        CharacterEntry* entry = getInformation(c);
        if (entry != nullptr)
            found->push_back(entry);
    }
    return found;
}

bool Kanjidic::loadIndexEntries()
{
    if (file == nullptr)
        return false;
    deleteIndex(indexEntries);

    // One read of the whole file; the lines are then cut in memory.
    rewind(file);
    const std::string data = readToEnd(file);
    int lineNumber = 0;
    fileReading::Lines lines(data);
    fileReading::Line whole;
    while (lines.next(&whole)) {
        const long offset = static_cast<long>(whole.offset);
        ++lineNumber;
        if (whole.size > MAX_LINE_BYTES) {
            logTooLongLine("loadIndexEntries", lineNumber);
            continue;
        }
        // The line's text, in place: up to a NUL byte, without its line end.
        const void* nul = std::memchr(whole.data, '\0', whole.size);
        size_t length = nul != nullptr ? static_cast<const char*>(nul) - whole.data : whole.size;
        while (length > 0 && (whole.data[length - 1] == '\n' || whole.data[length - 1] == '\r'))
            --length;
        if (length > 0 && whole.data[0] == '#')
            continue;
        const char* field = static_cast<const char*>(memmem(whole.data, length, " U", 2));
        if (field == nullptr) {
            Log::write(3, "%s: !!! Could not find the Uxxxx entry for line #%d.",
                       "loadIndexEntries", lineNumber);
            continue;
        }
        unsigned long code = 0;
        if (!parseCodePoint(field + 2, whole.data + length, &code)) {
            Log::write(3, "%s: !!! Could not parse the Uxxxx entry for line #%d.",
                       "loadIndexEntries", lineNumber);
            continue;
        }
        indexEntries.push_back(new KANJIDIC_Index_Entry{static_cast<wchar_t>(code), offset});
    }
    Log::write(7, "%s: Read %d kanjidic entries.", "loadIndexEntries",
               static_cast<int>(indexEntries.size()));
    return true;
}

KANJIDIC_Index_Entry* Kanjidic::getIndexEntry(wchar_t kanji)
{
    for (KANJIDIC_Index_Entry* entry : indexEntries) {
        if (entry->kanji == kanji)
            return entry;
    }
    return nullptr;
}

bool Kanjidic::loadEntryInformation(CharacterEntry& entry, KANJIDIC_Index_Entry* index)
{
    if (index == nullptr) {
        Log::write(3, "%s: index is NULL.", "loadEntryInformation");
        return false;
    }
    if (file == nullptr) {
        Log::write(3, "%s: The file is not loaded yet.", "loadEntryInformation");
        return false;
    }
    std::string whole;
    if (fseek(file, index->fileloc, SEEK_SET) != 0
        || fileReading::readLine(file, &whole) != fileReading::LineRead::READ)
        return false;
    const std::string line = lineText(whole.data(), whole.size());
    if (line[0] == '#')
        return false;

    const char* end = line.data() + line.size();
    const void* space = std::memchr(line.data(), ' ', line.size());
    entry.kanji = index->kanji;
    entry.frequency = 0;
    entry.strokeCount = 0;
    if (space != nullptr)
        parseFields(entry, static_cast<const char*>(space) + 1, end);
    return true;
}
