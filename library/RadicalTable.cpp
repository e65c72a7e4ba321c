#include "RadicalTable.h"

#include "Encoding.h"
#include "Log.h"
#include "internal/EucJpDecoder.h"
#include "internal/FileReading.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>

namespace {

using fileReading::readToEnd;

// The files write three radicals with a kanji that stands for the radical
// form; the table holds the CJK radical code points instead.
wchar_t radicalForm(wchar_t written)
{
    switch (written) {
    case 0x72AF: return 0x2EA8;
    case 0x9621: return 0x2ED6;
    case 0x5316: return 0x2E85;
    }
    return written;
}

// The wide characters of the text in the table's file encoding, or false
// when it does not convert (Encoding::convert says why).
bool decode(const RadicalTable& table, const char* text, size_t size, std::wstring& out)
{
    // Nearly every line decodes through the tables, which give what the
    // general conversion gives; the rest goes the general way.
    if (sizeof(wchar_t) == 4 && strcasecmp(table.encoding.c_str(), "EUC-JP") == 0
        && strcasecmp(table.internalEncoding.c_str(), "WCHAR_T") == 0) {
        out.resize(size);
        const int written = internal::EucJpDecoder::instance().decode(
            text, static_cast<int>(size), out.empty() ? nullptr : &out[0]);
        if (written >= 0) {
            out.resize(static_cast<size_t>(written));
            return true;
        }
    }
    std::string copy(text, size);
    char* data = nullptr;
    int dataSize = 0;
    if (Encoding::convert(table.encoding.c_str(), &copy[0], static_cast<int>(size),
                          table.internalEncoding.c_str(), &data, &dataSize)
        != 0)
        return false;
    std::unique_ptr<char[]> owned(data);
    out.resize(static_cast<size_t>(dataSize) / sizeof(wchar_t));
    if (!out.empty())
        std::memcpy(&out[0], data, out.size() * sizeof(wchar_t));
    return true;
}

// Like atoi, held within 0 ... 255 (a negative count counts as none).
uint8_t parseStrokeCount(const char* token)
{
    long value = std::strtol(token, nullptr, 10);
    if (value < 0)
        return 0;
    return static_cast<uint8_t>(std::min(value, 255L));
}

// Sorts the kanji and drops duplicates and the blank kanji (code 0).
void tidy(RadicalEntry& entry)
{
    std::wstring& kanji = entry.kanjiString;
    std::sort(kanji.begin(), kanji.end());
    wchar_t previous = 0;
    size_t kept = 0;
    for (wchar_t c : kanji) {
        if (c != previous)
            kanji[kept++] = c;
        previous = c;
    }
    kanji.resize(kept);
}

}  // namespace

RadicalTable::RadicalTable() : internalEncoding("WCHAR_T"), encoding("EUC-JP")
{
}

RadicalTable::~RadicalTable()
{
    for (RadicalEntry* entry : radicalList)
        delete entry;
}

int RadicalTable::addFilename(std::string filename)
{
    filenames.push_back(filename);
    return 0;
}

RadicalTable::StringList RadicalTable::getFilenames()
{
    return filenames;
}

int RadicalTable::load()
{
    for (size_t i = 0; i < filenames.size(); ++i) {
        Log::write(7, "%s: Loading radical file #%d, '%s'.", "load", static_cast<int>(i + 1),
                   filenames[i].c_str());
        addInformationFromFile(filenames[i]);
    }
    return 0;
}

int RadicalTable::addInformationFromFile(std::string filename)
{
    const char* function = "addInformationFromFile";
    Log::write(6, "%s: Opening file '%s'.", function, filename.c_str());
    fileReading::File stream(fileReading::openForReading(filename, "rb"));
    if (!stream) {
        Log::write(3, "%s: Could not open '%s'.", function, filename.c_str());
        return -1;
    }
    Log::write(7, "%s: '%s' opened.", function, filename.c_str());
    const std::string data = readToEnd(stream.get());
    stream.reset();

    std::vector<std::unique_ptr<RadicalEntry>> fresh;
    RadicalEntry* current = nullptr;
    std::wstring decoded;
    fileReading::Lines lines(data);
    fileReading::Line piece;
    while (lines.next(&piece)) {
        // A line is text: it ends at its first NUL byte, if any.
        std::string line(piece.data, piece.size);
        line.resize(std::strlen(line.c_str()));
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;

        if (line[0] == '$') {
            fresh.emplace_back(new RadicalEntry());
            current = fresh.back().get();
            char* context = nullptr;
            strtok_r(&line[0], " ", &context);
            if (const char* radical = strtok_r(nullptr, " ", &context)) {
                if (decode(*this, radical, std::strlen(radical), decoded) && !decoded.empty())
                    current->radical = radicalForm(decoded[0]);
            }
            if (const char* strokes = strtok_r(nullptr, " ", &context))
                current->strokeCount = parseStrokeCount(strokes);
            continue;
        }

        if (current == nullptr || !decode(*this, line.data(), line.size(), decoded))
            continue;
        for (wchar_t kanji : decoded) {
            if (kanji == 0)
                Log::write(7, "%s: A blank kanji? 0x%X", function, 0u);
        }
        current->kanjiString += decoded;
    }

    for (std::unique_ptr<RadicalEntry>& entry : fresh) {
        RadicalEntry* target = getRadical(entry->radical);
        if (target != nullptr) {
            if (target->strokeCount != entry->strokeCount)
                Log::write(
                    3,
                    "%s: The new stroke count of %C of %u does not match the existing value of %u.",
                    function, static_cast<wchar_t>(entry->radical),
                    static_cast<unsigned>(entry->strokeCount),
                    static_cast<unsigned>(target->strokeCount));
            target->kanjiString += entry->kanjiString;
        } else {
            target = entry.release();
            radicalList.push_back(target);
        }
        tidy(*target);
    }
    return 0;
}

RadicalEntry* RadicalTable::getRadical(wchar_t radical)
{
    for (RadicalEntry* entry : radicalList) {
        if (entry->radical == radical)
            return entry;
    }
    return nullptr;
}

std::wstring RadicalTable::getRadicals()
{
    std::wstring radicals;
    for (const RadicalEntry* entry : radicalList) {
        // An entry whose radical did not convert has nothing to show.
        if (entry->radical != 0)
            radicals.push_back(entry->radical);
    }
    return radicals;
}

std::wstring RadicalTable::getRadicalsForKanji(wchar_t kanji)
{
    std::wstring radicals;
    for (const RadicalEntry* entry : radicalList) {
        // As in getRadicals: a "$" line whose radical did not convert names
        // no radical, though kanji lines may follow it.
        if (entry->radical != 0
            && std::binary_search(entry->kanjiString.begin(), entry->kanjiString.end(), kanji))
            radicals.push_back(entry->radical);
    }
    return radicals;
}

std::set<wchar_t> RadicalTable::getKanjiFromRadicals(std::wstring radicals)
{
    // Intersected as sorted runs; the set is built once at the end.
    std::wstring kanji;
    bool first = true;
    for (wchar_t radical : radicals) {
        const RadicalEntry* entry = getRadical(radical);
        if (entry == nullptr)
            continue;
        const std::wstring& contained = entry->kanjiString;
        if (first) {
            kanji = contained;
            first = false;
        } else {
            kanji.erase(std::remove_if(kanji.begin(), kanji.end(),
                                       [&contained](wchar_t c) {
                                           return !std::binary_search(contained.begin(),
                                                                      contained.end(), c);
                                       }),
                        kanji.end());
        }
        if (kanji.empty())
            break;
    }
    return std::set<wchar_t>(kanji.begin(), kanji.end());
}
