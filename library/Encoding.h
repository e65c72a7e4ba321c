/// @file
/// @class Encoding
/// Character-set conversion of byte buffers through iconv, and the small
/// arithmetic mapping of EUC-JP kana and alphanumerics to Unicode.
/// Buffers returned by convert belong to the caller (release with delete[]).
#ifndef DEXARU_ENCODING_H
#define DEXARU_ENCODING_H

#include <cstdint>

class Encoding
{
public:
    /// Converts textSize bytes of text from one encoding to another. On
    /// success returns 0, stores a new[] buffer holding the result followed by
    /// at least four zero bytes in `*out_data` and the result's byte count in
    /// `*out_dataSize`. On failure returns -1 and leaves both untouched.
    /// Safe to call from any thread.
    static int convert(const char* from, char* text, int textSize, const char* to, char** out_data,
                       int* out_dataSize);
};

/// Unicode of an EUC-JP two-byte hiragana, katakana or alphanumeric code
/// (first byte high); 0 for any other code.
uint16_t EUCToUNICODE(uint16_t c);

#endif
