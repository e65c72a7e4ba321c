// Decodes EUC-JP to wide characters without iconv for the codes that make
// up nearly every dictionary line: ASCII, JIS X 0208 and half-width
// katakana. The tables are filled once through iconv itself, so a decoded
// character is always the one iconv would give; the caller converts
// anything else the general way (Encoding::convert).
#ifndef DEXARU_INTERNAL_EUCJPDECODER_H
#define DEXARU_INTERNAL_EUCJPDECODER_H

#include <cstdint>

namespace internal {

class EucJpDecoder
{
public:
    // The one decoder, built on first use; thread-safe.
    static const EucJpDecoder& instance();

    // Writes the characters of `size` bytes to `out` (room for `size`
    // characters) and returns their number, or -1 when a byte sequence is
    // not covered by the tables. Inline: the indexing loop calls it for
    // every field.
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
    EucJpDecoder();

    // 16 bits per character keep the tables small enough for the L1 cache;
    // 0 marks a code the tables do not cover.
    uint16_t ascii[0x80];
    uint16_t jisX0208[94 * 94];
    uint16_t halfwidthKatakana[0xDF - 0xA1 + 1];
};

}  // namespace internal

#endif
