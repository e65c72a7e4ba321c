#include "Utf8Text.h"

namespace dexaru2 {

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the sequence a lead byte starts, 0 for a byte no sequence
// starts with, and the smallest code point that length may carry.
int sequenceLength(unsigned char lead, unsigned long* smallest)
{
    if (lead < 0x80) {
        *smallest = 0;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        *smallest = 0x80;
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        *smallest = 0x800;
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        *smallest = 0x10000;
        return 4;
    }
    return 0;
}

}  // namespace

bool decodeUtf8(const std::string& bytes, std::wstring* wide, std::size_t* badOffset)
{
    wide->clear();
    wide->reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        unsigned long smallest = 0;
        const int length = sequenceLength(lead, &smallest);
        bool valid = length > 0 && i + length <= bytes.size();
        unsigned long code = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; valid && k < length; ++k) {
            const unsigned char byte = static_cast<unsigned char>(bytes[i + k]);
            valid = isContinuation(byte);
            code = (code << 6) | (byte & 0x3F);
        }
        valid = valid && code >= smallest && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
        if (!valid) {
            if (badOffset != nullptr) {
                *badOffset = i;
            }
            return false;
        }
        wide->push_back(static_cast<wchar_t>(code));
        i += length;
    }
    return true;
}

std::string encodeUtf8(const std::wstring& wide)
{
    std::string bytes;
    bytes.reserve(wide.size() * 3);
    for (wchar_t character : wide) {
        unsigned long code = static_cast<unsigned long>(character);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            bytes.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (code >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (code >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (code >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return bytes;
}

}  // namespace dexaru2
