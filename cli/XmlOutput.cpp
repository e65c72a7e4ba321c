#include "XmlOutput.h"

#include "CharacterEntry.h"
#include "Output.h"
#include "WordEntry.h"

#include <string>
#include <vector>

namespace dexaru2 {

namespace {

void printElements(const char* format, const std::vector<std::wstring>& items)
{
    for (const std::wstring& item : items) {
        printLine(format, item.c_str());
    }
}

// The text typed, safe inside an attribute: it comes from the command line.
std::wstring escaped(const std::wstring& text)
{
    std::wstring safe;
    for (wchar_t character : text) {
        switch (character) {
        case L'&': safe += L"&amp;"; break;
        case L'<': safe += L"&lt;"; break;
        case L'>': safe += L"&gt;"; break;
        case L'"': safe += L"&quot;"; break;
        default: safe += character;
        }
    }
    return safe;
}

}  // namespace

void printWordXml(const WordEntry* entry)
{
    printLine("\t<entry>");
    printLine("\t\t<word>%S</word>", entry->word.c_str());
    printLine("\t\t<kana romaji=\"%s\">%S</kana>", entry->kanaRomaji.c_str(), entry->kana.c_str());
    if (entry->isDeinflected()) {
        printLine("\t\t<deinflection from=\"%S\">%s</deinflection>",
                  escaped(entry->deinflectedFrom).c_str(),
                  joined(entry->deinflectionReasons, ", ").c_str());
    }
    if (entry->isCommon) {
        printLine("\t\t<common />");
    }
    for (const EntryInfo* info : entry->info) {
        printLine("\t\t<info abbreviation=\"%s\">%s</info>", info->abbreviation.c_str(),
                  info->text.c_str());
    }
    for (int m = 0; m < entry->meaningsSize; ++m) {
        printLine("\t\t<meaning>%s</meaning>", entry->meanings[m].c_str());
    }
    printLine("\t\t<dictionary index=\"%d\">%s</dictionary>", entry->dictionaryIndex,
              entry->dictionaryName.c_str());
    printLine("\t</entry>");
}

void printKanjiXml(const CharacterEntry* entry)
{
    printLine("\t<kanjientry>");
    printLine("\t\t<kanji>%C</kanji>", static_cast<wchar_t>(entry->kanji));
    printLine("\t\t<strokecount>%d</strokecount>", static_cast<int>(entry->strokeCount));
    printLine("\t\t<frequency>%d</frequency>", static_cast<int>(entry->frequency));
    printElements("\t\t<on>%S</on>", entry->on);
    printElements("\t\t<kun>%S</kun>", entry->kun);
    printElements("\t\t<nanori>%S</nanori>", entry->nanori);
    for (wchar_t radical : printableRadicals(entry)) {
        printLine("\t\t<radical>%C</radical>", static_cast<wchar_t>(radical));
    }
    printElements("\t\t<meaning>%S</meaning>", entry->meanings);
    printLine("\t</kanjientry>");
}

}  // namespace dexaru2
