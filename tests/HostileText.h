// Text builders shared by the tests of the library and of dexaru2:
// character-set conversion that reports failure as an empty string, EUC-JP
// from UTF-8 literals, and long repetitions.
#ifndef DEXARU_HOSTILETEXT_H
#define DEXARU_HOSTILETEXT_H

#include <gtest/gtest.h>

#include <iconv.h>
#include <string>

namespace hostile {

// The text in another encoding, or the empty string when iconv rejects it.
inline std::string convert(const std::string& text, const char* to, const char* from = "UTF-8")
{
    iconv_t cd = iconv_open(to, from);
    if (cd == (iconv_t)-1) {
        ADD_FAILURE() << "iconv_open failed";
        return std::string();
    }
    std::string out(text.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = &out[0];
    size_t outLeft = out.size();
    size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == size_t(-1)) {
        return std::string();
    }
    out.resize(out.size() - outLeft);
    return out;
}

inline std::string euc(const std::string& utf8)
{
    return convert(utf8, "EUC-JP");
}

inline std::string repeat(const std::string& piece, size_t times)
{
    std::string text;
    text.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

} // namespace hostile

#endif
