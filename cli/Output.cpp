#include "Output.h"

#include "CharacterEntry.h"
#include "CharacterResult.h"
#include "TextOutput.h"
#include "WordResult.h"
#include "XmlOutput.h"

#include <cstdarg>
#include <cstdio>

namespace dexaru2 {

namespace {

// Walks the visible entries of a result in its current order, framed by the
// heading of the text format or the element of the XML format.
template <typename Result, typename Entry>
void printBlock(Result* result, const std::string& format, const char* heading, const char* element,
                void (*printText)(const Entry*, int), void (*printXml)(const Entry*),
                const std::vector<std::wstring>& alsoSearched = {})
{
    const bool text = format == "text";
    const bool xml = format == "xml";
    if (text) {
        printLine("%s", heading);
        if (!alsoSearched.empty()) {
            std::wstring spellings;
            for (const std::wstring& spelling : alsoSearched) {
                spellings += (spellings.empty() ? L"" : L", ") + spelling;
            }
            printLine("also searched: %S", spellings.c_str());
        }
    } else if (xml) {
        printLine("<%s>", element);
        for (const std::wstring& spelling : alsoSearched) {
            printLine("\t<alsosearched>%S</alsosearched>", spelling.c_str());
        }
    }
    result->resetNextEntry();
    int number = 0;
    while (Entry* entry = result->getNextEntry()) {
        ++number;
        if (text) {
            printText(entry, number);
        } else if (xml) {
            printXml(entry);
        }
    }
    if (xml) {
        printLine("</%s>", element);
    }
}

}  // namespace

int printResults(WordResult* wordResult, std::string format)
{
    return printResults(wordResult, format, {});
}

int printResults(WordResult* wordResult, std::string format,
                 const std::vector<std::wstring>& alsoSearched)
{
    if (wordResult == nullptr) {
        return 1;
    }
    printBlock(wordResult, format, "Search Results:", "results", printWordText, printWordXml,
               alsoSearched);
    return 0;
}

int printKanjiResults(CharacterResult* characterResult, std::string format)
{
    if (characterResult != nullptr) {
        printBlock(characterResult, format, "Kanji Results:", "kanjiresults", printKanjiText,
                   printKanjiXml);
    }
    return 0;
}

void printLine(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::wstring printableRadicals(const CharacterEntry* entry)
{
    std::wstring radicals;
    for (wchar_t radical : entry->radicals) {
        if (radical != L'\0') {
            radicals += radical;
        }
    }
    return radicals;
}

std::string joined(const std::vector<std::string>& items, const char* separator)
{
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : separator) + item;
    }
    return text;
}

}  // namespace dexaru2
