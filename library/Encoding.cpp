#include "Encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "Log.h"

namespace {

const uint16_t EUC_ENGLISH_START = 0xA3B0;
const uint16_t EUC_ENGLISH_END = 0xA3FA;
const uint16_t EUC_HIRAGANA_START = 0xA4A1;
const uint16_t EUC_HIRAGANA_END = 0xA4F3;
const uint16_t EUC_KATAKANA_START = 0xA5A1;
const uint16_t EUC_KATAKANA_END = 0xA5F6;

const iconv_t NO_DESCRIPTOR = reinterpret_cast<iconv_t>(-1);

// Bytes kept zero after the converted text, enough to end a wide string.
const size_t TERMINATOR_SIZE = 4;

// Open iconv descriptors of one thread, keyed by (from, to), closed when the
// thread ends. Opening a descriptor costs far more than a short conversion,
// and the dictionary loaders convert one field at a time.
class DescriptorCache
{
public:
    DescriptorCache() = default;
    DescriptorCache(const DescriptorCache&) = delete;
    DescriptorCache& operator=(const DescriptorCache&) = delete;

    ~DescriptorCache() { closeAll(); }

    // A descriptor in its initial state, or NO_DESCRIPTOR with errno set by iconv_open.
    iconv_t get(const char* from, const char* to)
    {
        Key key(from, to);
        auto found = descriptors_.find(key);
        if (found != descriptors_.end()) {
            iconv(found->second, nullptr, nullptr, nullptr, nullptr);
            return found->second;
        }
        iconv_t descriptor = iconv_open(to, from);
        if (descriptor == NO_DESCRIPTOR) {
            return NO_DESCRIPTOR;
        }
        if (descriptors_.size() >= MAX_DESCRIPTORS) {
            closeAll();
        }
        descriptors_.emplace(std::move(key), descriptor);
        return descriptor;
    }

private:
    using Key = std::pair<std::string, std::string>;
    // Callers use a handful of encoding pairs; the bound only guards memory
    // against a caller that cycles through many names.
    static const size_t MAX_DESCRIPTORS = 32;

    void closeAll()
    {
        for (auto& entry : descriptors_) {
            iconv_close(entry.second);
        }
        descriptors_.clear();
    }

    std::map<Key, iconv_t> descriptors_;
};

iconv_t openDescriptor(const char* from, const char* to)
{
    thread_local DescriptorCache cache;
    return cache.get(from, to);
}

void logOpenFailure(const char* from, const char* to)
{
    if (errno == EINVAL) {
        Log::write(3, "%s: errno == EINVAL.", "convert");
        Log::write(3, "%s: conversion from '%s' to '%s' not available.", "convert", from, to);
    } else {
        Log::write(3, "%s: errno == (something that is not EINVAL): %d.", "convert", errno);
    }
}

void logConversionFailure(int error, const char* outBuffer)
{
    switch (error) {
    case E2BIG:
        Log::write(3,
                   "ERROR: %s: nconv == -1 | errno == E2BIG (Input conversion stopped due to "
                   "lack of space in the output buffer.)",
                   "convert");
        break;
    case EILSEQ:
        Log::write(3,
                   "ERROR: %s: nconv == -1 | errno == EILSEQ (Input conversion stopped due to "
                   "an input byte that does not belong to the input codeset.)",
                   "convert");
        break;
    case EINVAL:
        Log::write(3,
                   "ERROR: %s: nconv == -1 | errno == INVAL (Input conversion stopped due to "
                   "an incomplete character or shift sequence at the end of the input buffer.)",
                   "convert");
        break;
    case 0:
        Log::write(3, "ERROR: %s: nconv == -1 | errno == 0 | out_buffer: (%s).", "convert",
                   outBuffer);
        break;
    default:
        Log::write(3, "ERROR: %s: nconv == -1 | errno == (nothing good: %i).", "convert", error);
        break;
    }
}

}  // namespace

int Encoding::convert(const char* from, char* text, int textSize, const char* to, char** out_data,
                      int* out_dataSize)
{
    errno = 0;
    iconv_t descriptor = openDescriptor(from, to);
    if (descriptor == NO_DESCRIPTOR) {
        logOpenFailure(from, to);
        return -1;
    }
    if (textSize < 0) {
        Log::write(3, "%s: negative input size %d.", "convert", textSize);
        return -1;
    }

    // Room for one 4-byte character per input byte plus slack, and the terminator.
    const size_t bufferSize = (static_cast<size_t>(textSize) + 3) * 4;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[bufferSize]);
    if (!buffer) {
        Log::write(3, "%s: out_buffer not created.", "convert");
        return -1;
    }

    char* in = text;
    size_t inLeft = static_cast<size_t>(textSize);
    char* out = buffer.get();
    size_t outLeft = bufferSize - TERMINATOR_SIZE;
    errno = 0;
    const size_t converted = iconv(descriptor, &in, &inLeft, &out, &outLeft);
    const int error = errno;
    std::memset(out, 0, outLeft + TERMINATOR_SIZE);

    if (inLeft != 0) {
        Log::write(3, "%s: Iconv: inbytes is not zero; it is %d.", "convert",
                   static_cast<int>(inLeft));
    }
    if (converted == 0) {
        *out_data = buffer.release();
        *out_dataSize = static_cast<int>(bufferSize - outLeft - TERMINATOR_SIZE);
        return 0;
    }
    if (converted == static_cast<size_t>(-1)) {
        logConversionFailure(error, buffer.get());
    }
    // Irreversible substitutions fail silently: a partial result is never returned.
    return -1;
}

uint16_t EUCToUNICODE(uint16_t c)
{
    if (c >= EUC_HIRAGANA_START && c <= EUC_HIRAGANA_END) {
        return c - EUC_HIRAGANA_START + 0x3041;
    }
    if (c >= EUC_KATAKANA_START && c <= EUC_KATAKANA_END) {
        return c - EUC_KATAKANA_START + 0x30A1;
    }
    if (c >= EUC_ENGLISH_START && c <= EUC_ENGLISH_END) {
        return c - EUC_ENGLISH_START + 0x30;
    }
    return 0;
}
