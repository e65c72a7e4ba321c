#include "EdictFileCheck.h"

#include <cstdio>
#include <memory>

#include <sys/stat.h>

namespace {

// "　" and "？" in EUC-JP and in UTF-8.
const char* const HEADER_CHARACTERS[] = {"\xA1\xA1", "\xA1\xA9", "\xE3\x80\x80", "\xEF\xBC\x9F"};

bool startsWithHeaderCharacter(const std::string& text, std::size_t at, std::size_t* length)
{
    for (const char* character : HEADER_CHARACTERS) {
        const std::string bytes(character);
        if (text.compare(at, bytes.size(), bytes) == 0) {
            *length = bytes.size();
            return true;
        }
    }
    return false;
}

std::string withoutLineEnd(const std::string& line)
{
    std::size_t end = line.size();
    while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r')) {
        --end;
    }
    return line.substr(0, end);
}

struct FileCloser
{
    void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

bool EdictFileCheck::isHeaderLine(const std::string& rawLine)
{
    const std::string line = withoutLineEnd(rawLine);
    std::size_t at = 0;
    std::size_t length = 0;
    while (at < line.size() && startsWithHeaderCharacter(line, at, &length)) {
        at += length;
    }
    return at > 0 && line.compare(at, 2, " /") == 0;
}

bool EdictFileCheck::isEntryLine(const std::string& rawLine)
{
    const std::string line = withoutLineEnd(rawLine);
    const std::size_t space = line.find(' ');
    if (space == 0 || space == std::string::npos) {
        return false;
    }
    if (line.find('/') < space) {
        return false;
    }
    std::size_t glosses = space + 1;
    if (line.compare(glosses, 1, "[") == 0) {
        const std::size_t close = line.find(']', glosses);
        if (close == std::string::npos || close == glosses + 1
            || line.compare(close + 1, 1, " ") != 0) {
            return false;
        }
        glosses = close + 2;
    }
    // "/gloss/" at least: a slash, some text, a slash at the end.
    return line.size() >= glosses + 3 && line[glosses] == '/' && line.back() == '/';
}

bool EdictFileCheck::looksLikeEdict() const
{
    if (!opened) {
        return false;
    }
    if (linesRead == 0) {
        return true;
    }
    if (header) {
        return 2 * entryLines > linesRead;
    }
    return 10 * entryLines >= 9 * linesRead;
}

EdictFileCheck EdictFileCheck::ofText(const std::string& text)
{
    EdictFileCheck check;
    check.opened = true;
    std::size_t start = 0;
    bool first = true;
    int lines = 0;
    while (start < text.size() && lines < SAMPLED_LINES) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = withoutLineEnd(text.substr(start, end - start));
        start = end + 1;
        ++lines;
        if (first && isHeaderLine(line)) {
            check.header = true;
            first = false;
            continue;
        }
        first = false;
        if (line.empty()) {
            continue;
        }
        ++check.linesRead;
        if (isEntryLine(line)) {
            ++check.entryLines;
        }
    }
    return check;
}

EdictFileCheck EdictFileCheck::ofFile(const std::string& filename)
{
    // Only a regular file is read: opening a pipe or a device could wait
    // for a writer for ever, or read without end.
    struct stat status;
    if (stat(filename.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return EdictFileCheck();
    }
    std::unique_ptr<FILE, FileCloser> file(std::fopen(filename.c_str(), "rb"));
    if (!file) {
        return EdictFileCheck();
    }
    // The sample's lines, however long each may be, within a bounded read.
    const std::size_t most = 4 * 1024 * 1024;
    std::string text;
    char buffer[64 * 1024];
    int lines = 0;
    while (text.size() < most && lines < SAMPLED_LINES) {
        const std::size_t read = std::fread(buffer, 1, sizeof buffer, file.get());
        if (read == 0) {
            break;
        }
        for (std::size_t at = 0; at < read; ++at) {
            lines += buffer[at] == '\n' ? 1 : 0;
        }
        text.append(buffer, read);
    }
    return ofText(text);
}
