#include "Output.h"

#include "CharacterEntry.h"
#include "CharacterResult.h"
#include "TextOutput.h"
#include "WordResult.h"
#include "XmlOutput.h"

#include <cstdarg>
#include <cstdio>

namespace dexaru2 {

int printResults(WordResult* wordResult, std::string format)
{
    if (wordResult == nullptr) {
        return 1;
    }
    const bool text = format == "text";
    const bool xml = format == "xml";
    if (text) {
        printLine("Search Results:");
    } else if (xml) {
        printLine("<results>");
    }
    wordResult->resetNextEntry();
    int number = 0;
    while (WordEntry* entry = wordResult->getNextEntry()) {
        ++number;
        if (text) {
            printWordText(entry, number);
        } else if (xml) {
            printWordXml(entry);
        }
    }
    if (xml) {
        printLine("</results>");
    }
    return 0;
}

int printKanjiResults(CharacterResult* characterResult, std::string format)
{
    if (characterResult == nullptr) {
        return 0;
    }
    const bool text = format == "text";
    const bool xml = format == "xml";
    if (text) {
        printLine("Kanji Results:");
    } else if (xml) {
        printLine("<kanjiresults>");
    }
    characterResult->resetNextEntry();
    int number = 0;
    while (CharacterEntry* entry = characterResult->getNextEntry()) {
        ++number;
        if (text) {
            printKanjiText(entry, number);
        } else if (xml) {
            printKanjiXml(entry);
        }
    }
    if (xml) {
        printLine("</kanjiresults>");
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

} // namespace dexaru2
