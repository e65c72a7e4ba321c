// dexaru2: one lookup per run. Searches a text in the word dictionaries and
// the kanji of the words found in the character dictionary, or lists the
// word dictionaries or the parts of speech, and prints on standard output as
// text or XML. Data is read relative to the program's own folder.

#include "CharacterDictionaryCollection.h"
#include "CharacterEntry.h"
#include "CharacterResult.h"
#include "Edict.h"
#include "Encoding.h"
#include "FuzzySearch.h"
#include "Kanjidic.h"
#include "Log.h"
#include "PartsOfSpeech.h"
#include "RadicalTable.h"
#include "Romaji.h"
#include "WordDictionary.h"
#include "WordDictionaryCollection.h"
#include "WordEntry.h"
#include "WordResult.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

int printResults(WordResult* wordResult, std::string format);
int printKanjiResults(CharacterResult* characterResult, std::string format);

namespace {

const char* const wideUnicodeEncoding = "WCHAR_T";
// Every message of the program names "main" as the reporting function.
const char* const logFunction = "main";

const char* const usageText =
    "Dexaru2 r410\n"
    "\n"
    "Usage:\n"
    "   dexaru2 [<option>[ ...]] <command>\n"
    "\n"
    "<command> may be:\n"
    "   list {dictionaries|parts-of-speech}\n"
    "   search <search-text>\n"
    "\n"
    "<option> may include:\n"
    "       --help               | Show this help and exit.\n"
    "(When using <command> = 'search')\n"
    "       --convert-to-kana    | Convert the search text to kana before searching.\n"
    "       --match-all-info     | All of the info filters must be matched.\n"
    "       --no-convert-to-kana | Do not convert the search text to kana before searching.\n"
    "       --no-match-all-info  | Not all of the info filters must be matched.\n"
    "   -o  --output <format>    | Change the result output format.  <format> may be 'text' or 'xml'.\n"
    "       --search-common      | Search only for common text.\n"
    "       --search-defaults    | Shortcut for --search-kana, --search-word.\n"
    "       --search-fuzzy       | Perform a fuzzy search.\n"
    "       --search-ignore-case | Ignore case (especially kana) when searching.\n"
    "       --search-info <abbr> | Add this abbreviation to the list of abbreviations to match.\n"
    "       --search-kana        | Search for the text in the kana.\n"
    "       --search-meaning     | Search for the text in the meaning(s).\n"
    "       --search-uncommon    | Search only for uncommon text.\n"
    "       --search-wildcard    | Search using the wildcards '?' and '*'.\n"
    "       --search-word        | Search for the text in the word.\n"
    "\n"
    "Examples:\n"
    "   To search for the word 'iku' ('to go'),\n"
    "      dexaru2 search 'iku'\n"
    "   To search for words with 'iku' anywhere in them,\n"
    "      dexaru2 search '*iku*'\n"
    "   To limit that search to nouns,\n"
    "      dexaru2 search '*iku*' --searach-info 'n'\n"
    "   To list the parts of speech available for searching,\n"
    "      dexaru2 list parts-of-speech\n";

// What one run was asked to do.
struct Request {
    std::string command;
    std::string listWhat;
    std::string cliSearchText;
    std::string resultsFormat = "text";
    bool convertToKana = true;
    WordDictionary::SearchOptions searchOptions;
};

int printUsage()
{
    std::fputs(usageText, stdout);
    std::fflush(stdout);
    return 1;
}

// Writes one line of output and flushes it, so that a reader of a pipe sees
// every result line as soon as it is complete.
__attribute__((format(printf, 1, 2))) void printLine(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Wide output needs a UTF-8 character-type locale; "en_US.utf8" is not
// generated on every machine, so fall back to the ones that usually are.
void setCharacterLocale()
{
    if (std::setlocale(LC_CTYPE, "en_US.utf8") == nullptr &&
        std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) {
        std::setlocale(LC_CTYPE, "");
    }
}

// The data files lie beside the program, so work from its folder. A program
// found through the search path (no "/" in its name) stays where it is.
void changeToProgramFolder(const char* programPath)
{
    const std::string path = programPath;
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) {
        return;
    }
    const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    if (chdir(folder.c_str()) != 0) {
        // Not fatal: the data may lie in the current directory instead.
    }
}

// Applies the option in argv[index] (and its value, moving index past it).
// Returns 1 when the argument was an option, 0 when it is a command word and
// -1 when the usage text is due.
int applyOption(Request& request, int argc, char** argv, int& index)
{
    const std::string argument = argv[index];
    WordDictionary::SearchOptions& options = request.searchOptions;

    if (argument == "--help") {
        return -1;
    } else if (argument == "--convert-to-kana") {
        request.convertToKana = true;
    } else if (argument == "--match-all-info") {
        options.matchAllPartsOfSpeech = true;
    } else if (argument == "--no-convert-to-kana") {
        request.convertToKana = false;
    } else if (argument == "--no-match-all-info") {
        options.matchAllPartsOfSpeech = false;
    } else if (argument == "--output" || argument == "-o") {
        if (index + 1 >= argc) {
            return -1;
        }
        request.resultsFormat = argv[++index];
    } else if (argument == "--search-common") {
        options.commonFilter = 1;
    } else if (argument == "--search-defaults") {
        options.searchFlags |= WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA;
    } else if (argument == "--search-fuzzy") {
        options.searchFlags |= WordDictionary::SEARCH_FUZZY;
    } else if (argument == "--search-ignore-case") {
        options.searchFlags |= WordDictionary::SEARCH_IGNORE_CASE;
    } else if (argument == "--search-info") {
        if (index + 1 >= argc) {
            return -1;
        }
        options.partsOfSpeech.push_back(argv[++index]);
    } else if (argument == "--search-kana") {
        options.searchFlags |= WordDictionary::SEARCH_KANA;
    } else if (argument == "--search-meaning") {
        options.searchFlags |= WordDictionary::SEARCH_MEANING;
    } else if (argument == "--search-uncommon") {
        options.commonFilter = 2;
    } else if (argument == "--search-wildcard") {
        options.searchFlags |= WordDictionary::SEARCH_WILDCARD;
    } else if (argument == "--search-word") {
        options.searchFlags |= WordDictionary::SEARCH_WORD;
    } else {
        return 0;
    }
    return 1;
}

// Checks the command words (the command and its one argument) and fills the
// request from them. Returns false when the usage text is due.
bool takeCommand(Request& request, const std::vector<std::string>& words)
{
    if (words.empty()) {
        return false;
    }
    request.command = words[0];
    if (request.command == "list") {
        if (words.size() != 2) {
            return false;
        }
        request.listWhat = words[1];
        return request.listWhat == "parts-of-speech" || request.listWhat == "dictionaries";
    }
    if (request.command != "search" || words.size() != 2 || words[1].empty()) {
        return false;
    }
    request.cliSearchText = words[1];
    if (request.searchOptions.searchFlags == WordDictionary::SEARCH_NONE) {
        request.searchOptions.searchFlags =
            WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA;
    }
    return true;
}

// Returns false when the usage text is due.
bool parseArguments(Request& request, int argc, char** argv)
{
    request.searchOptions.searchFlags = WordDictionary::SEARCH_NONE;
    request.searchOptions.commonFilter = 0;
    request.searchOptions.limit = 200;
    request.searchOptions.matchAllPartsOfSpeech = false;

    std::vector<std::string> words;
    for (int index = 1; index < argc; ++index) {
        const int outcome = applyOption(request, argc, argv, index);
        if (outcome < 0) {
            return false;
        }
        if (outcome == 0) {
            words.push_back(argv[index]);
        }
    }
    return takeCommand(request, words);
}

// Everything a run creates, in the order of creation; the destructor deletes
// it in the order the library expects (tables first, collections last).
class Lookup
{
public:
    Lookup()
    {
        partsOfSpeech = new PartsOfSpeech();
        partsOfSpeech->load("partsofspeech.drx");
        fuzzySearch = new FuzzySearch();
        fuzzySearch->loadFromFile("fuzzysearch.uni.dat");
        setUpWordSide();
        setUpKanjiSide();
    }

    ~Lookup()
    {
        delete fuzzySearch;
        delete partsOfSpeech;
        delete radicalTable;
        delete kanjidicCollection;
        delete wordCollection;
    }

    Lookup(const Lookup&) = delete;
    Lookup& operator=(const Lookup&) = delete;

    PartsOfSpeech* partsOfSpeech = nullptr;
    FuzzySearch* fuzzySearch = nullptr;
    WordDictionaryCollection* wordCollection = nullptr;
    CharacterDictionaryCollection* kanjidicCollection = nullptr;
    RadicalTable* radicalTable = nullptr;

private:
    void setUpWordSide()
    {
        wordCollection = new WordDictionaryCollection();
        wordCollection->setPartsOfSpeech(partsOfSpeech);
        wordCollection->setFuzzySearch(fuzzySearch);
        addEdict("The usual edict", "dictionaries/edict/edict");
        addEdict("Computer terms", "dictionaries/edict/compdic");
        addEdict("4jwords", "dictionaries/edict/4jwords");
        wordCollection->load();
    }

    void addEdict(const char* name, const char* filename)
    {
        Edict* edict = new Edict();
        edict->setName(name);
        edict->setFilename(filename);
        wordCollection->addDictionary(edict);
    }

    void setUpKanjiSide()
    {
        kanjidicCollection = new CharacterDictionaryCollection();
        Kanjidic* kanjidic = new Kanjidic();
        kanjidic->setName("The usual Kanjidic");
        kanjidic->setFilename("dictionaries/kanjidic/kanjidic.jis-x-0208-1990");
        kanjidicCollection->addDictionary(kanjidic);
        kanjidicCollection->load();

        radicalTable = new RadicalTable();
        radicalTable->addFilename("dictionaries/radical/radkfile");
        radicalTable->addFilename("dictionaries/radical/radkfile2");
        radicalTable->load();
        kanjidicCollection->setRadicalTable(radicalTable);
    }
};

void listDictionaries(Lookup& lookup)
{
    const std::vector<std::string> names = lookup.wordCollection->getDictionaryNames();
    printLine("There are %d dictionaries loaded.", static_cast<int>(names.size()));
    for (const std::string& name : names) {
        printLine("%s", name.c_str());
    }
}

void listPartsOfSpeech(Lookup& lookup)
{
    PartsOfSpeech* table = lookup.partsOfSpeech;
    for (const std::string& abbreviation : table->getAbbreviations()) {
        printLine("%s: %s", abbreviation.c_str(), table->search(abbreviation).c_str());
    }
}

void logWideCharacters(const char* label, const std::wstring& text)
{
    for (std::wstring::size_type i = 0; i < text.size(); ++i) {
        Log::write(7, "%s: %s[ %2d ]: 0x%X - '%C'.", logFunction, label, static_cast<int>(i),
                   static_cast<unsigned>(text[i]), static_cast<wchar_t>(text[i]));
    }
}

// The command line arrives in UTF-8; the library works on wide strings. A
// text that does not convert (not UTF-8) is searched as the empty text.
std::wstring toWide(const std::string& cliSearchText)
{
    Log::write(7, "%s: ------------------------------------", logFunction);
    for (std::string::size_type i = 0; i < cliSearchText.size(); ++i) {
        const signed char byte = static_cast<signed char>(cliSearchText[i]);
        // "%C" of a negative value would make the whole message fail; a byte
        // above 0x7F is shown as the character of the same number instead.
        Log::write(7, "%s: cliSearchText[ %2d ]: 0x%X - %d - '%C'.", logFunction,
                   static_cast<int>(i), static_cast<unsigned>(byte), byte,
                   static_cast<wchar_t>(static_cast<unsigned char>(byte)));
    }

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

std::wstring toSearchText(const std::wstring& wide, bool convertToKana)
{
    std::wstring searchText = wide;
    if (convertToKana) {
        if (Romaji::isRomaji(wide)) {
            Log::write(7, "%s: Our search text is all ROMAji.", logFunction);
            searchText = Romaji::romajiStringToKana(wide, true);
        } else {
            Log::write(7, "%s: Our search text is not all ROMAji.", logFunction);
        }
    }
    logWideCharacters("searchText", searchText);
    return searchText;
}

// Looks up the characters of the words found; the caller owns the result.
CharacterResult* searchKanji(Lookup& lookup, WordResult* wordResult)
{
    const std::set<wchar_t> characters = wordResult->getCharacters();
    for (wchar_t character : characters) {
        Log::write(7, "%s: Character: %C", logFunction, static_cast<wchar_t>(character));
    }
    CharacterResult* characterResult = lookup.kanjidicCollection->search(characters);
    Log::write(7, "%s: Number of character results: %d.", logFunction,
               characterResult->getEntryCount());
    return characterResult;
}

void search(Lookup& lookup, Request& request)
{
    const std::wstring wide = toWide(request.cliSearchText);
    const std::wstring searchText = toSearchText(wide, request.convertToKana);

    WordResult* wordResult = lookup.wordCollection->search(searchText, &request.searchOptions);
    Log::write(7, "%s: Number of word results: %d.", logFunction, wordResult->getEntryCount());

    CharacterResult* characterResult = searchKanji(lookup, wordResult);
    printKanjiResults(characterResult, request.resultsFormat);
    printResults(wordResult, request.resultsFormat);

    delete wordResult;
    delete characterResult;
}

void printWordText(WordEntry* entry, int number)
{
    printLine("%d. %S(%S):", number, entry->word.c_str(), entry->kana.c_str());
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

void printWordXml(WordEntry* entry)
{
    printLine("\t<entry>");
    printLine("\t\t<word>%S</word>", entry->word.c_str());
    printLine("\t\t<kana romaji=\"%s\">%S</kana>", entry->kanaRomaji.c_str(), entry->kana.c_str());
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

void printNumberedList(const char* heading, const std::vector<std::wstring>& items)
{
    printLine("%s", heading);
    for (std::vector<std::wstring>::size_type m = 0; m < items.size(); ++m) {
        printLine("      %d. %S", static_cast<int>(m + 1), items[m].c_str());
    }
}

// A radical line of the radical files without its character leaves a radical
// of code 0, which is no character and would put a NUL byte in the output.
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

void printKanjiText(CharacterEntry* entry, int number)
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

void printElements(const char* format, const std::vector<std::wstring>& items)
{
    for (const std::wstring& item : items) {
        printLine(format, item.c_str());
    }
}

void printKanjiXml(CharacterEntry* entry)
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

int run(Request& request)
{
    Log::write(6, "%s: dexaru2 started.", logFunction);
    Log::write(7, "%s: Unicode string: %s.", logFunction, wideUnicodeEncoding);
    {
        Lookup lookup;
        if (request.command == "list") {
            if (request.listWhat == "dictionaries") {
                listDictionaries(lookup);
            } else {
                listPartsOfSpeech(lookup);
            }
        } else {
            search(lookup, request);
        }
    }
    // Results that did not reach their reader (a full disk, a closed
    // terminal) must not be reported as a success.
    const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!written) {
        Log::write(3, "%s: Could not write the results to standard output.", logFunction);
    }
    Log::write(6, "%s: dexaru2 ended.", logFunction);
    return written ? 0 : 2;
}

} // namespace

// Writes the word block: "text" (a numbered list) or "xml" (a <results>
// element); any other format writes nothing. Returns 1 for a null result.
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

// Writes the kanji block: "text" or "xml" (a <kanjiresults> element); any
// other format writes nothing. Returns 0.
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

int main(int argc, char** argv)
{
    setCharacterLocale();
    if (argc > 0) {
        changeToProgramFolder(argv[0]);
    }

    Request request;
    if (!parseArguments(request, argc, argv)) {
        return printUsage();
    }
    return run(request);
}
