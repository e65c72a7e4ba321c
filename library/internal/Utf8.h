// UTF-8 to and from wide characters, independent of the locale, for the
// text that the library's own files and the morphological analyser hold.
// Internal to the library.
#ifndef DEXARU_INTERNAL_UTF8_H
#define DEXARU_INTERNAL_UTF8_H

#include <string>

namespace internal {

// The wide characters of UTF-8 bytes; a malformed byte becomes U+FFFD, so
// that it can match nothing.
std::wstring fromUtf8(const std::string& bytes);

// Appends the UTF-8 bytes of one character.
void appendUtf8(wchar_t character, std::string* out);

}  // namespace internal

#endif
