#include "internal/EucJpDecoder.h"

#include <iconv.h>

#include <cstddef>
#include <cstring>

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

}  // namespace internal
