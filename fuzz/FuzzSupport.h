// Helpers shared by the fuzz targets: a scratch file that the readers can
// open by name, the program's locale, a small dictionary and the build's
// deinflection rules, and ways to turn fuzz bytes into wide strings that
// reach the interesting characters (ASCII, kana, wildcards).
#ifndef DEXARU_FUZZSUPPORT_H
#define DEXARU_FUZZSUPPORT_H

#include "../tests/TestFiles.h"

#include "Edict.h"
#include "PartsOfSpeech.h"
#include "WordDictionaryCollection.h"

#include <unistd.h>

#include <climits>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// A file of its own for this process, rewritten for every input and removed
// when the process ends. Prefers a memory file system: the readers reopen
// the file on every run.
class ScratchFile
{
public:
    explicit ScratchFile(const char* tag)
    {
        const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(dir) + "/dexaru-fuzz-" + tag + "-XXXXXX";
        int fd = mkstemp(&pattern[0]);
        if (fd < 0) {
            std::perror("mkstemp");
            std::abort();
        }
        close(fd);
        name = pattern;
    }
    ~ScratchFile() { unlink(name.c_str()); }

    void write(const void* data, size_t size)
    {
        FILE* f = std::fopen(name.c_str(), "wb");
        if (f == nullptr) {
            std::abort();
        }
        if (size > 0 && std::fwrite(data, 1, size, f) != size) {
            std::abort();
        }
        std::fclose(f);
    }
    void write(const std::string& text) { write(text.data(), text.size()); }

    const std::string& path() const { return name; }

private:
    std::string name;
};

// The command-line program runs under this locale; the fuzzy rules are
// decoded through it and wide text is printed through it.
inline void useProgramLocale()
{
    dexaru2::setCharacterLocale();
}

// The deinflection rules linked beside the programs of the build.
inline std::string buildDeinflectionRules()
{
    char program[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", program, sizeof(program) - 1);
    if (length <= 0) {
        return std::string();
    }
    std::string path(program, length);
    path = path.substr(0, path.rfind('/'));
    return path + "/../bin/deinflection.dat";
}

// A collection of one dictionary of the EDICT lines given, with the table of
// parts of speech given (tab-separated lines). The collection, its table and
// its files (named after the tag) stay until the program ends: a target's
// set-up calls this once.
inline WordDictionaryCollection* loadSmallCollection(const std::string& tag,
                                                     const char* edictLines,
                                                     const char* partsOfSpeech)
{
    static ScratchFile dictionaryFile((tag + "-edict").c_str());
    static ScratchFile tableFile((tag + "-pos").c_str());
    dictionaryFile.write(testfiles::euc(edictLines));
    tableFile.write(partsOfSpeech);
    static PartsOfSpeech table;
    table.load(tableFile.path());
    static WordDictionaryCollection collection;
    collection.setPartsOfSpeech(&table);
    Edict* edict = new Edict();
    edict->setFilename(dictionaryFile.path());
    collection.addDictionary(edict);
    collection.load();
    return &collection;
}

// Bytes as characters: below 0x80 ASCII as it is, above it kana and the
// characters around them (U+3080-U+30FF), so that short inputs mix romaji,
// wildcards, hiragana, katakana and the marks between them.
inline std::wstring bytesToDenseWide(const uint8_t* data, size_t size)
{
    std::wstring text;
    text.reserve(size);
    for (size_t i = 0; i < size; ++i) {
        text += data[i] < 0x80 ? wchar_t(data[i]) : wchar_t(0x3000 + data[i]);
    }
    return text;
}

// Four bytes per character, any 32-bit value (negative ones included).
inline std::wstring bytesToRawWide(const uint8_t* data, size_t size)
{
    std::wstring text;
    for (size_t i = 0; i + 4 <= size; i += 4) {
        uint32_t value;
        std::memcpy(&value, data + i, 4);
        text += wchar_t(value);
    }
    return text;
}

// UTF-8 as far as it is valid; every other byte stands for itself.
inline std::wstring bytesToUtf8Wide(const uint8_t* data, size_t size)
{
    std::wstring text;
    size_t i = 0;
    while (i < size) {
        uint8_t lead = data[i];
        size_t length = lead >= 0xF0 && lead < 0xF8 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        uint32_t value = length == 4 ? lead & 0x07 : length == 3 ? lead & 0x0F : lead & 0x1F;
        bool valid = length > 1 && i + length <= size;
        for (size_t k = 1; valid && k < length; ++k) {
            valid = (data[i + k] & 0xC0) == 0x80;
            value = value << 6 | (data[i + k] & 0x3F);
        }
        if (valid) {
            text += wchar_t(value);
            i += length;
        } else {
            text += wchar_t(lead);
            i += 1;
        }
    }
    return text;
}

// The first byte picks the decoding of the rest: dense, raw or UTF-8.
inline std::wstring bytesToWide(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return std::wstring();
    }
    switch (data[0] % 3) {
    case 0: return bytesToDenseWide(data + 1, size - 1);
    case 1: return bytesToRawWide(data + 1, size - 1);
    default: return bytesToUtf8Wide(data + 1, size - 1);
    }
}

// A rule file as fuzz input, optionally followed by a NUL byte and a word in
// the locale's multibyte encoding: writes the rules to the file and returns
// true with the word when one follows and decodes.
inline bool writeRulesAndReadWord(ScratchFile& rulesFile, const uint8_t* data, size_t size,
                                  std::wstring& word)
{
    const uint8_t* nul = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    size_t rulesSize = nul != nullptr ? size_t(nul - data) : size;
    rulesFile.write(data, rulesSize);
    if (nul == nullptr) {
        return false;
    }
    std::string input(reinterpret_cast<const char*>(nul + 1), size - rulesSize - 1);
    word.assign(input.size() + 1, L'\0');
    size_t length = std::mbstowcs(&word[0], input.c_str(), word.size());
    if (length == size_t(-1)) {
        return false;
    }
    word.resize(length);
    return true;
}

// The wide string up to its first NUL, as the C-string interfaces see it.
inline std::wstring untilNul(const std::wstring& text)
{
    return text.substr(0, text.find(L'\0'));
}

#endif
