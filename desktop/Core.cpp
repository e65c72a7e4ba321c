#include "Core.h"

#include "BackgroundLoading.h"
#include "CharacterDictionaryCollection.h"
#include "Deinflector.h"
#include "FuzzySearch.h"
#include "PartsOfSpeech.h"
#include "TextReader.h"
#include "TypedSearch.h"
#include "WordDictionaryCollection.h"
#include "WordResult.h"

Core::Core(QObject* parent)
    : QObject(parent),
      wordDictionaries(new WordDictionaryCollection()),
      characterDictionaries(new CharacterDictionaryCollection()),
      radicalTable(nullptr),
      partsOfSpeech(nullptr),
      fuzzySearch(nullptr),
      deinflector(new Deinflector()),
      reader(new TextReader(wordDictionaries, deinflector)),
      typedSearch(new TypedSearch(wordDictionaries)),
      relevanceOrder(false)
{
}

Core::~Core()
{
    // Work on other threads (a dictionary's load, the reader's tables)
    // uses the objects deleted here.
    backgroundloading::waitForAll();
    // The reader points at the dictionaries, the dictionaries at the tables.
    reader.reset();
    delete wordDictionaries;
    removedDictionaries.clear();
    delete characterDictionaries;
    delete partsOfSpeech;
    delete fuzzySearch;
    delete deinflector;
}

void Core::load()
{
    auto* table = new PartsOfSpeech();
    table->load("partsofspeech.drx");
    for (const std::string& abbreviation : table->getAbbreviations()) {
        emit partOfSpeechAdded(abbreviation, table->search(abbreviation));
    }
    wordDictionaries->setPartsOfSpeech(table);
    delete partsOfSpeech;
    partsOfSpeech = table;

    auto* rules = new FuzzySearch();
    rules->loadFromFile("fuzzysearch.uni.dat");
    wordDictionaries->setFuzzySearch(rules);
    delete fuzzySearch;
    fuzzySearch = rules;

    // Without its file the engine stays empty: searches keep the fuzzy
    // rules, and the reader finds words only as written.
    deinflector->loadFromFile("deinflection.dat");

    radicalTable = nullptr;
}

void Core::addWordDictionary(WordDictionary* dictionary)
{
    giveUniqueName(dictionary);
    // One loaded beforehand is skipped by the load below, which would
    // otherwise hand it the table.
    if (dictionary->isLoaded)
        dictionary->setPartsOfSpeech(partsOfSpeech);
    wordDictionaries->addDictionary(dictionary);
    loadEnabledDictionaries();
    emit dictionaryAdded(dictionary);
}

// As the collection's load, but a disabled dictionary waits until it is
// enabled: a large one nobody searches (the names dictionary has 740,000
// lines) would cost every start its load and its memory. Failed loads of
// enabled dictionaries are tried again.
void Core::loadEnabledDictionaries()
{
    for (WordDictionary* dictionary : wordDictionaries->dictionaries) {
        if (dictionary->isEnabled() && !dictionary->isLoaded && !dictionary->isLoading) {
            dictionary->setPartsOfSpeech(partsOfSpeech);
            backgroundloading::load(dictionary);
        }
    }
}

void Core::removeWordDictionary(WordDictionary* dictionary)
{
    if (wordDictionaries->removeDictionary(dictionary) == 0) {
        removedDictionaries.emplace_back(dictionary);
    }
    emit dictionaryRemoved(dictionary);
}

// The window switches dictionaries by name, so two dictionaries must never
// share one: a name already taken gets the first free " (2)", " (3)" ...
void Core::giveUniqueName(WordDictionary* dictionary)
{
    const std::string name = dictionary->getName();
    std::string unique = name;
    for (int number = 2; wordDictionaries->getDictionaryByName(unique) != nullptr; ++number)
        unique = name + " (" + std::to_string(number) + ")";
    if (unique != name)
        dictionary->setName(unique);
}

WordDictionary* Core::dictionaryNamed(const QString& name)
{
    return wordDictionaries->getDictionaryByName(name.toUtf8().toStdString());
}

void Core::enableDictionary(QString name)
{
    WordDictionary* dictionary = dictionaryNamed(name);
    if (dictionary != nullptr && !dictionary->isEnabled()) {
        dictionary->enable();
        loadEnabledDictionaries();
    }
}

void Core::disableDictionary(QString name)
{
    WordDictionary* dictionary = dictionaryNamed(name);
    if (dictionary != nullptr && dictionary->isEnabled()) {
        dictionary->disable();
    }
}

void Core::addCharacterDictionary(CharacterDictionary* dictionary)
{
    characterDictionaries->addDictionary(dictionary);
    characterDictionaries->load();
}

void Core::addRadicalTable(RadicalTable* table)
{
    table->load();
    addLoadedRadicalTable(table);
}

void Core::addLoadedRadicalTable(RadicalTable* table)
{
    radicalTables.emplace_back(table);
    radicalTable = table;
    characterDictionaries->setRadicalTable(table);
    emit radicalTableAdded(table);
}

void Core::search(QString text, WordDictionary::SearchOptions searchOptions)
{
    const std::wstring searched = text.toStdWString();
    // A typed text is handed over only when romaji was to become kana.
    const bool converting = !typedText.isNull();
    const std::wstring typed = converting ? typedText.toStdWString() : searched;
    typedText = QString();
    const bool ranked =
        relevanceOrder
        || TypedSearch::isEnglishForMeanings(typed, searched, converting, searchOptions);
    WordResult* result = typedSearch->search(typed, searched, searchOptions, ranked);
    QStringList spellings;
    for (const std::wstring& spelling : typedSearch->getAlsoSearched())
        spellings << QString::fromStdWString(spelling);
    // Read before handing the result over: its new owner may drop it at once.
    std::set<wchar_t> characters = result->getCharacters();
    emit resultFound(result);
    emit alsoSearched(spellings);
    emit characterResultFound(characterDictionaries->search(characters));
}

void Core::setTypedText(QString typed)
{
    typedText = typed;
}

void Core::searchForKanji(std::set<wchar_t> characterSet)
{
    emit characterResultFound(characterDictionaries->search(characterSet));
}

void Core::setRelevanceOrder(bool on)
{
    relevanceOrder = on;
    wordDictionaries->setDeinflector(on ? deinflector : nullptr);
}
