#include "TypedTextForms.h"

#include "../Kana.h"

#include <cwctype>

namespace internal {

std::wstring withoutSpaces(const std::wstring& text)
{
    std::wstring joined;
    for (wchar_t character : text) {
        if (character != L' ' && character != L'\t' && character != L'\u3000') {
            joined.push_back(character);
        }
    }
    return joined;
}

std::string asciiOf(const std::wstring& text)
{
    std::string ascii;
    for (wchar_t character : text) {
        if (character < 0x20 || character > 0x7E) {
            return std::string();
        }
        ascii += static_cast<char>(character);
    }
    return ascii;
}

std::wstring foldKanaAndCase(const std::wstring& text)
{
    std::wstring fold = Kana::toHiragana(text);
    for (wchar_t& character : fold) {
        character = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(character)));
    }
    return fold;
}

}  // namespace internal
