#include "Lookup.h"

#include "CharacterDictionaryCollection.h"
#include "CharacterResult.h"
#include "Deinflector.h"
#include "Edict.h"
#include "FuzzySearch.h"
#include "Handwriting.h"
#include "Kanjidic.h"
#include "Log.h"
#include "Output.h"
#include "PartsOfSpeech.h"
#include "Program.h"
#include "RadicalTable.h"
#include "ReadText.h"
#include "SearchText.h"
#include "TypedSearch.h"
#include "WordDictionaryCollection.h"
#include "WordResult.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace dexaru2 {

Lookup::Lookup() : Lookup(Options())
{
}

Lookup::Lookup(const Options& options)
{
    partsOfSpeech = new PartsOfSpeech();
    partsOfSpeech->load("partsofspeech.drx");
    fuzzySearch = new FuzzySearch();
    fuzzySearch->loadFromFile("fuzzysearch.uni.dat");
    if (options.order == "relevance" || options.command == "read") {
        // Without its file the engine stays unloaded and the fuzzy rules
        // serve as before; the reader then finds words only as written.
        deinflector = new Deinflector();
        deinflector->loadFromFile("deinflection.dat");
    }
    // Each command loads only the side it reads: handwriting only the kanji
    // (their stroke counts, and which characters are known); study and read
    // only the words.
    if (options.command != "handwriting") {
        setUpWordSide();
    }
    if (options.command != "study" && options.command != "read") {
        setUpKanjiSide();
    }
}

Lookup::~Lookup()
{
    delete fuzzySearch;
    delete deinflector;
    delete partsOfSpeech;
    delete radicalTable;
    delete kanjidicCollection;
    delete wordCollection;
}

void Lookup::setUpWordSide()
{
    wordCollection = new WordDictionaryCollection();
    wordCollection->setPartsOfSpeech(partsOfSpeech);
    wordCollection->setFuzzySearch(fuzzySearch);
    wordCollection->setDeinflector(deinflector);
    addEdict("The usual edict", "dictionaries/edict/edict");
    addEdict("Computer terms", "dictionaries/edict/compdic");
    addEdict("4jwords", "dictionaries/edict/4jwords");
    wordCollection->load();
}

void Lookup::addEdict(const char* name, const char* filename)
{
    Edict* edict = new Edict();
    edict->setName(name);
    edict->setFilename(filename);
    wordCollection->addDictionary(edict);
}

void Lookup::setUpKanjiSide()
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

void Lookup::listDictionaries()
{
    const std::vector<std::string> names = wordCollection->getDictionaryNames();
    printLine("There are %d dictionaries loaded.", static_cast<int>(names.size()));
    for (const std::string& name : names) {
        printLine("%s", name.c_str());
    }
}

void Lookup::listPartsOfSpeech()
{
    for (const std::string& abbreviation : partsOfSpeech->getAbbreviations()) {
        printLine("%s: %s", abbreviation.c_str(), partsOfSpeech->search(abbreviation).c_str());
    }
}

WordResult* Lookup::findWords(const Options& options, std::vector<std::wstring>* alsoSearched)
{
    const std::wstring typed = toWide(options.cliSearchText);
    const bool relevanceOrder = options.order == "relevance";
    const std::wstring searchText = toSearchText(typed, options.convertToKana, relevanceOrder);
    const bool ranked =
        relevanceOrder
        || TypedSearch::isEnglishForMeanings(typed, searchText, options.convertToKana,
                                             options.searchOptions);

    TypedSearch typedSearch(wordCollection);
    WordResult* wordResult = typedSearch.search(typed, searchText, options.searchOptions, ranked);
    if (alsoSearched != nullptr) {
        *alsoSearched = typedSearch.getAlsoSearched();
    }
    return wordResult;
}

void Lookup::search(const Options& options)
{
    std::vector<std::wstring> alsoSearched;
    WordResult* wordResult = findWords(options, &alsoSearched);
    Log::write(7, "%s: Number of word results: %d.", logFunction, wordResult->getEntryCount());

    const std::set<wchar_t> characters = wordResult->getCharacters();
    for (wchar_t character : characters) {
        Log::write(7, "%s: Character: %C", logFunction, static_cast<wchar_t>(character));
    }
    CharacterResult* characterResult = kanjidicCollection->search(characters);
    Log::write(7, "%s: Number of character results: %d.", logFunction,
               characterResult->getEntryCount());

    printKanjiResults(characterResult, options.resultsFormat);
    printResults(wordResult, options.resultsFormat, alsoSearched);
    delete wordResult;
    delete characterResult;
}

int Lookup::read(const Options& options)
{
    return readText(options, wordCollection, deinflector);
}

int Lookup::handwriting(const Options& options)
{
    return recognizeHandwriting(options, kanjidicCollection);
}

int run(const Options& options)
{
    Log::write(6, "%s: dexaru2 started.", logFunction);
    Log::write(7, "%s: Unicode string: %s.", logFunction, wideUnicodeEncoding);
    int status = 0;
    {
        Lookup lookup(options);
        if (options.command == "read") {
            status = lookup.read(options);
        } else if (options.command == "handwriting") {
            status = lookup.handwriting(options);
        } else if (options.command == "list") {
            if (options.listWhat == "dictionaries") {
                lookup.listDictionaries();
            } else {
                lookup.listPartsOfSpeech();
            }
        } else {
            lookup.search(options);
        }
    }
    // Results that did not reach their reader (a full disk, a closed
    // terminal) must not be reported as a success.
    const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!written) {
        Log::write(3, "%s: Could not write the results to standard output.", logFunction);
    }
    Log::write(6, "%s: dexaru2 ended.", logFunction);
    return written ? status : 2;
}

}  // namespace dexaru2
