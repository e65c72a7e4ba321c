#include "PartsOfSpeech.h"

#include "Log.h"
#include "internal/FileReading.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

using fileReading::File;
using fileReading::Line;
using fileReading::Lines;

// A row holds at most this many bytes, its line end included.
const std::size_t ROW_LINE_LENGTH = 1022;

}  // namespace

PartsOfSpeech::PartsOfSpeech() : entries(nullptr), entriesSize(0)
{
}

PartsOfSpeech::~PartsOfSpeech()
{
    delete[] entries;
}

int PartsOfSpeech::load(std::string filename)
{
    this->filename = filename;
    delete[] entries;
    entries = nullptr;
    entriesSize = 0;
    File file(fileReading::openForReading(filename, "r"));
    if (!file) {
        Log::write(3, "ERROR: %s: Could not open file '%s'.", "load", filename.c_str());
        return 1;
    }
    const std::string data = fileReading::readToEnd(file.get());
    file.reset();
    if (data.empty()) {
        return 1;
    }
    // One slot per newline-terminated line, and one for a last line
    // without a line end.
    const int slots = static_cast<int>(fileReading::countLineEnds(data.data(), data.size())) + 1;
    entries = new PartsOfSpeechEntry[slots];

    Lines lines(data);
    Line line;
    while (lines.next(&line)) {
        // A row is text: it ends at its first NUL byte, if any. Beyond its
        // first ROW_LINE_LENGTH bytes, the rest of the line is skipped.
        const bool overLong = line.size > ROW_LINE_LENGTH;
        std::string row(line.data, overLong ? ROW_LINE_LENGTH : line.size);
        row.resize(std::strlen(row.c_str()));
        if (!row.empty() && row[0] == '#') {
            continue;
        }
        if (overLong) {
            Log::write(4, "WARNING: %s: Only the first %d bytes of a line are read: '%s'.", "load",
                       static_cast<int>(ROW_LINE_LENGTH), row.c_str());
        }
        row.resize(fileReading::stripLineEnd(&row[0], row.size()));
        const std::size_t tab = row.find('\t');
        if (tab == std::string::npos) {
            Log::write(3, "ERROR: %s: Could not find the TAB character in '%s'.", "load",
                       row.c_str());
            continue;
        }
        entries[entriesSize].abbreviation.assign(row, 0, tab);
        entries[entriesSize].text.assign(row, tab + 1, std::string::npos);
        ++entriesSize;
    }
    return 0;
}

std::string PartsOfSpeech::search(std::string abbreviation)
{
    for (int i = 0; i < entriesSize; ++i) {
        if (entries[i].abbreviation == abbreviation) {
            return entries[i].text;
        }
    }
    return std::string();
}

std::vector<std::string> PartsOfSpeech::getAbbreviations()
{
    std::vector<std::string> abbreviations;
    for (int i = 0; i < entriesSize; ++i) {
        abbreviations.push_back(entries[i].abbreviation);
    }
    return abbreviations;
}
