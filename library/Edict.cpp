#include "Edict.h"

#include "Encoding.h"
#include "Jwcs.h"
#include "Kana.h"
#include "Log.h"
#include "PartsOfSpeech.h"
#include "WordEntry.h"
#include "internal/IndexCache.h"
#include "internal/LogCount.h"

#include <iconv.h>
#include <strings.h>

#include <climits>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <algorithm>
#include <new>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// A line is read with one 1024-byte buffer: at most 1023 bytes, LF included.
const int LINE_BUFFER_SIZE = 1024;
const int LINE_PIECE_MAX = LINE_BUFFER_SIZE - 1;
// Sequential passes over the file read it in blocks of this size.
const size_t READ_BLOCK_SIZE = 1 << 20;

// Where the headword, the reading and the meanings lie in one line.
struct LineFields
{
    int wordLength = 0;
    int kanaStart = -1;      // -1: no reading
    int kanaLength = 0;
    bool kanaUnclosed = false;  // "[" without "]"
    int meaningsStart = 0;   // 0: the line is not an entry
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

void logUnclosedBracket(const char* word, int wordLength)
{
    Log::write(3, "%s: Could not find a second bracket for the kana from '%.*s'.",
               "getEdictWordAndKana", wordLength, word);
}

// Decodes EUC-JP without iconv for the codes that make up nearly every
// dictionary line: ASCII, JIS X 0208 and half-width katakana. The tables are
// filled once through iconv itself, so a decoded character is always the one
// iconv would give; anything else is left to Encoding::convert.
class EucJpDecoder
{
public:
    static const EucJpDecoder& instance()
    {
        static const EucJpDecoder decoder;
        return decoder;
    }

    // Writes the characters of `size` bytes to `out` (room for `size`
    // characters) and returns their number, or -1 when a byte sequence is
    // not covered by the tables.
    inline __attribute__((always_inline)) int decode(const char* bytes, int size,
                                                     wchar_t* out) const
    {
        const unsigned char* in = reinterpret_cast<const unsigned char*>(bytes);
        const unsigned char* const end = in + size;
        wchar_t* written = out;
        while (in < end) {
            const unsigned lead = in[0];
            unsigned character;
            if (lead < 0x80) {
                character = ascii[lead];
                in += 1;
            } else {
                if (end - in < 2) {
                    return -1;
                }
                const unsigned row = lead - 0xA1;
                const unsigned cell = static_cast<unsigned>(in[1]) - 0xA1;
                if (row < 94 && cell < 94) {
                    character = jisX0208[row * 94 + cell];
                } else if (lead == 0x8E && cell <= 0xDF - 0xA1) {
                    character = halfwidthKatakana[cell];
                } else {
                    return -1;
                }
                in += 2;
            }
            if (character == 0) {
                return -1;
            }
            *written++ = static_cast<wchar_t>(character);
        }
        return static_cast<int>(written - out);
    }

private:
    EucJpDecoder()
        : ascii(), jisX0208(), halfwidthKatakana()
    {
        iconv_t descriptor = iconv_open("WCHAR_T", "EUC-JP");
        if (descriptor == reinterpret_cast<iconv_t>(-1)) {
            return;  // every field then goes through Encoding::convert
        }
        for (int byte = 1; byte < 0x80; ++byte) {
            const unsigned char code[] = {static_cast<unsigned char>(byte)};
            ascii[byte] = decodeOne(descriptor, code, 1);
        }
        for (int lead = 0xA1; lead <= 0xFE; ++lead) {
            for (int trail = 0xA1; trail <= 0xFE; ++trail) {
                const unsigned char code[] = {static_cast<unsigned char>(lead),
                                              static_cast<unsigned char>(trail)};
                jisX0208[(lead - 0xA1) * 94 + (trail - 0xA1)] = decodeOne(descriptor, code, 2);
            }
        }
        for (int trail = 0xA1; trail <= 0xDF; ++trail) {
            const unsigned char code[] = {0x8E, static_cast<unsigned char>(trail)};
            halfwidthKatakana[trail - 0xA1] = decodeOne(descriptor, code, 2);
        }
        iconv_close(descriptor);
    }

    static bool isRowByte(unsigned char byte)
    {
        return byte >= 0xA1 && byte <= 0xFE;
    }

    // The one character a complete conversion gives, else 0; characters
    // beyond 16 bits (none in these tables) are left to Encoding::convert.
    static uint16_t decodeOne(iconv_t descriptor, const unsigned char* code, size_t size)
    {
        char input[2];
        std::memcpy(input, code, size);
        wchar_t output[2] = {0, 0};
        char* in = input;
        char* out = reinterpret_cast<char*>(output);
        size_t inLeft = size;
        size_t outLeft = sizeof(output);
        const size_t result = iconv(descriptor, &in, &inLeft, &out, &outLeft);
        iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
        if (result != 0 || inLeft != 0 || outLeft != sizeof(output) - sizeof(wchar_t)
            || output[0] < 0 || output[0] > 0xFFFF) {
            return 0;
        }
        return static_cast<uint16_t>(output[0]);
    }

    // 16 bits per character keep the tables small enough for the L1 cache.
    uint16_t ascii[0x80];
    uint16_t jisX0208[94 * 94];
    uint16_t halfwidthKatakana[0xDF - 0xA1 + 1];
};

// Hands out every line of a block of bytes the way a line read into a
// 1024-byte buffer would see it: the first 1023 bytes at most, LF included.
// The continuation pieces of an over-long line are skipped; they are not
// lines of their own.
class LineCursor
{
public:
    LineCursor(const char* bytes, size_t size)
        : bytes(bytes), size(size), position(0)
    {
    }

    // The next line: its bytes, its offset and where its fields lie. False
    // at the end.
    bool next(const char** line, long* offset, LineFields* fields)
    {
        if (position >= size) {
            return false;
        }
        const char* start = bytes + position;
        const size_t available = size - position;
        const size_t window = available < static_cast<size_t>(LINE_PIECE_MAX)
                                  ? available : static_cast<size_t>(LINE_PIECE_MAX);
        *line = start;
        *offset = static_cast<long>(position);
#ifdef __SSE2__
        if (available >= BLOCK) {
            nextInBlock(start, window, fields);
            return true;
        }
#endif
        const char* lineEnd = findLineEnd(start, 0, window);
        const size_t taken = lineEnd != nullptr ? static_cast<size_t>(lineEnd - start + 1) : window;
        *fields = splitLine(start, static_cast<int>(taken), bytes + size);
        advance(taken, lineEnd != nullptr || window < static_cast<size_t>(LINE_PIECE_MAX));
        return true;
    }

private:
    static const size_t BLOCK = 64;

    // Moves past a line piece of `taken` bytes, and past the rest of its
    // line unless the piece is the whole line.
    void advance(size_t taken, bool wholeLine)
    {
        position += taken;
        if (!wholeLine) {
            skipRestOfLine();
        }
    }

#ifdef __SSE2__
    // One bit per byte of the 64-byte block at `chunks` that equals `value`.
    static inline __attribute__((always_inline)) uint64_t bitsEqual(const __m128i* chunks,
                                                                    char value)
    {
        const __m128i wanted = _mm_set1_epi8(value);
        const uint64_t first = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunks[0], wanted)));
        const uint64_t second = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunks[1], wanted)));
        const uint64_t third = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunks[2], wanted)));
        const uint64_t fourth = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunks[3], wanted)));
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
    void nextInBlock(const char* start, size_t window, LineFields* fields)
    {
        const __m128i* block = reinterpret_cast<const __m128i*>(start);
        const __m128i chunks[4] = {_mm_loadu_si128(block), _mm_loadu_si128(block + 1),
                                   _mm_loadu_si128(block + 2), _mm_loadu_si128(block + 3)};
        const uint64_t windowBits = window >= BLOCK ? ~0ULL : (1ULL << window) - 1;
        const uint64_t lineEnds = bitsEqual(chunks, '\n') & windowBits;
        const char* lineEnd = lineEnds != 0 ? start + __builtin_ctzll(lineEnds)
                                            : findLineEnd(start, BLOCK, window);
        const size_t taken = lineEnd != nullptr ? static_cast<size_t>(lineEnd - start + 1) : window;

        const uint64_t lineBits = taken >= BLOCK ? ~0ULL : (1ULL << taken) - 1;
        const uint64_t nuls = bitsEqual(chunks, '\0') & lineBits;
        // The bytes before the first NUL; `complete` when that is the line.
        const uint64_t content = nuls != 0 ? (nuls & (0 - nuls)) - 1 : lineBits;
        const bool complete = nuls != 0 || taken <= BLOCK;
        if (!splitInBlock(chunks, content, complete, fields)) {
            *fields = splitLine(start, static_cast<int>(taken), bytes + size);
        }
        advance(taken, lineEnd != nullptr || window < static_cast<size_t>(LINE_PIECE_MAX));
    }

    // splitLine on the bit masks; false when the block does not settle it.
    static inline __attribute__((always_inline)) bool splitInBlock(const __m128i* chunks, uint64_t content, bool complete,
                             LineFields* fields)
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
    const char* findLineEnd(const char* start, size_t from, size_t window) const
    {
        size_t i = from;
#ifdef __SSE2__
        const __m128i lineEnd = _mm_set1_epi8('\n');
        const char* const limit = bytes + size;
        while (i < window && limit - (start + i) >= 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(start + i));
            const unsigned mask =
                static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lineEnd)));
            if (mask != 0) {
                const size_t found = i + __builtin_ctz(mask);
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
        position = lineEnd != nullptr ? static_cast<size_t>(lineEnd - bytes + 1) : size;
    }

    const char* bytes;
    size_t size;
    size_t position;
};

// Number of LF bytes in a block.
long countLineEndsIn(const char* bytes, size_t size)
{
    long count = 0;
    size_t i = 0;
#ifdef __SSE2__
    // Each byte lane counts up to 255 LF bytes before the lanes are summed.
    const __m128i lineEnd = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    while (i + 16 <= size) {
        __m128i lanes = zero;
        for (int round = 0; round < 255 && i + 16 <= size; ++round, i += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(chunk, lineEnd));
        }
        const __m128i sums = _mm_sad_epu8(lanes, zero);
        count += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums));
    }
#endif
    for (; i < size; ++i) {
        count += bytes[i] == '\n';
    }
    return count;
}

// Number of LF bytes from the stream's current position on; every
// newline-terminated line counts once, however long it is.
int countLineEnds(FILE* stream, long* totalBytes)
{
    std::vector<char> block(READ_BLOCK_SIZE);
    long lines = 0;
    long bytes = 0;
    size_t got;
    while ((got = std::fread(block.data(), 1, block.size(), stream)) > 0) {
        bytes += static_cast<long>(got);
        lines += countLineEndsIn(block.data(), got);
    }
    *totalBytes = bytes;
    return lines >= INT_MAX ? INT_MAX - 1 : static_cast<int>(lines);
}

// Does `text` occur in the meanings part of a line, as a line read into a
// 1024-byte buffer shows it: from the first "/" on, up to any NUL byte?
bool meaningsContain(const char* line, size_t length, const std::string& text)
{
    const char* slash = static_cast<const char*>(std::memchr(line, '/', length));
    if (slash == nullptr) {
        return false;
    }
    const char* hit =
        static_cast<const char*>(memmem(slash, line + length - slash, text.data(), text.size()));
    return hit != nullptr && std::memchr(line, '\0', hit + text.size() - line) == nullptr;
}

// Finds the lines of a stretch of whole lines whose meanings hold `text`,
// jumping from one occurrence of the text to the next instead of visiting
// every line. Reports each line's file offset once, in order.
template <typename Report>
void scanWholeLines(const char* base, size_t size, long baseOffset, const std::string& text,
                    Report report)
{
    const char* const limit = base + size;
    const char* cursor = base;  // always at the start of a line
    while (cursor < limit) {
        const char* hit =
            static_cast<const char*>(memmem(cursor, limit - cursor, text.data(), text.size()));
        if (hit == nullptr) {
            return;
        }
        const char* before = static_cast<const char*>(memrchr(cursor, '\n', hit - cursor));
        const char* lineStart = before != nullptr ? before + 1 : cursor;
        const char* after = static_cast<const char*>(std::memchr(hit, '\n', limit - hit));
        const char* lineEnd = after != nullptr ? after + 1 : limit;
        const size_t lineLength = static_cast<size_t>(lineEnd - lineStart);
        const size_t piece = lineLength < static_cast<size_t>(LINE_PIECE_MAX)
                                 ? lineLength : static_cast<size_t>(LINE_PIECE_MAX);
        if (meaningsContain(lineStart, piece, text)) {
            report(baseOffset + static_cast<long>(lineStart - base));
        }
        cursor = lineEnd;
    }
}

// Reads the stream from its start in large blocks and reports the offset of
// every line whose meanings hold `text` (see meaningsContain).
template <typename Report>
void scanMeanings(FILE* stream, const std::string& text, Report report)
{
    std::vector<char> buffer(READ_BLOCK_SIZE);
    size_t end = 0;
    long bufferOffset = 0;  // file offset of buffer[0], always a line start
    bool atEndOfFile = false;
    bool skippingRest = false;
    while (!atEndOfFile || end > 0) {
        if (!atEndOfFile) {
            const size_t wanted = buffer.size() - end;
            const size_t got = std::fread(buffer.data() + end, 1, wanted, stream);
            end += got;
            atEndOfFile = got < wanted;
        }
        if (skippingRest) {
            // The rest of a line longer than the buffer: nothing in it counts.
            const char* lineEnd = static_cast<const char*>(std::memchr(buffer.data(), '\n', end));
            const size_t skipped = lineEnd != nullptr ? lineEnd - buffer.data() + 1 : end;
            std::memmove(buffer.data(), buffer.data() + skipped, end - skipped);
            bufferOffset += static_cast<long>(skipped);
            end -= skipped;
            skippingRest = lineEnd == nullptr;
            continue;
        }
        size_t whole = end;
        if (!atEndOfFile) {
            const char* last = static_cast<const char*>(memrchr(buffer.data(), '\n', end));
            whole = last != nullptr ? last - buffer.data() + 1 : 0;
        }
        if (whole == 0) {
            // A full buffer without any line end: test the line's first piece.
            const size_t piece = end < static_cast<size_t>(LINE_PIECE_MAX)
                                     ? end : static_cast<size_t>(LINE_PIECE_MAX);
            if (meaningsContain(buffer.data(), piece, text)) {
                report(bufferOffset);
            }
            whole = end;
            skippingRest = true;
        } else {
            scanWholeLines(buffer.data(), whole, bufferOffset, text, report);
        }
        std::memmove(buffer.data(), buffer.data() + whole, end - whole);
        bufferOffset += static_cast<long>(whole);
        end -= whole;
    }
}

std::string narrowed(const std::wstring& text)
{
    std::string result;
    result.reserve(text.size());
    for (wchar_t character : text) {
        result.push_back(static_cast<char>(character));
    }
    return result;
}

// A character as the case-ignoring comparison sees it: kana as katakana,
// letters in lower case. Two characters that this comparison finds equal
// always fold to the same character.
wchar_t folded(wchar_t character)
{
    // The kana ranges of Kana::isHiragana and Kana::isKatakana, on the low
    // 16 bits as there; inlined because this runs for every indexed character.
    const uint16_t low = static_cast<uint16_t>(character);
    if (low >= 0x3041 && low <= 0x3096) {
        return static_cast<wchar_t>(low + Kana::KANA_OFFSET);
    }
    if (low >= 0x30A0 && low <= 0x30FF) {
        return static_cast<wchar_t>(low);
    }
    if (character >= 0x4E00 && character <= 0x9FFF) {
        return character;  // ideographs have no case
    }
    return static_cast<wchar_t>(std::towlower(character));
}

// Compares index words or readings with the search text, the way Jwcs::cmp
// (or Jwcs::xcmp for wildcard searches) decides. Cheap necessary conditions
// go first so that most records never reach the full comparison.
class TextMatcher
{
public:
    TextMatcher(const std::wstring& text, bool wildcard, JwcsCase caseStyle)
        : text(text), wildcard(wildcard), caseStyle(caseStyle)
    {
        if (wildcard) {
            collectLiteralRuns();
        }
    }

    bool matches(const wchar_t* target) const
    {
        if (!wildcard) {
            if (!firstCharacterAgrees(target)) {
                return false;
            }
            return Jwcs::cmp(target, text.c_str(), caseStyle) == 0;
        }
        if (!containsLiteralRuns(target)) {
            return false;
        }
        return Jwcs::xcmp(target, text.c_str(), caseStyle) == 0;
    }

private:
    static const size_t FOLD_BUFFER_SIZE = 128;

    bool ignoresCase() const
    {
        return caseStyle == CMP_IGNORE_CASE;
    }

    bool firstCharacterAgrees(const wchar_t* target) const
    {
        if (!ignoresCase()) {
            return caseStyle != CMP_CASE || target[0] == text[0];
        }
        if (target[0] == 0 || text[0] == 0) {
            return true;  // left to the full comparison
        }
        return target[0] == text[0] || folded(target[0]) == folded(text[0]);
    }

    static bool isWildcard(wchar_t character)
    {
        return character == Kana::WC_QUES || character == Kana::WC_STAR;
    }

    // The stretches between wildcards must appear in any match, and the
    // first one at the start unless a wildcard leads. For case-ignoring
    // searches both sides are compared folded.
    void collectLiteralRuns()
    {
        std::wstring run;
        for (wchar_t character : text) {
            if (isWildcard(character)) {
                if (!run.empty()) {
                    literalRuns.push_back(run);
                }
                run.clear();
            } else {
                run.push_back(ignoresCase() ? folded(character) : character);
            }
        }
        if (!run.empty()) {
            literalRuns.push_back(run);
        }
        anchoredPrefix = !text.empty() && !isWildcard(text[0]);
        usable = caseStyle == CMP_CASE || caseStyle == CMP_IGNORE_CASE;
    }

    bool containsLiteralRuns(const wchar_t* target) const
    {
        if (!usable || literalRuns.empty()) {
            return true;
        }
        wchar_t foldBuffer[FOLD_BUFFER_SIZE];
        if (ignoresCase()) {
            size_t i = 0;
            for (; target[i] != 0; ++i) {
                if (i + 1 >= FOLD_BUFFER_SIZE) {
                    return true;  // too long to fold here: left to the full comparison
                }
                foldBuffer[i] = folded(target[i]);
            }
            foldBuffer[i] = 0;
            target = foldBuffer;
        }
        if (anchoredPrefix
            && std::wcsncmp(target, literalRuns[0].c_str(), literalRuns[0].size()) != 0) {
            return false;
        }
        for (const std::wstring& run : literalRuns) {
            if (std::wcsstr(target, run.c_str()) == nullptr) {
                return false;
            }
        }
        return true;
    }

    const std::wstring& text;
    const bool wildcard;
    const JwcsCase caseStyle;
    std::vector<std::wstring> literalRuns;
    bool anchoredPrefix = false;
    bool usable = false;
};

bool hasAbbreviation(const WordEntry& entry, const std::string& abbreviation)
{
    for (const EntryInfo* item : entry.info) {
        if (item->abbreviation == abbreviation) {
            return true;
        }
    }
    return false;
}

bool passesFilters(const WordEntry& entry, const WordDictionary::SearchOptions& options)
{
    if (options.commonFilter == 1 && !entry.isCommon) {
        return false;
    }
    if (options.commonFilter == 2 && entry.isCommon) {
        return false;
    }
    if (options.partsOfSpeech.empty()) {
        return true;
    }
    for (const std::string& abbreviation : options.partsOfSpeech) {
        const bool found = hasAbbreviation(entry, abbreviation);
        if (options.matchAllPartsOfSpeech && !found) {
            return false;
        }
        if (!options.matchAllPartsOfSpeech && found) {
            return true;
        }
    }
    return options.matchAllPartsOfSpeech;
}

// Removes the first meaning that is exactly "(P)" and marks the entry common.
void takeCommonMarker(WordEntry* entry)
{
    for (int i = 0; i < entry->meaningsSize; ++i) {
        if (entry->meanings[i] == "(P)") {
            entry->isCommon = true;
            for (int j = i; j + 1 < entry->meaningsSize; ++j) {
                entry->meanings[j] = std::move(entry->meanings[j + 1]);
            }
            entry->meaningsSize--;
            entry->meanings[entry->meaningsSize].clear();
            return;
        }
    }
}

// Records every abbreviation of the group that the table knows; returns
// whether there was one.
bool recogniseGroup(const std::string& group, PartsOfSpeech* table, WordEntry* entry)
{
    if (table == nullptr) {
        return false;
    }
    bool recognised = false;
    size_t start = 0;
    while (true) {
        const size_t comma = group.find(',', start);
        const std::string item = group.substr(start, comma == std::string::npos
                                                         ? std::string::npos : comma - start);
        const std::string description = table->search(item);
        if (!description.empty()) {
            EntryInfo* info = new EntryInfo();
            info->abbreviation = item;
            info->text = description;
            entry->info.push_back(info);
            recognised = true;
        }
        if (comma == std::string::npos) {
            return recognised;
        }
        start = comma + 1;
    }
}

// Strips the leading part-of-speech groups, such as "(n,vs)", that the table
// recognises from one meaning; the scan ends at the first other byte.
void takePartsOfSpeech(std::string& meaning, PartsOfSpeech* table, WordEntry* entry)
{
    size_t j = 0;
    while (j < meaning.size()) {
        if (meaning[j] == ' ') {
            ++j;
            continue;
        }
        if (meaning[j] != '(') {
            return;
        }
        const size_t close = meaning.find(')', j + 1);
        if (close == std::string::npos) {
            Log::write(3, "%s: ERROR: could not find ending ')'.", "loadEntryFromEdict");
            return;
        }
        if (!recogniseGroup(meaning.substr(j + 1, close - j - 1), table, entry)) {
            ++j;
            continue;
        }
        meaning.erase(j, close - j + 1);
        if (!meaning.empty() && meaning[0] == ' ') {
            meaning.erase(0, 1);
        }
    }
}

}  // namespace

// The whole content of an open file: mapped read-only when it is a regular
// file, read into memory otherwise. The stream's position is left anywhere.
// Parts already read can be given back so that the mapping never holds the
// whole file in memory at once.
class Edict::FileBytes
{
public:
    explicit FileBytes(FILE* stream)
    {
        struct stat info;
        const int descriptor = fileno(stream);
        if (fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
            void* mapping = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ,
                                 MAP_PRIVATE, descriptor, 0);
            if (mapping != MAP_FAILED) {
                mapped = mapping;
                bytes = static_cast<const char*>(mapping);
                byteCount = static_cast<size_t>(info.st_size);
                return;
            }
        }
        readAll(stream);
    }

    ~FileBytes()
    {
        if (mapped != nullptr) {
            munmap(mapped, byteCount);
        }
    }

    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    const char* data() const { return bytes; }
    size_t size() const { return byteCount; }

    // Gives back the mapped pages before `offset`; reading them again maps
    // them in again.
    void release(size_t offset)
    {
        const size_t end = offset & ~(RELEASE_STEP - 1);
        if (mapped == nullptr || end <= released) {
            return;
        }
        madvise(static_cast<char*>(mapped) + released, end - released, MADV_DONTNEED);
        released = end;
    }

    // Starts a new pass over the content, giving back from the start again.
    void rewind()
    {
        released = 0;
    }

    static constexpr size_t RELEASE_STEP = 1 << 20;

private:
    void readAll(FILE* stream)
    {
        if (std::fseek(stream, 0, SEEK_SET) != 0) {
            return;
        }
        size_t got;
        do {
            const size_t oldSize = copy.size();
            copy.resize(oldSize + READ_BLOCK_SIZE);
            got = std::fread(copy.data() + oldSize, 1, READ_BLOCK_SIZE, stream);
            copy.resize(oldSize + got);
        } while (got > 0);
        bytes = copy.data();
        byteCount = copy.size();
    }

    void* mapped = nullptr;
    size_t released = 0;
    std::vector<char> copy;
    const char* bytes = nullptr;
    size_t byteCount = 0;
};

// Memory that the index keeps for the dictionary's life. Large blocks start
// on a 2 MB boundary and ask for whole 2 MB pages, which makes filling and
// freeing a large index far cheaper than page by page.
class LargeBlock
{
public:
    explicit LargeBlock(size_t bytes)
    {
        if (bytes >= HUGE_PAGE) {
            const size_t rounded = (bytes + HUGE_PAGE - 1) & ~(HUGE_PAGE - 1);
            memory = static_cast<char*>(std::aligned_alloc(HUGE_PAGE, rounded));
            if (memory != nullptr) {
                madvise(memory, rounded, MADV_HUGEPAGE);
            }
        } else {
            memory = static_cast<char*>(std::malloc(bytes > 0 ? bytes : 1));
        }
        if (memory == nullptr) {
            throw std::bad_alloc();
        }
    }

    ~LargeBlock()
    {
        std::free(memory);
    }

    LargeBlock(const LargeBlock&) = delete;
    LargeBlock& operator=(const LargeBlock&) = delete;

    char* data() const { return memory; }

private:
    static constexpr size_t HUGE_PAGE = 2 << 20;

    char* memory = nullptr;
};

// Holds the index: its records and, in a few large blocks, its words and
// readings. Pointers into it stay valid until the pool is destroyed.
class Edict::StringPool
{
public:
    // `sizeHint`: the file's size, which scales the blocks.
    explicit StringPool(size_t sizeHint)
    {
        const size_t wanted = sizeHint / 2;
        blockSize = wanted < MIN_BLOCK ? MIN_BLOCK : wanted > MAX_BLOCK ? MAX_BLOCK : wanted;
    }

    // Room for `count` index records, kept with the strings.
    IndexEntry* records(size_t count)
    {
        blocks.emplace_back(new LargeBlock(count * sizeof(IndexEntry)));
        return reinterpret_cast<IndexEntry*>(blocks.back()->data());
    }

    // Room for `size` characters, valid until the next call.
    wchar_t* reserve(size_t size)
    {
        if (capacity - used < size) {
            capacity = size > blockSize ? size : blockSize;
            blocks.emplace_back(new LargeBlock(capacity * sizeof(wchar_t)));
            characters = reinterpret_cast<wchar_t*>(blocks.back()->data());
            used = 0;
        }
        return characters + used;
    }

    // Keeps the first `size` characters of the last reservation.
    void commit(size_t size)
    {
        used += size;
    }

private:
    static constexpr size_t MIN_BLOCK = 1 << 12;
    static constexpr size_t MAX_BLOCK = 1 << 20;

    std::vector<std::unique_ptr<LargeBlock>> blocks;
    size_t blockSize = MIN_BLOCK;
    wchar_t* characters = nullptr;
    size_t capacity = 0;
    size_t used = 0;
};

Edict::Edict()
    : file(nullptr), indexEntries(nullptr), indexEntriesSize(0)
{
    encoding = "euc-jp";
}

Edict::~Edict()
{
    Log::write(7, "%s: Deleting this Edict.", "~Edict");
    if (file != nullptr) {
        std::fclose(file);
        file = nullptr;
    }
    releaseIndex();
}

void Edict::releaseIndex()
{
    indexEntries = nullptr;  // the pool holds the records
    indexEntriesSize = 0;
    pool.reset();
    cachedIndex.reset();
}

int Edict::load()
{
    Log::write(6, "%s: Opening file '%s'.", "load", filename.c_str());
    // A repeated load starts from scratch instead of leaking the old state.
    if (file != nullptr) {
        std::fclose(file);
        file = nullptr;
    }
    releaseIndex();

    file = std::fopen(filename.c_str(), "rb");
    if (file == nullptr) {
        Log::write(3, "%s: Could not open '%s'.", "load", filename.c_str());
        return -1;
    }
    Log::write(7, "%s: '%s' opened.", "load", filename.c_str());
    indexEntriesSize = 0;

    // Index cache: a valid cache of a large file stands in for the parse.
    const IndexCache cache(filename, fileno(file), encoding + ">" + internalEncoding);
    cachedIndex = cache.load();
    if (cachedIndex) {
        return loadFromCache(cachedIndex.get());
    }
    const unsigned long messagesBefore = logCount::messages();

    FileBytes content(file);
    long lines = 0;
    for (size_t done = 0; done < content.size(); done += FileBytes::RELEASE_STEP) {
        const size_t step = std::min(FileBytes::RELEASE_STEP, content.size() - done);
        lines += countLineEndsIn(content.data() + done, step);
        content.release(done + step);
    }
    content.rewind();
    const int lineCount = lines >= INT_MAX ? INT_MAX - 1 : static_cast<int>(lines);
    Log::write(7, "%s: Lines in file: %d.", "load", lineCount);

    // A file whose only line has no LF still holds one entry.
    if (content.size() > 0) {
        pool.reset(new StringPool(content.size()));
        indexEntries = pool->records(static_cast<size_t>(lineCount) + 1);
        Log::write(7, "%s: Created index entries.", "load");
        indexLines(content, lineCount + 1);
        // The records no line filled stay empty.
        std::fill(indexEntries + indexEntriesSize, indexEntries + lineCount + 1, IndexEntry());
    }
    // Index cache: only a parse that logged nothing beyond its line count
    // and "Created index entries." (no odd line, no failed conversion) is
    // cached, so that a load from the cache logs exactly what it did.
    const unsigned long parseMessages = 2;
    if (logCount::messages() == messagesBefore + parseMessages) {
        cache.store(indexEntries, indexEntriesSize, lineCount);
    }
    Log::write(7, "%s: Loaded %d index entries.", "load", indexEntriesSize);
    return 0;
}

// Takes the index read back from the cache, logging what a parse logs.
int Edict::loadFromCache(const CachedIndex* cached)
{
    Log::write(7, "%s: Lines in file: %d.", "load", cached->lineCount());
    indexEntries = cached->records();
    Log::write(7, "%s: Created index entries.", "load");
    indexEntriesSize = cached->size();
    Log::write(7, "%s: Loaded %d index entries.", "load", indexEntriesSize);
    return 0;
}

// Fills the index from the file's bytes, never beyond `capacity` records.
void Edict::indexLines(FileBytes& content, int capacity)
{
    const EucJpDecoder* decoder = decodesQuickly() ? &EucJpDecoder::instance() : nullptr;
    StringPool& strings = *pool;
    // The table decoder inline for nearly every field, the general
    // conversion for the rest.
    auto convert = [&](const char* field, int fieldSize) -> wchar_t* {
        if (decoder != nullptr) {
            wchar_t* target = strings.reserve(fieldSize + 1);
            const int written = decoder->decode(field, fieldSize, target);
            if (written >= 0) {
                target[written] = 0;
                strings.commit(written + 1);
                return target;
            }
        }
        return convertIntoPool(field, fieldSize);
    };

    LineCursor cursor(content.data(), content.size());
    const char* line = nullptr;
    long offset = 0;
    LineFields fields;
    while (indexEntriesSize < capacity && cursor.next(&line, &offset, &fields)) {
        content.release(static_cast<size_t>(offset));
        if (fields.meaningsStart <= 0) {
            continue;
        }
        IndexEntry& record = indexEntries[indexEntriesSize];
        record.fileLocation = offset;
        record.word = convert(line, fields.wordLength);
        record.kana = nullptr;
        if (fields.kanaUnclosed) {
            logUnclosedBracket(line, fields.wordLength);
        } else if (fields.kanaStart >= 0) {
            record.kana = convert(line + fields.kanaStart, fields.kanaLength);
        }
        // A headword that could not be converted can never be found.
        if (record.word == nullptr) {
            record.kana = nullptr;
            continue;
        }
        ++indexEntriesSize;
    }
}

bool Edict::decodesQuickly() const
{
    return sizeof(wchar_t) == 4 && strcasecmp(encoding.c_str(), "euc-jp") == 0
           && strcasecmp(internalEncoding.c_str(), "WCHAR_T") == 0;
}

std::unique_ptr<char[]> Edict::convertThroughIconv(const char* bytes, int size, int* convertedSize)
{
    char* converted = nullptr;
    if (Encoding::convert(encoding.c_str(), const_cast<char*>(bytes), size,
                          internalEncoding.c_str(), &converted, convertedSize) != 0) {
        return nullptr;
    }
    return std::unique_ptr<char[]>(converted);
}

namespace {

// Wide characters needed for converted bytes plus their terminating zero.
size_t wideCharactersFor(int convertedSize)
{
    return (convertedSize + sizeof(wchar_t) - 1) / sizeof(wchar_t) + 1;
}

}

wchar_t* Edict::convertIntoPool(const char* bytes, int size)
{
    int convertedSize = 0;
    std::unique_ptr<char[]> converted = convertThroughIconv(bytes, size, &convertedSize);
    if (!converted) {
        return nullptr;
    }
    const size_t characters = wideCharactersFor(convertedSize);
    wchar_t* target = pool->reserve(characters);
    std::memset(target, 0, characters * sizeof(wchar_t));
    std::memcpy(target, converted.get(), convertedSize);
    pool->commit(characters);
    return target;
}

wchar_t* Edict::convertIntoNewArray(const char* bytes, int size)
{
    if (decodesQuickly()) {
        wchar_t* target = new wchar_t[size + 1];
        const int written = EucJpDecoder::instance().decode(bytes, size, target);
        if (written >= 0) {
            target[written] = 0;
            return target;
        }
        delete[] target;
    }
    int convertedSize = 0;
    std::unique_ptr<char[]> converted = convertThroughIconv(bytes, size, &convertedSize);
    if (!converted) {
        return nullptr;
    }
    wchar_t* target = new wchar_t[wideCharactersFor(convertedSize)]();
    std::memcpy(target, converted.get(), convertedSize);
    return target;
}

int Edict::setStyle(int)
{
    return 0;
}

int Edict::getEdictWordAndKana(char* line, wchar_t** word, wchar_t** kana)
{
    if (line == nullptr) {
        Log::write(4, "%s: No buffer was specified.", "getEdictWordAndKana");
        return -1;
    }
    if (word != nullptr) {
        *word = nullptr;
    }
    if (kana != nullptr) {
        *kana = nullptr;
    }
    const int length = static_cast<int>(std::strlen(line));
    const LineFields fields = splitLine(line, length, line + length);
    if (fields.meaningsStart <= 0) {
        return 0;
    }
    line[fields.wordLength] = '\0';
    if (word != nullptr) {
        *word = convertIntoNewArray(line, fields.wordLength);
    }
    if (fields.kanaUnclosed) {
        logUnclosedBracket(line, fields.wordLength);
    } else if (fields.kanaStart >= 0) {
        line[fields.kanaStart + fields.kanaLength] = '\0';
        if (kana != nullptr) {
            *kana = convertIntoNewArray(line + fields.kanaStart, fields.kanaLength);
        }
    }
    return fields.meaningsStart;
}

int Edict::countLinesInFile(FILE* stream)
{
    if (stream == nullptr) {
        return -1;
    }
    std::fseek(stream, 0, SEEK_SET);
    long totalBytes = 0;
    const int lines = countLineEnds(stream, &totalBytes);
    std::fseek(stream, 0, SEEK_SET);
    return lines;
}

int Edict::getEdictMeanings(char* text, std::string** meanings, int* meaningsSize)
{
    if (text == nullptr || meanings == nullptr || meaningsSize == nullptr) {
        return -1;
    }
    int slashes = 0;
    for (const char* cursor = text; *cursor != '\0'; ++cursor) {
        if (*cursor == '/') {
            ++slashes;
        }
    }
    std::string* pieces = new (std::nothrow) std::string[slashes + 1];
    if (pieces == nullptr) {
        Log::write(3, "%s: Could not allocate space for meanings.", "getEdictMeanings");
        return -1;
    }
    int stored = 0;
    const char* cursor = text;
    while (true) {
        while (*cursor == '\t' || *cursor == '\n' || *cursor == '\r' || *cursor == ' ') {
            ++cursor;
        }
        const char* slash = std::strchr(cursor, '/');
        if (slash == nullptr) {
            break;
        }
        if (slash > cursor) {
            pieces[stored++].assign(cursor, slash - cursor);
        }
        cursor = slash + 1;
    }
    if (*cursor != '\0') {
        pieces[stored++] = cursor;
    }
    *meanings = pieces;
    *meaningsSize = stored;
    return 0;
}

WordEntry* Edict::loadEntryFromEdict(long fileLocation)
{
    if (file == nullptr) {
        Log::write(3, "%s: file is not open.", "loadEntryFromEdict");
        return nullptr;
    }
    if (std::fseek(file, fileLocation, SEEK_SET) != 0) {
        Log::write(3, "%s: Could not seek to the specified location '%lu'.", "loadEntryFromEdict",
                   static_cast<unsigned long>(fileLocation));
        return nullptr;
    }
    char line[LINE_BUFFER_SIZE];
    if (std::fgets(line, sizeof(line), file) == nullptr) {
        Log::write(3, "%s: Could not read the line at location '%lu'.", "loadEntryFromEdict",
                   static_cast<unsigned long>(fileLocation));
        return nullptr;
    }

    WordEntry* entry = new WordEntry();
    wchar_t* word = nullptr;
    wchar_t* kana = nullptr;
    const int meaningsStart = getEdictWordAndKana(line, &word, &kana);
    if (encoding != internalEncoding) {
        if (word != nullptr) {
            entry->word = word;
        }
        entry->kana = kana != nullptr ? std::wstring(kana) : entry->word;
    }
    delete[] word;
    delete[] kana;
    if (meaningsStart < 1) {
        return entry;
    }

    getEdictMeanings(line + meaningsStart, &entry->meanings, &entry->meaningsSize);
    takeCommonMarker(entry);
    for (int i = 0; i < entry->meaningsSize; ++i) {
        takePartsOfSpeech(entry->meanings[i], partsOfSpeech, entry);
    }
    return entry;
}

bool Edict::fuzzySearchFromEdictLine(long fileLocation, std::string text)
{
    if (file == nullptr) {
        Log::write(3, "%s: file is not open.", "fuzzySearchFromEdictLine");
        return false;
    }
    if (std::fseek(file, fileLocation, SEEK_SET) != 0) {
        Log::write(3, "%s: Could not seek to the specified location '%lu'.",
                   "fuzzySearchFromEdictLine", static_cast<unsigned long>(fileLocation));
        return false;
    }
    char line[LINE_BUFFER_SIZE];
    if (std::fgets(line, sizeof(line), file) == nullptr) {
        return false;
    }
    const char* meaningsPart = std::strchr(line, '/');
    return meaningsPart != nullptr && std::strstr(meaningsPart, text.c_str()) != nullptr;
}

// The search text in the file's encoding, for meaning searches. False when
// it cannot be converted: no meaning can then hold it.
bool Edict::meaningSearchText(const std::wstring& text, std::string* meaningText)
{
    if (encoding == internalEncoding) {
        *meaningText = narrowed(text);
        return true;
    }
    Log::write(7, "%s: Converting the search text to %s for meaning-searches.", "search",
               encoding.c_str());
    std::wstring source = text;
    char* converted = nullptr;
    int convertedSize = 0;
    if (Encoding::convert(internalEncoding.c_str(), reinterpret_cast<char*>(&source[0]),
                          static_cast<int>(source.size() * sizeof(wchar_t)), encoding.c_str(),
                          &converted, &convertedSize) != 0) {
        meaningText->clear();
        return false;
    }
    meaningText->assign(converted, convertedSize);
    delete[] converted;
    return true;
}

// One flag per index record: does `text` occur in the meanings part of its
// line? The file is read once from start to end instead of line by line.
std::vector<unsigned char> Edict::findMeaningMatches(const std::string& text)
{
    std::vector<unsigned char> found(indexEntriesSize, 0);
    if (file == nullptr || indexEntriesSize == 0) {
        return found;
    }
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        Log::write(3, "%s: Could not seek to the specified location '%lu'.", "search", 0UL);
        return found;
    }
    int record = 0;
    scanMeanings(file, text, [&](long lineOffset) {
        while (record < indexEntriesSize && indexEntries[record].fileLocation < lineOffset) {
            ++record;
        }
        if (record < indexEntriesSize && indexEntries[record].fileLocation == lineOffset) {
            found[record] = 1;
        }
    });
    return found;
}

std::vector<WordEntry*>* Edict::search(std::wstring text, SearchOptions* options)
{
    if (options == nullptr) {
        Log::write(3, "%s: 'searchOptions' was not specified.", "search");
        return nullptr;
    }
    Log::write(7, "%s: Searching for %S (%s) with flags 0x%X", "search", text.c_str(),
               internalEncoding.c_str(), static_cast<unsigned>(options->searchFlags));
    std::string meaningText;
    const bool meaningConverted = meaningSearchText(text, &meaningText);
    std::vector<WordEntry*>* result = new std::vector<WordEntry*>();

    const int flags = options->searchFlags;
    const JwcsCase caseStyle = (flags & SEARCH_IGNORE_CASE) != 0 ? CMP_IGNORE_CASE : CMP_CASE;
    const TextMatcher matcher(text, (flags & SEARCH_WILDCARD) != 0, caseStyle);
    std::vector<unsigned char> meaningMatches;
    if ((flags & SEARCH_MEANING) != 0) {
        // An unconvertible text would otherwise be empty and match every line.
        meaningMatches = meaningConverted ? findMeaningMatches(meaningText)
                                          : std::vector<unsigned char>(indexEntriesSize, 0);
    }

    for (int i = 0; i < indexEntriesSize; ++i) {
        const IndexEntry& record = indexEntries[i];
        bool matched = (flags & SEARCH_WORD) != 0 && record.word != nullptr
                       && matcher.matches(record.word);
        if (!matched && (flags & SEARCH_KANA) != 0) {
            const wchar_t* reading = record.kana != nullptr ? record.kana : record.word;
            matched = reading != nullptr && matcher.matches(reading);
        }
        if (!matched && (flags & SEARCH_MEANING) != 0) {
            matched = meaningMatches[i] != 0;
        }
        if (!matched) {
            continue;
        }

        WordEntry* entry = loadEntryFromEdict(record.fileLocation);
        if (entry == nullptr) {
            Log::write(3, "%s: Could not get the entry.", "search");
            continue;
        }
        if (!passesFilters(*entry, *options)) {
            delete entry;
            continue;
        }
        entry->kanaRomaji = narrowed(Kana::kanaStringToRomaji(entry->kana));
        result->push_back(entry);
    }
    return result;
}
