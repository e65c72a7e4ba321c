#include "internal/FileReading.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace fileReading {

FILE* openForReading(const std::string& filename, const char* mode)
{
    FILE* stream = std::fopen(filename.c_str(), mode);
    if (stream == nullptr) {
        return nullptr;
    }
    struct stat info;
    if (fstat(fileno(stream), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(stream);
        errno = EISDIR;
        return nullptr;
    }
    return stream;
}

std::string readToEnd(FILE* stream)
{
    std::string data;
    // The whole file read straight into place when its size is known; a
    // file that grew meanwhile is read on below.
    struct stat info;
    const long position = std::ftell(stream);
    if (fstat(fileno(stream), &info) == 0 && S_ISREG(info.st_mode) && position >= 0
        && info.st_size > position) {
        data.resize(static_cast<std::size_t>(info.st_size - position));
        data.resize(std::fread(&data[0], 1, data.size(), stream));
    }
    char block[65536];
    std::size_t count;
    while ((count = std::fread(block, 1, sizeof block, stream)) > 0) {
        data.append(block, count);
    }
    return data;
}

LineRead readLine(FILE* stream, std::string* line, std::size_t maxBytes)
{
    line->clear();
    flockfile(stream);
    int byte = getc_unlocked(stream);
    if (byte == EOF) {
        funlockfile(stream);
        return LineRead::END;
    }
    bool tooLong = false;
    for (; byte != EOF; byte = getc_unlocked(stream)) {
        if (line->size() < maxBytes) {
            line->push_back(static_cast<char>(byte));
        } else {
            tooLong = true;
        }
        if (byte == '\n') {
            break;
        }
    }
    funlockfile(stream);
    if (tooLong) {
        line->clear();
        return LineRead::TOO_LONG;
    }
    return LineRead::READ;
}

long countLineEnds(const char* bytes, std::size_t size)
{
    long count = 0;
    std::size_t i = 0;
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

int countLineEnds(FILE* stream)
{
    std::vector<char> block(READ_BLOCK_SIZE);
    long lines = 0;
    std::size_t got;
    while ((got = std::fread(block.data(), 1, block.size(), stream)) > 0) {
        lines += countLineEnds(block.data(), got);
    }
    return lines >= INT_MAX ? INT_MAX - 1 : static_cast<int>(lines);
}

}  // namespace fileReading
