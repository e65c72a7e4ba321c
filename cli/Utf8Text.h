// Strict UTF-8 for the text dexaru2 reads and writes: a decoder that refuses
// what is not UTF-8 (stray bytes, overlong forms, surrogates, code points
// beyond U+10FFFF) instead of guessing, and the matching encoder.
#ifndef DEXARU2_UTF8TEXT_H
#define DEXARU2_UTF8TEXT_H

#include <string>

namespace dexaru2 {

// The characters of the UTF-8 bytes: true, or false with `*wide` undefined
// and `*badOffset` (when given) the offset of the first byte that is wrong.
bool decodeUtf8(const std::string& bytes, std::wstring* wide, std::size_t* badOffset = nullptr);

// The UTF-8 bytes of the characters; one that no UTF-8 can hold becomes U+FFFD.
std::string encodeUtf8(const std::wstring& wide);

}  // namespace dexaru2

#endif
