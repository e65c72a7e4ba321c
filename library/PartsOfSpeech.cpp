#include "PartsOfSpeech.h"

#include "Log.h"
#include "internal/FileReading.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

using fileReading::FileCloser;
using fileReading::stripLineEnd;

// A row holds at most this many bytes, its line end included.
const int ROW_LINE_LENGTH = 1022;

bool isEmpty(FILE* file)
{
    int first = std::fgetc(file);
    std::rewind(file);
    return first == EOF;
}

bool endsLine(const char* piece)
{
    std::size_t length = std::strlen(piece);
    return length > 0 && piece[length - 1] == '\n';
}

} // namespace

PartsOfSpeech::PartsOfSpeech()
    : entries(nullptr), entriesSize(0)
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
    std::unique_ptr<FILE, FileCloser> file(std::fopen(filename.c_str(), "r"));
    if (!file) {
        Log::write(3, "ERROR: %s: Could not open file '%s'.", "load", filename.c_str());
        return 1;
    }
    // One slot per newline-terminated line, and one for a last line
    // without a line end.
    int lines = fileReading::countLineEnds(file.get());
    std::rewind(file.get());
    if (lines < 1 && isEmpty(file.get())) {
        return 1;
    }
    int slots = lines + 1;

    entries = new PartsOfSpeechEntry[slots];

    char line[ROW_LINE_LENGTH + 1];
    bool continuation = false;
    while (!std::feof(file.get())) {
        std::memset(line, 0, sizeof line);
        if (std::fgets(line, sizeof line, file.get()) == nullptr) {
            break;
        }
        // The rest of an over-long line is not a row of its own.
        bool skip = continuation;
        continuation = !endsLine(line) && !std::feof(file.get());
        if (skip || line[0] == '#') {
            continue;
        }
        if (continuation) {
            Log::write(4, "WARNING: %s: Only the first %d bytes of a line are read: '%s'.", "load",
                       ROW_LINE_LENGTH, line);
        }
        stripLineEnd(line, std::strlen(line));
        char* tab = std::strchr(line, '\t');
        if (tab == nullptr) {
            Log::write(3, "ERROR: %s: Could not find the TAB character in '%s'.", "load", line);
            continue;
        }
        if (entriesSize >= slots) {
            break; // the file grew while it was read
        }
        entries[entriesSize].abbreviation.assign(line, tab - line);
        entries[entriesSize].text.assign(tab + 1);
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
