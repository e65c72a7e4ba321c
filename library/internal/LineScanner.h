// Finds the lines of an EDICT file and the fields of each line: where the
// headword, the reading and the meanings lie. A line is read whole, however
// long (a NUL byte ends its text); only an absurd line of more than
// MAX_LINE_BYTES is skipped, and reported as such. Everything here is
// inline: it runs for every line.
#ifndef DEXARU_INTERNAL_LINESCANNER_H
#define DEXARU_INTERNAL_LINESCANNER_H

#include "internal/FileReading.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace internal {

using fileReading::MAX_LINE_BYTES;

// Where the headword, the reading and the meanings lie in one line.
struct LineFields
{
    int wordLength = 0;
    int kanaStart = -1;  // -1: no reading
    int kanaLength = 0;
    bool kanaUnclosed = false;  // "[" without "]"
    int meaningsStart = 0;  // 0: the line is not an entry
    bool tooLong = false;  // longer than MAX_LINE_BYTES: skipped
};

// The first position in [from, length) that holds `a`, `b` or a NUL byte,
// else `length`. Bytes up to `limit` may be read (but not used) beyond the
// line, sixteen at a time.
inline __attribute__((always_inline)) int findFirstOf(const char* line, int from, int length,
                                                      const char* limit, char a, char b)
{
    int i = from;
#ifdef __SSE2__
    const __m128i first = _mm_set1_epi8(a);
    const __m128i second = _mm_set1_epi8(b);
    const __m128i zero = _mm_setzero_si128();
    while (i < length && limit - (line + i) >= 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + i));
        const __m128i hits = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(chunk, first), _mm_cmpeq_epi8(chunk, second)),
            _mm_cmpeq_epi8(chunk, zero));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
        if (mask != 0) {
            const int found = i + __builtin_ctz(mask);
            return found < length ? found : length;
        }
        i += 16;
    }
#endif
    for (; i < length; ++i) {
        const char byte = line[i];
        if (byte == a || byte == b || byte == '\0') {
            return i;
        }
    }
    return length;
}

// Splits a line of at most `length` bytes; like the C string functions, a
// NUL byte ends the line. The reading counts only when its "[" comes before
// the first "/". `limit` (at least line + length) bounds what may be read.
inline LineFields splitLine(const char* line, int length, const char* limit)
{
    LineFields fields;
    const int space = findFirstOf(line, 0, length, limit, ' ', ' ');
    if (space == 0 || space >= length || line[space] != ' ') {
        return fields;
    }
    fields.wordLength = space;
    fields.meaningsStart = space + 1;

    // The first "[" counts only when a "/" follows it with no NUL between.
    const int stop = findFirstOf(line, space + 1, length, limit, '/', '[');
    if (stop >= length || line[stop] != '[') {
        return fields;
    }
    const int bracket = stop;
    const int slash = findFirstOf(line, bracket + 1, length, limit, '/', '/');
    if (slash >= length || line[slash] != '/') {
        return fields;
    }
    // The "]" may even lie beyond the "/"; a NUL before it ends the search.
    const int close = findFirstOf(line, bracket + 1, length, limit, ']', ']');
    if (close < length && line[close] == ']') {
        fields.kanaStart = bracket + 1;
        fields.kanaLength = close - bracket - 1;
        fields.meaningsStart = close + 1;
    } else {
        fields.kanaUnclosed = true;
        fields.meaningsStart = bracket + 1;
    }
    return fields;
}

// Hands out every line of a block of bytes, whole. A line longer than
// MAX_LINE_BYTES comes out with `tooLong` set and no fields.
class LineScanner
{
public:
    LineScanner(const char* bytes, std::size_t size) : bytes(bytes), size(size), position(0) { }

    // The next line: its bytes, its offset and where its fields lie. False
    // at the end.
    inline __attribute__((always_inline)) bool next(const char** line, long* offset,
                                                    LineFields* fields)
    {
        if (position >= size) {
            return false;
        }
        const char* start = bytes + position;
        const std::size_t available = size - position;
        const std::size_t window = available < MAX_LINE_BYTES ? available : MAX_LINE_BYTES;
        *line = start;
        *offset = static_cast<long>(position);
#ifdef __SSE2__
        if (available >= BLOCK) {
            nextInBlock(start, window, available, fields);
            return true;
        }
#endif
        const char* lineEnd = findLineEnd(start, 0, window);
        const std::size_t taken = lineEnd != nullptr ? static_cast<std::size_t>(lineEnd - start + 1)
                                                     : window;
        if (isTooLong(lineEnd, available, fields)) {
            return true;
        }
        *fields = splitLine(start, static_cast<int>(taken), bytes + size);
        position += taken;
        return true;
    }

private:
    static const std::size_t BLOCK = 64;

    // With no LF within MAX_LINE_BYTES of the line's start and more bytes
    // after them, the line is absurd: marks it so and moves past it.
    bool isTooLong(const char* lineEnd, std::size_t available, LineFields* fields)
    {
        if (lineEnd != nullptr || available <= MAX_LINE_BYTES) {
            return false;
        }
        *fields = LineFields();
        fields->tooLong = true;
        skipRestOfLine();
        return true;
    }

#ifdef __SSE2__
    // One bit per byte of the 64-byte block at `chunks` that equals `value`.
    static inline __attribute__((always_inline)) uint64_t bitsEqual(const __m128i* chunks,
                                                                    char value)
    {
        const __m128i wanted = _mm_set1_epi8(value);
        const uint64_t first = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(chunks[0], wanted)));
        const uint64_t second = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(chunks[1], wanted)));
        const uint64_t third = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(chunks[2], wanted)));
        const uint64_t fourth = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(chunks[3], wanted)));
        return first | (second << 16) | (third << 32) | (fourth << 48);
    }

    // Bits above position `bit`.
    static uint64_t above(int bit)
    {
        return ~((2ULL << bit) - 1);
    }

    // Finds the line end and the fields from one 64-byte block of bit masks,
    // which holds the whole head of nearly every line; splitLine takes the
    // rest.
    inline __attribute__((always_inline)) void nextInBlock(const char* start, std::size_t window,
                                                           std::size_t available, LineFields* fields)
    {
        const __m128i* block = reinterpret_cast<const __m128i*>(start);
        const __m128i chunks[4] = {_mm_loadu_si128(block), _mm_loadu_si128(block + 1),
                                   _mm_loadu_si128(block + 2), _mm_loadu_si128(block + 3)};
        const uint64_t windowBits = window >= BLOCK ? ~0ULL : (1ULL << window) - 1;
        const uint64_t lineEnds = bitsEqual(chunks, '\n') & windowBits;
        const char* lineEnd = lineEnds != 0 ? start + __builtin_ctzll(lineEnds)
                                            : findLineEnd(start, BLOCK, window);
        const std::size_t taken = lineEnd != nullptr ? static_cast<std::size_t>(lineEnd - start + 1)
                                                     : window;
        if (isTooLong(lineEnd, available, fields)) {
            return;
        }

        const uint64_t lineBits = taken >= BLOCK ? ~0ULL : (1ULL << taken) - 1;
        const uint64_t nuls = bitsEqual(chunks, '\0') & lineBits;
        // The bytes before the first NUL; `complete` when that is the line.
        const uint64_t content = nuls != 0 ? (nuls & (0 - nuls)) - 1 : lineBits;
        const bool complete = nuls != 0 || taken <= BLOCK;
        if (!splitInBlock(chunks, content, complete, fields)) {
            *fields = splitLine(start, static_cast<int>(taken), bytes + size);
        }
        position += taken;
    }

    // splitLine on the bit masks; false when the block does not settle it.
    static inline __attribute__((always_inline)) bool
    splitInBlock(const __m128i* chunks, uint64_t content, bool complete, LineFields* fields)
    {
        *fields = LineFields();
        const uint64_t spaces = bitsEqual(chunks, ' ') & content;
        if (spaces == 0) {
            return complete;
        }
        const int space = __builtin_ctzll(spaces);
        if (space == 0) {
            return true;
        }
        fields->wordLength = space;
        fields->meaningsStart = space + 1;

        const uint64_t slashes = bitsEqual(chunks, '/') & content;
        const uint64_t opens = bitsEqual(chunks, '[') & content & above(space);
        const uint64_t stops = (slashes | opens) & above(space);
        if (stops == 0 || (stops & opens & (0 - stops)) == 0) {
            return stops != 0 || complete;  // a "/" first, or neither
        }
        const int bracket = __builtin_ctzll(stops);
        if ((slashes & above(bracket)) == 0) {
            return complete;
        }
        const uint64_t closes = bitsEqual(chunks, ']') & content & above(bracket);
        if (closes == 0) {
            if (!complete) {
                return false;
            }
            fields->kanaUnclosed = true;
            fields->meaningsStart = bracket + 1;
            return true;
        }
        const int close = __builtin_ctzll(closes);
        fields->kanaStart = bracket + 1;
        fields->kanaLength = close - bracket - 1;
        fields->meaningsStart = close + 1;
        return true;
    }
#endif

    // The first LF among bytes [from, window) of `start`, or null. Most
    // lines are short, so sixteen bytes at a time beats a call to memchr.
    const char* findLineEnd(const char* start, std::size_t from, std::size_t window) const
    {
        std::size_t i = from;
#ifdef __SSE2__
        const __m128i lineEnd = _mm_set1_epi8('\n');
        const char* const limit = bytes + size;
        while (i < window && limit - (start + i) >= 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(start + i));
            const unsigned mask = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lineEnd)));
            if (mask != 0) {
                const std::size_t found = i + __builtin_ctz(mask);
                return found < window ? start + found : nullptr;
            }
            i += 16;
        }
#endif
        if (i >= window) {
            return nullptr;
        }
        return static_cast<const char*>(std::memchr(start + i, '\n', window - i));
    }

    void skipRestOfLine()
    {
        const char* start = bytes + position;
        const char* lineEnd = static_cast<const char*>(std::memchr(start, '\n', size - position));
        position = lineEnd != nullptr ? static_cast<std::size_t>(lineEnd - bytes + 1) : size;
    }

    const char* bytes;
    std::size_t size;
    std::size_t position;
};

}  // namespace internal

#endif
