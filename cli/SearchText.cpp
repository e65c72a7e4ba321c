#include "SearchText.h"

#include "Encoding.h"
#include "Log.h"
#include "Program.h"
#include "Romaji.h"
#include "TypedSearch.h"

#include <vector>

namespace dexaru2 {

namespace {

void logWideCharacters(const char* label, const std::wstring& text)
{
    for (std::wstring::size_type i = 0; i < text.size(); ++i) {
        Log::write(7, "%s: %s[ %2d ]: 0x%X - '%C'.", logFunction, label, static_cast<int>(i),
                   static_cast<unsigned>(text[i]), static_cast<wchar_t>(text[i]));
    }
}

void logBytes(const std::string& cliSearchText)
{
    for (std::string::size_type i = 0; i < cliSearchText.size(); ++i) {
        const signed char byte = static_cast<signed char>(cliSearchText[i]);
        // "%C" of a negative value would make the whole message fail; a byte
        // above 0x7F is shown as the character of the same number instead.
        Log::write(7, "%s: cliSearchText[ %2d ]: 0x%X - %d - '%C'.", logFunction,
                   static_cast<int>(i), static_cast<unsigned>(byte), byte,
                   static_cast<wchar_t>(static_cast<unsigned char>(byte)));
    }
}

}  // namespace

std::wstring toWide(const std::string& cliSearchText)
{
    Log::write(7, "%s: ------------------------------------", logFunction);
    logBytes(cliSearchText);

    Log::write(7, "%s: Converting '%s' (UTF8) to %s...", logFunction, cliSearchText.c_str(),
               wideUnicodeEncoding);
    char* newText = nullptr;
    int newTextSize = 0;
    std::vector<char> input(cliSearchText.begin(), cliSearchText.end());
    input.push_back('\0');
    const int result = Encoding::convert("UTF-8", input.data(),
                                         static_cast<int>(cliSearchText.size()),
                                         wideUnicodeEncoding, &newText, &newTextSize);
    Log::write(7, "%s: Result: %d", logFunction, result);
    Log::write(7, "%s: newText: %s", logFunction, newText != nullptr ? newText : "");
    Log::write(7, "%s: newTextSize: %d", logFunction, newTextSize);

    std::wstring wide;
    if (result == 0 && newText != nullptr) {
        wide.assign(reinterpret_cast<const wchar_t*>(newText), newTextSize / sizeof(wchar_t));
    }
    delete[] newText;
    logWideCharacters("cliSearchTextWide", wide);
    return wide;
}

std::wstring toSearchText(const std::wstring& wide, bool convertToKana, bool learnerSpelling)
{
    std::wstring searchText = wide;
    if (convertToKana) {
        if (Romaji::isRomaji(learnerSpelling ? TypedSearch::learnerRomaji(wide) : wide)) {
            Log::write(7, "%s: Our search text is all ROMAji.", logFunction);
            // Text that leaves letters behind ("water" as わてr) is English.
            searchText = TypedSearch::kanaOfWholeRomaji(wide, learnerSpelling);
        } else {
            Log::write(7, "%s: Our search text is not all ROMAji.", logFunction);
        }
    }
    logWideCharacters("searchText", searchText);
    return searchText;
}

}  // namespace dexaru2
