// Forms of a typed text that the searches compare with headwords, readings
// and glosses: without its spaces, in narrow ASCII, and folded to hiragana
// and small letters. Internal to the library.
#ifndef DEXARU_INTERNAL_TYPEDTEXTFORMS_H
#define DEXARU_INTERNAL_TYPEDTEXTFORMS_H

#include <string>

namespace internal {

// The text without its spaces, ideographic ones included.
std::wstring withoutSpaces(const std::wstring& text);

// The text in narrow ASCII, or empty when any character is not ASCII.
std::string asciiOf(const std::wstring& text);

// The text with hiragana for katakana and small letters for capitals, as
// a search that ignores case compares.
std::wstring foldKanaAndCase(const std::wstring& text);

}  // namespace internal

#endif
