// Finds the EDICT lines whose meanings hold a text by reading the file once
// from start to end, jumping from one occurrence of the text to the next
// instead of visiting every line. A line's meanings run from its first "/"
// to its end or to a NUL byte, however long the line. Each report also
// shows the line's bytes, valid only during the report. A line longer than
// MAX_LINE_BYTES is never indexed, so never reported.
#ifndef DEXARU_INTERNAL_MEANINGSCAN_H
#define DEXARU_INTERNAL_MEANINGSCAN_H

#include "internal/FileReading.h"
#include "internal/LineScanner.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace internal {

// The first occurrence of `text` in [from, limit), or null. Where SSE2 is
// there, sixteen places at a time are tested on the text's first and last
// bytes before whole comparisons: memmem's per-call setup and slow pace on
// short texts with common letters cost more than the rest of the scan.
inline const char* findText(const char* from, const char* limit, const std::string& text)
{
    const std::size_t length = text.size();
#if defined(__SSE2__)
    if (length >= 2) {
        const __m128i first = _mm_set1_epi8(text[0]);
        const __m128i last = _mm_set1_epi8(text[length - 1]);
        for (; limit - from >= static_cast<std::ptrdiff_t>(length + 15); from += 16) {
            const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
            const __m128i ends = _mm_loadu_si128(
                reinterpret_cast<const __m128i*>(from + length - 1));
            unsigned candidates = static_cast<unsigned>(_mm_movemask_epi8(
                _mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
            while (candidates != 0) {
                const char* place = from + __builtin_ctz(candidates);
                if (std::memcmp(place + 1, text.data() + 1, length - 2) == 0) {
                    return place;
                }
                candidates &= candidates - 1;
            }
        }
    }
#endif
    return static_cast<const char*>(memmem(from, limit - from, text.data(), length));
}

// Does `text` occur in the meanings of a line of `length` bytes?
inline bool meaningsContain(const char* line, std::size_t length, const std::string& text)
{
    const char* slash = static_cast<const char*>(std::memchr(line, '/', length));
    if (slash == nullptr) {
        return false;
    }
    const char* hit = findText(slash, line + length, text);
    return hit != nullptr && std::memchr(line, '\0', hit + text.size() - line) == nullptr;
}

// Reports each line of a stretch of whole lines whose meanings hold `text`,
// once, in order: report(file offset, line start, line size).
template <typename Report>
void scanWholeLines(const char* base, std::size_t size, long baseOffset, const std::string& text,
                    Report& report)
{
    const char* const limit = base + size;
    const char* cursor = base;  // always at the start of a line
    while (cursor < limit) {
        const char* hit = findText(cursor, limit, text);
        if (hit == nullptr) {
            return;
        }
        const char* before = static_cast<const char*>(memrchr(cursor, '\n', hit - cursor));
        const char* lineStart = before != nullptr ? before + 1 : cursor;
        const char* after = static_cast<const char*>(std::memchr(hit, '\n', limit - hit));
        const char* lineEnd = after != nullptr ? after + 1 : limit;
        const std::size_t lineSize = lineEnd - lineStart;
        if (meaningsContain(lineStart, lineSize, text)) {
            report(baseOffset + static_cast<long>(lineStart - base), lineStart, lineSize);
        }
        cursor = lineEnd;
    }
}

// The scan reads blocks small enough to stay in the processor's cache while
// they are searched; a larger block is slower, not faster.
constexpr std::size_t MEANING_SCAN_BLOCK_SIZE = 1 << 17;

// Reads the stream from its current position to its end and reports every
// line whose meanings hold `text`, in order, as scanWholeLines does.
template <typename Report> void scanMeanings(FILE* stream, const std::string& text, Report report)
{
    fileReading::forEachBlockOfLines(
        stream, MEANING_SCAN_BLOCK_SIZE,
        [&](const char* base, std::size_t size, long offset) {
            scanWholeLines(base, size, offset, text, report);
        },
        [](long) { });
}

}  // namespace internal

#endif
