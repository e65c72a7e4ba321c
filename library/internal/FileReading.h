// How every data-file reader of the library gets at its bytes: opening a
// file (a directory is refused like a missing file), reading it whole or in
// blocks of whole lines, iterating over its lines and counting them.
// Internal to the library; not installed.
#ifndef DEXARU_INTERNAL_FILEREADING_H
#define DEXARU_INTERNAL_FILEREADING_H

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace fileReading {

// Sequential passes over a file read it in blocks of this size.
constexpr std::size_t READ_BLOCK_SIZE = 1 << 20;

// The longest line, LF included, that a dictionary reader takes: every line
// is read whole up to this size. A longer one cannot be a real entry; it is
// skipped with a message, never cut.
constexpr std::size_t MAX_LINE_BYTES = std::size_t(1) << 20;

// Deleter for std::unique_ptr<FILE, FileCloser>.
struct FileCloser
{
    void operator()(FILE* stream) const { std::fclose(stream); }
};

using File = std::unique_ptr<FILE, FileCloser>;

// fopen, except that a directory is not opened (errno is then EISDIR):
// reading one would give no bytes and look like an empty file. The caller
// owns the stream; null on failure.
FILE* openForReading(const std::string& filename, const char* mode);

// Everything from the stream's current position to its end.
std::string readToEnd(FILE* stream);

// Cuts trailing CR and LF bytes off the first `length` bytes of `line`
// (writing NULs over them) and returns the length left.
inline std::size_t stripLineEnd(char* line, std::size_t length)
{
    while (length > 0 && (line[length - 1] == '\n' || line[length - 1] == '\r')) {
        line[--length] = '\0';
    }
    return length;
}

enum class LineRead
{
    READ,  // a line, its LF included when it had one
    END,  // nothing left
    TOO_LONG  // a line longer than maxBytes, skipped to its end
};

// Reads the line at the stream's position whole into `line` (NUL bytes
// kept), whatever its length up to `maxBytes`.
LineRead readLine(FILE* stream, std::string* line, std::size_t maxBytes = MAX_LINE_BYTES);

// Number of LF bytes in a block.
long countLineEnds(const char* bytes, std::size_t size);

// Number of LF bytes from the stream's current position to its end; every
// newline-terminated line counts once, however long it is. Held below
// INT_MAX.
int countLineEnds(FILE* stream);

// One line of a block of bytes: `size` bytes from `data`, the LF included
// (the last line of a block may lack one), starting `offset` bytes into it.
struct Line
{
    const char* data;
    std::size_t size;
    std::size_t offset;

    bool endsWithLineEnd() const { return size > 0 && data[size - 1] == '\n'; }
};

// Hands out the lines of a block of bytes in order. The bytes must outlive
// the iterator.
class Lines
{
public:
    Lines(const char* bytes, std::size_t size) : bytes(bytes), size(size), position(0) { }

    explicit Lines(const std::string& text) : Lines(text.data(), text.size()) { }

    // The next line; false at the end.
    bool next(Line* line)
    {
        if (position >= size) {
            return false;
        }
        const char* start = bytes + position;
        const void* lineEnd = std::memchr(start, '\n', size - position);
        const std::size_t length = lineEnd != nullptr
                                       ? static_cast<const char*>(lineEnd) - start + 1
                                       : size - position;
        *line = Line{start, length, position};
        position += length;
        return true;
    }

private:
    const char* bytes;
    std::size_t size;
    std::size_t position;
};

// Reads the stream from its current position to its end in blocks of
// `blockSize` bytes, carrying an unfinished last line over to the next
// block (the buffer grows for a line longer than a block), and hands out
// - wholeLines(base, size, offset): a stretch of whole lines (the last at
//   the end of the file may lack its LF) that starts at file offset
//   `offset`;
// - tooLong(offset): the line at `offset` is longer than MAX_LINE_BYTES;
//   it is skipped.
template <typename WholeLines, typename TooLong>
void forEachBlockOfLines(FILE* stream, std::size_t blockSize, WholeLines wholeLines,
                         TooLong tooLong)
{
    std::vector<char> buffer(blockSize);
    std::size_t end = 0;
    long bufferOffset = 0;  // file offset of buffer[0], always a line start
    bool atEndOfFile = false;
    bool skippingRest = false;
    while (!atEndOfFile || end > 0) {
        if (!atEndOfFile) {
            const std::size_t wanted = buffer.size() - end;
            const std::size_t got = std::fread(buffer.data() + end, 1, wanted, stream);
            end += got;
            atEndOfFile = got < wanted;
        }
        std::size_t consumed = 0;
        if (skippingRest) {
            const char* lineEnd = static_cast<const char*>(std::memchr(buffer.data(), '\n', end));
            consumed = lineEnd != nullptr ? lineEnd - buffer.data() + 1 : end;
            skippingRest = lineEnd == nullptr;
        } else {
            std::size_t whole = end;
            if (!atEndOfFile) {
                const char* last = static_cast<const char*>(memrchr(buffer.data(), '\n', end));
                whole = last != nullptr ? last - buffer.data() + 1 : 0;
            }
            if (whole == 0 && buffer.size() < MAX_LINE_BYTES) {
                // A line longer than the buffer: room for the rest of it.
                buffer.resize(std::min(buffer.size() * 2, MAX_LINE_BYTES));
                continue;
            }
            if (whole == 0) {
                tooLong(bufferOffset);
                whole = end;
                skippingRest = true;
            } else {
                wholeLines(static_cast<const char*>(buffer.data()), whole, bufferOffset);
            }
            consumed = whole;
        }
        std::memmove(buffer.data(), buffer.data() + consumed, end - consumed);
        bufferOffset += static_cast<long>(consumed);
        end -= consumed;
    }
}

}  // namespace fileReading

#endif
