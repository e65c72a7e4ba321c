// Fixture files for the library tests: a temporary directory that removes
// itself, EUC-JP text written from UTF-8 literals, and a scope that switches
// the character-type locale to UTF-8 (the fuzzy rules are decoded through it).
#ifndef DEXARU_TESTFILES_H
#define DEXARU_TESTFILES_H

#include "../HostileText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace testfiles {

// The EUC-JP bytes of a UTF-8 text; the test fails when it has none.
inline std::string euc(const std::string& utf8)
{
    std::string bytes = hostile::euc(utf8);
    EXPECT_TRUE(!bytes.empty() || utf8.empty()) << utf8;
    return bytes;
}

class TempDir
{
public:
    TempDir()
    {
        char pattern[] = "/tmp/dexaru-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_NE(made, nullptr);
        path = made != nullptr ? made : "/tmp";
    }

    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }

    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes the bytes into a file of the directory and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::string file = path + "/" + name;
        FILE* stream = std::fopen(file.c_str(), "wb");
        EXPECT_NE(stream, nullptr) << file;
        if (stream != nullptr) {
            std::fwrite(bytes.data(), 1, bytes.size(), stream);
            std::fclose(stream);
        }
        return file;
    }

    std::string path;
};

class Utf8Locale
{
public:
    Utf8Locale()
        : previous(std::setlocale(LC_CTYPE, nullptr))
    {
        EXPECT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
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
    if (stream == nullptr)
        return false;
    std::fclose(stream);
    return true;
}

} // namespace testfiles

#endif
