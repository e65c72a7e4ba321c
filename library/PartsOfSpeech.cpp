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

// Rows are read whole; a line longer than this is skipped.
using fileReading::MAX_LINE_BYTES;

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
        if (line.size > MAX_LINE_BYTES) {
            Log::write(3, "ERROR: %s: Skipping a line of more than %lu bytes at offset %lu.",
                       "load", static_cast<unsigned long>(MAX_LINE_BYTES),
                       static_cast<unsigned long>(line.offset));
            continue;
        }
        // A row is text: it ends at its first NUL byte, if any.
        std::string row(line.data, line.size);
        row.resize(std::strlen(row.c_str()));
        if (!row.empty() && row[0] == '#') {
            continue;
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
