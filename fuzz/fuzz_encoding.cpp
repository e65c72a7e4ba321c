// Fuzzes the character-set conversion: the first byte picks the pair of
// encodings, the rest is the text. A successful conversion must hand back a
// terminated buffer of a plausible size; EUCToUNICODE is checked on every
// byte pair against its three ranges.
#include "Encoding.h"
#include "FuzzSupport.h"

namespace {

struct Pair
{
    const char* from;
    const char* to;
};

const Pair pairs[] = {
    {"euc-jp", "WCHAR_T"}, {"EUC-JP", "WCHAR_T"},
    {"UTF-8", "WCHAR_T"},  {"WCHAR_T", "euc-jp"},
    {"WCHAR_T", "UTF-8"},  {"UTF-8", "EUC-JP"},
    {"EUC-JP", "UTF-8"},   {"no-such-encoding", "WCHAR_T"},
};

uint16_t expectedUnicode(uint16_t c)
{
    if (c >= 0xA4A1 && c <= 0xA4F3)
        return c - 0xA4A1 + 0x3041;
    if (c >= 0xA5A1 && c <= 0xA5F6)
        return c - 0xA5A1 + 0x30A1;
    if (c >= 0xA3B0 && c <= 0xA3FA)
        return c - 0xA3B0 + 0x30;
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    useProgramLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const Pair& pair = pairs[data[0] % (sizeof pairs / sizeof pairs[0])];
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    char* out = nullptr;
    int outSize = -7;
    int result = Encoding::convert(pair.from, &text[0], int(text.size()), pair.to, &out, &outSize);
    if (result == 0) {
        if (out == nullptr || outSize < 0 || size_t(outSize) > 4 * text.size() + 8) {
            std::abort();
        }
        for (int i = 0; i < 4; ++i) {
            if (out[outSize + i] != 0) {
                std::abort();  // not terminated
            }
        }
        delete[] out;
    } else if (result != -1 || out != nullptr || outSize != -7) {
        std::abort();  // a failure writes nothing back
    }
    if (text != std::string(reinterpret_cast<const char*>(data + 1), size - 1)) {
        std::abort();  // the input is only read
    }

    for (size_t i = 1; i + 1 < size; ++i) {
        uint16_t code = uint16_t(data[i] << 8 | data[i + 1]);
        if (EUCToUNICODE(code) != expectedUnicode(code)) {
            std::abort();
        }
    }
    return 0;
}
