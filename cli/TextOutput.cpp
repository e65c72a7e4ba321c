#include "TextOutput.h"

#include "CharacterEntry.h"
#include "Output.h"
#include "WordEntry.h"

#include <string>
#include <vector>

namespace dexaru2 {

namespace {

void printNumberedList(const char* heading, const std::vector<std::wstring>& items)
{
    printLine("%s", heading);
    for (std::vector<std::wstring>::size_type m = 0; m < items.size(); ++m) {
        printLine("      %d. %S", static_cast<int>(m + 1), items[m].c_str());
    }
}

}  // namespace

void printWordText(const WordEntry* entry, int number)
{
    printLine("%d. %S(%S):", number, entry->word.c_str(), entry->kana.c_str());
    if (entry->isDeinflected()) {
        printLine("   < %S%s%s", entry->deinflectedFrom.c_str(),
                  entry->deinflectionReasons.empty() ? "" : ": ", joined(entry->deinflectionReasons, ", ").c_str());
    }
    printLine("   [%s]", entry->kanaRomaji.c_str());
    if (entry->isCommon) {
        printLine("   * Common.");
    }
    for (const EntryInfo* info : entry->info) {
        printLine("   + (%s) %s", info->abbreviation.c_str(), info->text.c_str());
    }
    for (int m = 0; m < entry->meaningsSize; ++m) {
        printLine("   %d. %s", m + 1, entry->meanings[m].c_str());
    }
    printLine("   [Edict@%d: %s]", entry->dictionaryIndex, entry->dictionaryName.c_str());
}

void printKanjiText(const CharacterEntry* entry, int number)
{
    printLine("%d. %C(%d strokes):", number, static_cast<wchar_t>(entry->kanji),
              static_cast<int>(entry->strokeCount));
    printLine("   frequency: %d", static_cast<int>(entry->frequency));
    printNumberedList("   ON readings:", entry->on);
    printNumberedList("   KUN readings:", entry->kun);
    printNumberedList("   nanori readings:", entry->nanori);
    printLine("   radicals:");
    const std::wstring radicals = printableRadicals(entry);
    for (std::wstring::size_type m = 0; m < radicals.size(); ++m) {
        printLine("      %d. %C", static_cast<int>(m + 1), static_cast<wchar_t>(radicals[m]));
    }
    printNumberedList("   Meanings:", entry->meanings);
}

}  // namespace dexaru2
