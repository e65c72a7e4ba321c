// Fuzzes the text reader: the input is the text (decoded as FuzzSupport's
// bytesToWide does: dense kana, raw 32-bit values or UTF-8), read with a
// small dictionary and the project's deinflection rules. The tokens must give
// back the text, each token must be non-empty and start where the one
// before it ended, and a word must carry its entry.
#include "FuzzSupport.h"

#include "Deinflector.h"
#include "TextReader.h"

#include <cstdlib>

namespace {

const char* const edictLines =
    "猫 [ねこ] /(n) cat/(P)/\n"
    "が /(prt) subject marker/(P)/\n"
    "を /(prt) object marker/(P)/\n"
    "は /(prt) topic marker/(P)/\n"
    "の /(prt) possessive/(P)/\n"
    "食べる [たべる] /(v1,vt) to eat/(P)/\n"
    "為る [する] /(vs-i) (1) (uk) to do/(P)/\n"
    "来る [くる] /(vk,vi) to come/(P)/\n"
    "行く [いく] /(v5k-s,vi) to go/(P)/\n"
    "勉強 [べんきょう] /(n,vs) study/(P)/\n"
    "ファイル /(n) file/(P)/\n"
    "ｶﾅ /(n) half-width kana/\n"
    "ab /(n) letters/\n"
    "12 /(n) digits/\n"
    "ー /(n) long mark/\n";

TextReader* reader;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    useProgramLocale();
    static Deinflector deinflector;
    deinflector.loadFromFile(buildDeinflectionRules());
    WordDictionaryCollection* collection = loadSmallCollection(
        "textreader", edictLines,
        "n\tnoun\nprt\tparticle\nv1\tichidan\nvs-i\tsuru\nvk\tkuru\nv5k-s\tiku\n"
        "vs\tsuru noun\nvt\ttransitive\nvi\tintransitive\nuk\tkana\n");
    reader = new TextReader(collection, &deinflector);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::wstring text = bytesToWide(data, size);
    const std::vector<TextToken> tokens = reader->read(text);
    std::size_t position = 0;
    for (const TextToken& token : tokens) {
        if (token.surface.empty() || token.start != position
            || token.isWord() != static_cast<bool>(token.entry)) {
            std::abort();
        }
        position += token.surface.size();
    }
    if (TextReader::joined(tokens) != text) {
        std::abort();
    }
    return 0;
}
