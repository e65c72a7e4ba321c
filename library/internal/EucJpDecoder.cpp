#include "internal/EucJpDecoder.h"

#include <iconv.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace internal {

namespace {

// The one character a complete conversion gives, else 0; characters beyond
// 16 bits (none in these tables) are left to the general conversion.
uint16_t decodeOne(iconv_t descriptor, const unsigned char* code, std::size_t size)
{
    char input[2];
    std::memcpy(input, code, size);
    wchar_t output[2] = {0, 0};
    char* in = input;
    char* out = reinterpret_cast<char*>(output);
    std::size_t inLeft = size;
    std::size_t outLeft = sizeof(output);
    const std::size_t result = iconv(descriptor, &in, &inLeft, &out, &outLeft);
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
    if (result != 0 || inLeft != 0 || outLeft != sizeof(output) - sizeof(wchar_t) || output[0] < 0
        || output[0] > 0xFFFF) {
        return 0;
    }
    return static_cast<uint16_t>(output[0]);
}

// Fills out[0 .. count) with the characters of `count` codes of
// `codeSize` bytes each, laid one after the other, converting as many at a
// time as iconv allows: one call per run of valid codes instead of one per
// code, which makes building the tables several times cheaper. A run whose
// result cannot be told apart code by code is decoded one code at a time.
void decodeCodes(iconv_t descriptor, const unsigned char* codes, std::size_t codeSize,
                 std::size_t count, uint16_t* out)
{
    std::vector<wchar_t> output(count);
    std::size_t done = 0;
    while (done < count) {
        char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(codes + done * codeSize));
        std::size_t inLeft = (count - done) * codeSize;
        char* target = reinterpret_cast<char*>(output.data());
        std::size_t outLeft = output.size() * sizeof(wchar_t);
        const std::size_t result = iconv(descriptor, &in, &inLeft, &target, &outLeft);
        iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
        const std::size_t consumed = (count - done) * codeSize - inLeft;
        const std::size_t produced = (output.size() * sizeof(wchar_t) - outLeft) / sizeof(wchar_t);
        if (consumed % codeSize != 0 || produced != consumed / codeSize
            || (result != 0 && result != static_cast<std::size_t>(-1))) {
            for (; done < count; ++done) {
                out[done] = decodeOne(descriptor, codes + done * codeSize, codeSize);
            }
            return;
        }
        for (std::size_t i = 0; i < produced; ++i, ++done) {
            out[done] = output[i] < 0 || output[i] > 0xFFFF ? 0 : static_cast<uint16_t>(output[i]);
        }
        if (done < count && result == static_cast<std::size_t>(-1)) {
            // The code iconv stopped at is taken alone: it may be invalid
            // (0) or merely the end of what one call converts.
            out[done] = decodeOne(descriptor, codes + done * codeSize, codeSize);
            ++done;
        }
    }
}

}  // namespace

const EucJpDecoder& EucJpDecoder::instance()
{
    static const EucJpDecoder decoder;
    return decoder;
}

EucJpDecoder::EucJpDecoder() : ascii(), jisX0208(), halfwidthKatakana()
{
    iconv_t descriptor = iconv_open("WCHAR_T", "EUC-JP");
    if (descriptor == reinterpret_cast<iconv_t>(-1)) {
        return;  // every field then goes through the general conversion
    }
    std::vector<unsigned char> codes;
    for (int byte = 1; byte < 0x80; ++byte) {
        codes.push_back(static_cast<unsigned char>(byte));
    }
    decodeCodes(descriptor, codes.data(), 1, codes.size(), ascii + 1);
    for (int lead = 0xA1; lead <= 0xFE; ++lead) {
        codes.clear();
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            codes.push_back(static_cast<unsigned char>(lead));
            codes.push_back(static_cast<unsigned char>(trail));
        }
        decodeCodes(descriptor, codes.data(), 2, 94, jisX0208 + (lead - 0xA1) * 94);
    }
    codes.clear();
    for (int trail = 0xA1; trail <= 0xDF; ++trail) {
        codes.push_back(0x8E);
        codes.push_back(static_cast<unsigned char>(trail));
    }
    decodeCodes(descriptor, codes.data(), 2, 0xDF - 0xA1 + 1, halfwidthKatakana);
    iconv_close(descriptor);
}

}  // namespace internal
