// Small pieces the data-file readers share: a closer for owned FILE*
// streams, whole-file reading and line-end trimming. Internal to the
// library; not installed.
#ifndef DEXARU_INTERNAL_FILEREADING_H
#define DEXARU_INTERNAL_FILEREADING_H

#include <cstddef>
#include <cstdio>
#include <string>

namespace fileReading {

// Deleter for std::unique_ptr<FILE, FileCloser>.
struct FileCloser
{
    void operator()(FILE* stream) const { std::fclose(stream); }
};

// Everything from the stream's current position to its end.
inline std::string readToEnd(FILE* stream)
{
    std::string data;
    char block[65536];
    std::size_t count;
    while ((count = std::fread(block, 1, sizeof block, stream)) > 0) {
        data.append(block, count);
    }
    return data;
}

// Cuts trailing CR and LF bytes off the first `length` bytes of `line`
// (writing NULs over them) and returns the length left.
inline std::size_t stripLineEnd(char* line, std::size_t length)
{
    while (length > 0 && (line[length - 1] == '\n' || line[length - 1] == '\r')) {
        line[--length] = '\0';
    }
    return length;
}

} // namespace fileReading

#endif
