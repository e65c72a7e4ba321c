// Finds the EDICT lines whose meanings hold a text by reading the file once
// from start to end, jumping from one occurrence of the text to the next
// instead of visiting every line. A line's meanings are what a read into a
// 1024-byte buffer shows: from the first "/" on, up to any NUL byte.
#ifndef DEXARU_INTERNAL_MEANINGSCAN_H
#define DEXARU_INTERNAL_MEANINGSCAN_H

#include "internal/FileReading.h"
#include "internal/LineScanner.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

namespace internal {

// Does `text` occur in the meanings of a line of `length` bytes?
inline bool meaningsContain(const char* line, std::size_t length, const std::string& text)
{
    const char* slash = static_cast<const char*>(std::memchr(line, '/', length));
    if (slash == nullptr) {
        return false;
    }
    const char* hit = static_cast<const char*>(
        memmem(slash, line + length - slash, text.data(), text.size()));
    return hit != nullptr && std::memchr(line, '\0', hit + text.size() - line) == nullptr;
}

inline std::size_t linePiece(std::size_t lineLength)
{
    return lineLength < static_cast<std::size_t>(LINE_PIECE_MAX)
               ? lineLength
               : static_cast<std::size_t>(LINE_PIECE_MAX);
}

// Reports the file offset of each line of a stretch of whole lines whose
// meanings hold `text`, once, in order.
template <typename Report>
void scanWholeLines(const char* base, std::size_t size, long baseOffset, const std::string& text,
                    Report& report)
{
    const char* const limit = base + size;
    const char* cursor = base;  // always at the start of a line
    while (cursor < limit) {
        const char* hit = static_cast<const char*>(
            memmem(cursor, limit - cursor, text.data(), text.size()));
        if (hit == nullptr) {
            return;
        }
        const char* before = static_cast<const char*>(memrchr(cursor, '\n', hit - cursor));
        const char* lineStart = before != nullptr ? before + 1 : cursor;
        const char* after = static_cast<const char*>(std::memchr(hit, '\n', limit - hit));
        const char* lineEnd = after != nullptr ? after + 1 : limit;
        if (meaningsContain(lineStart, linePiece(lineEnd - lineStart), text)) {
            report(baseOffset + static_cast<long>(lineStart - base));
        }
        cursor = lineEnd;
    }
}

// Reads the stream from its current position to its end and reports the
// offset of every line whose meanings hold `text`, in order.
template <typename Report> void scanMeanings(FILE* stream, const std::string& text, Report report)
{
    fileReading::forEachBlockOfLines(
        stream, fileReading::READ_BLOCK_SIZE,
        [&](const char* base, std::size_t size, long offset) {
            scanWholeLines(base, size, offset, text, report);
        },
        [&](const char* base, std::size_t size, long offset) {
            if (meaningsContain(base, linePiece(size), text)) {
                report(offset);
            }
        });
}

}  // namespace internal

#endif
