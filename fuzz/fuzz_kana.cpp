// Fuzzes the kana-to-romaji conversion and the kana string helpers on
// arbitrary wide strings.
#include "FuzzSupport.h"

#include "Kana.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    useProgramLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::wstring text = bytesToWide(data, size);
    std::wstring romaji = Kana::kanaStringToRomaji(text);
    // No kana spells longer than four letters ("ltu" plus an apostrophe).
    if (romaji.size() > 4 * text.size()) {
        std::abort();
    }
    std::wstring katakana = Kana::toKatakana(text);
    std::wstring hiragana = Kana::toHiragana(text);
    if (katakana.size() != text.size() || hiragana.size() != text.size()) {
        std::abort();
    }
    if (!Kana::StringsAreEqual_IgnoreKana(text, text)) {
        std::abort();
    }
    Kana::isKana(text);
    Kana::isKana_WildcardsOkay(text);
    return 0;
}
