// Fuzzes the deinflection engine: the input is the rule file, optionally
// followed by a NUL byte and a UTF-8 word. The candidates of that word and
// of a few fixed words are generated, and each is checked against an entry.
#include "FuzzSupport.h"

#include "Deinflector.h"
#include "WordEntry.h"

namespace {

ScratchFile* rulesFile;

void deinflect(const Deinflector& engine, const std::wstring& word)
{
    std::vector<Deinflector::Candidate> candidates = engine.deinflect(word);
    // The walk must end, bounded, with the word itself first.
    if (candidates.empty() || candidates.size() > size_t(Deinflector::MAX_CANDIDATES)
        || candidates[0].text != word) {
        std::abort();
    }
    WordEntry entry;
    entry.info.push_back(new EntryInfo{"v5k", "godan verb"});
    for (const Deinflector::Candidate& candidate : candidates) {
        engine.fits(candidate, entry);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    useProgramLocale();
    rulesFile = new ScratchFile("deinflection");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::wstring word;
    const bool hasWord = writeRulesAndReadWord(*rulesFile, data, size, word);

    Deinflector engine;
    engine.loadFromFile(rulesFile->path());

    deinflect(engine, L"飲ませられなかった");
    deinflect(engine, L"");
    if (hasWord) {
        deinflect(engine, word);
    }
    return 0;
}
