// The table decoder of EUC-JP gives, for every one- and two-byte code it
// covers, exactly the character iconv gives for that code alone, and
// refuses every code iconv cannot convert to one character.
#include "internal/EucJpDecoder.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>
#include <vector>

namespace {

// iconv's one character for the code, or -1.
long byIconv(iconv_t descriptor, const std::string& code)
{
    char* in = const_cast<char*>(code.data());
    size_t inLeft = code.size();
    wchar_t output[2] = {0, 0};
    char* out = reinterpret_cast<char*>(output);
    size_t outLeft = sizeof output;
    const size_t result = iconv(descriptor, &in, &inLeft, &out, &outLeft);
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
    const bool one = result == 0 && inLeft == 0 && outLeft == sizeof output - sizeof(wchar_t);
    return one && output[0] > 0 && output[0] <= 0xFFFF ? output[0] : -1;
}

TEST(EucJpDecoderTest, EveryCodeDecodesAsIconvDecodesItAlone)
{
    std::vector<std::string> codes;
    for (int byte = 1; byte < 0x80; ++byte) {
        codes.push_back(std::string(1, static_cast<char>(byte)));
    }
    for (int lead : {0x8E, 0x8F, 0xA0}) {
        for (int trail = 0xA0; trail <= 0xFF; ++trail) {
            codes.push_back({static_cast<char>(lead), static_cast<char>(trail)});
        }
    }
    for (int lead = 0xA1; lead <= 0xFE; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            codes.push_back({static_cast<char>(lead), static_cast<char>(trail)});
        }
    }
    iconv_t descriptor = iconv_open("WCHAR_T", "EUC-JP");
    ASSERT_NE(descriptor, reinterpret_cast<iconv_t>(-1));
    const internal::EucJpDecoder& decoder = internal::EucJpDecoder::instance();
    int decoded = 0;
    int differences = 0;
    for (const std::string& code : codes) {
        wchar_t out[2] = {0, 0};
        const int written = decoder.decode(code.data(), static_cast<int>(code.size()), out);
        const long expected = byIconv(descriptor, code);
        decoded += written == 1;
        // The decoder may leave a code to the general conversion, never
        // decode it differently.
        if (written != -1 && (written != 1 || out[0] != expected)) {
            ADD_FAILURE() << std::hex << "code " << static_cast<unsigned>(code[0] & 0xFF) << " "
                          << (code.size() > 1 ? static_cast<unsigned>(code[1] & 0xFF) : 0);
            if (++differences > 10) {
                break;
            }
        }
        if (written == -1 && expected != -1 && code.size() == 2
            && static_cast<unsigned char>(code[0]) >= 0xA1) {
            ADD_FAILURE() << "JIS X 0208 code left out: " << std::hex
                          << static_cast<unsigned>(code[0] & 0xFF) << " "
                          << static_cast<unsigned>(code[1] & 0xFF);
        }
    }
    iconv_close(descriptor);
    EXPECT_GT(decoded, 6000);
}

}  // namespace
