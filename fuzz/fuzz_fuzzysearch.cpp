// Fuzzes the fuzzy-search rules: the input is the rule file, optionally
// followed by a NUL byte and a UTF-8 search string. The variants of that
// string and of a few fixed words are generated.
#include "FuzzSupport.h"

#include "FuzzySearch.h"

#include <cstring>

namespace {

ScratchFile* rulesFile;

void generate(FuzzySearch& rules, const std::wstring& input)
{
    std::vector<std::wstring> variants = rules.generateStrings(input);
    // Generation must end, and not by filling the memory.
    if (variants.size() > 100000) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    useProgramLocale();
    rulesFile = new ScratchFile("fuzzysearch");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* nul = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    size_t rulesSize = nul != nullptr ? size_t(nul - data) : size;
    rulesFile->write(data, rulesSize);

    FuzzySearch rules;
    rules.loadFromFile(rulesFile->path());

    generate(rules, L"たべました");
    generate(rules, L"");
    if (nul != nullptr) {
        std::string input(reinterpret_cast<const char*>(nul + 1), size - rulesSize - 1);
        std::wstring wide(input.size() + 1, L'\0');
        size_t length = std::mbstowcs(&wide[0], input.c_str(), wide.size());
        if (length != size_t(-1)) {
            wide.resize(length);
            generate(rules, wide);
        }
    }
    return 0;
}
