// Fuzzes the romaji-to-kana conversion on arbitrary wide strings, both as
// finished text and as text still being typed.
#include "FuzzSupport.h"

#include "Romaji.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    useProgramLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::wstring text = bytesToWide(data, size);
    std::wstring finished = Romaji::romajiStringToKana(text, true);
    std::wstring typing = Romaji::romajiStringToKana(text, false);
    // Every character yields at most a few kana: no runaway output.
    if (finished.size() > 4 * text.size() + 4 || typing.size() > 4 * text.size() + 4) {
        std::abort();
    }
    Romaji::romajiToKana(text);
    Romaji::romajiToKana_Single(text);
    Romaji::isRomaji(text);
    Romaji::toUpper(Romaji::toLower(text));
    return 0;
}
