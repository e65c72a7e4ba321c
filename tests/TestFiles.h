// Fixture helpers shared by the tests and the fuzz targets: text in another
// encoding (EUC-JP data files from UTF-8 literals), long repetitions, a
// temporary folder that removes itself, and the character-type locale the
// program runs under. A fixture that cannot be built stops the program with
// a message: nothing after it would test anything.
#ifndef DEXARU_TESTFILES_H
#define DEXARU_TESTFILES_H

#include "../cli/CharacterLocale.h"

#include <iconv.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace testfiles {

[[noreturn]] inline void fixtureFailed(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "test fixture: %s: %s\n", what, detail.c_str());
    std::abort();
}

// The text in another encoding, or the empty string when iconv rejects it.
inline std::string convert(const std::string& text, const char* to, const char* from = "UTF-8")
{
    iconv_t cd = iconv_open(to, from);
    if (cd == (iconv_t)-1) {
        fixtureFailed("iconv cannot convert", std::string(from) + " to " + to);
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

// The EUC-JP bytes of a UTF-8 text, which must have some.
inline std::string euc(const std::string& utf8)
{
    std::string bytes = convert(utf8, "EUC-JP");
    if (bytes.empty() && !utf8.empty()) {
        fixtureFailed("not convertible to EUC-JP", utf8);
    }
    return bytes;
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

// A fresh folder under /tmp, removed with everything in it by the destructor.
class TempDir
{
public:
    TempDir()
    {
        char pattern[] = "/tmp/dexaru-test-XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            fixtureFailed("no temporary folder", pattern);
        }
        path = pattern;
    }

    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }

    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes the bytes into a file of the folder (making the folders the name
    // passes through) and returns the file's path.
    std::string write(const std::string& name, const std::string& bytes) const
    {
        const std::filesystem::path file = std::filesystem::path(path) / name;
        std::error_code ignored;
        std::filesystem::create_directories(file.parent_path(), ignored);
        FILE* stream = std::fopen(file.c_str(), "wb");
        if (stream == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) {
            fixtureFailed("cannot write", file.string());
        }
        std::fclose(stream);
        return file.string();
    }

    std::string path;
};

// For its lifetime, the UTF-8 character-type locale that dexaru2 takes (the
// fuzzy rules are decoded through it and wide text is printed through it).
class Utf8Locale
{
public:
    Utf8Locale()
        : previous(std::setlocale(LC_CTYPE, nullptr))
    {
        if (dexaru2::setCharacterLocale() == nullptr) {
            fixtureFailed("no UTF-8 locale", "en_US.utf8, C.UTF-8 or the environment's");
        }
    }

    ~Utf8Locale() { std::setlocale(LC_CTYPE, previous.c_str()); }

    Utf8Locale(const Utf8Locale&) = delete;
    Utf8Locale& operator=(const Utf8Locale&) = delete;

private:
    std::string previous;
};

inline bool exists(const std::string& file)
{
    FILE* stream = std::fopen(file.c_str(), "rb");
    if (stream == nullptr) {
        return false;
    }
    std::fclose(stream);
    return true;
}

} // namespace testfiles

#endif
