// Fuzzes the fuzzy-search rules: the input is the rule file, optionally
// followed by a NUL byte and a UTF-8 search string. The variants of that
// string and of a few fixed words are generated.
#include "FuzzSupport.h"

#include "FuzzySearch.h"

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
    std::wstring word;
    const bool hasWord = writeRulesAndReadWord(*rulesFile, data, size, word);

    FuzzySearch rules;
    rules.loadFromFile(rulesFile->path());

    generate(rules, L"たべました");
    generate(rules, L"");
    if (hasWord) {
        generate(rules, word);
    }
    return 0;
}
