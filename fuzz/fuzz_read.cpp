// Fuzzes "dexaru2 read -" as a whole: the input is the bytes of standard
// input (its first byte chooses text or XML output), read line by line,
// long lines in pieces, with a small dictionary and the project's
// deinflection rules. The run must end with status 0 or 3, and its XML must
// hold no character XML forbids and as many line ends as lines begin.
#include "FuzzSupport.h"

#include "Deinflector.h"
#include "Options.h"
#include "ReadText.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char* const edictLines =
    "猫 [ねこ] /(n) cat/(P)/\n"
    "が /(prt) subject marker/(P)/\n"
    "を /(prt) object marker/(P)/\n"
    "食べる [たべる] /(v1,vt) to eat/(P)/\n"
    "為る [する] /(vs-i) (1) (uk) to do/(P)/\n"
    "来る [くる] /(vk,vi) to come/(P)/\n"
    "勉強 [べんきょう] /(n,vs) study/(P)/\n"
    "ファイル /(n) file/(P)/\n"
    "ab /(n) letters/\n";

WordDictionaryCollection* collection;
Deinflector* deinflector;

std::size_t count(const std::string& text, const std::string& part)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

}  // namespace

// The run is held to 512 MB; AddressSanitizer's quarantine of freed memory
// would take half of it by itself.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=32";
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    useProgramLocale();
    deinflector = new Deinflector;
    deinflector->loadFromFile(buildDeinflectionRules());
    collection = loadSmallCollection("read", edictLines,
                                     "n\tnoun\nprt\tparticle\nv1\tichidan\nvs-i\tsuru\nvk\tkuru\n"
                                     "vs\tsuru noun\nvt\ttransitive\nvi\tintransitive\nuk\tkana\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    dexaru2::Options options;
    options.readText = "-";
    options.resultsFormat = size > 0 && (data[0] & 1) != 0 ? "xml" : "text";
    std::FILE* input = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (size == 0 || input == nullptr) {
        if (input != nullptr) {
            std::fclose(input);
        }
        return 0;
    }
    char* written = nullptr;
    std::size_t writtenSize = 0;
    std::FILE* output = open_memstream(&written, &writtenSize);
    std::FILE* standardOutput = stdout;
    stdout = output;
    const int status = dexaru2::readText(options, collection, deinflector, input);
    stdout = standardOutput;
    std::fclose(output);
    std::fclose(input);
    const std::string out(written, writtenSize);
    std::free(written);
    if (status != 0 && status != 3) {
        std::abort();
    }
    if (options.resultsFormat == "xml") {
        for (unsigned char byte : out) {
            if (byte < 0x20 && byte != '\t' && byte != '\n') {
                std::abort();  // XML 1.0 cannot hold it
            }
        }
        if (count(out, "\t<line>\n") != count(out, "\t</line>\n") || out.rfind("</read>\n") + 8 != out.size()) {
            std::abort();
        }
    }
    return 0;
}
