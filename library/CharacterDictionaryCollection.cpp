#include "CharacterDictionaryCollection.h"

#include "Log.h"
#include "internal/DictionaryLoading.h"

#include <algorithm>

CharacterDictionaryCollection::CharacterDictionaryCollection() : radicalTable(nullptr)
{
}

CharacterDictionaryCollection::~CharacterDictionaryCollection()
{
    for (auto it = dictionaries.rbegin(); it != dictionaries.rend(); ++it)
        delete *it;
}

int CharacterDictionaryCollection::addDictionary(CharacterDictionary* dictionary)
{
    // Every other operation dereferences the dictionaries it holds.
    if (dictionary == nullptr)
        return 0;
    // Owning one dictionary twice would delete it twice.
    if (std::find(dictionaries.begin(), dictionaries.end(), dictionary) != dictionaries.end()) {
        Log::write(3, "%s: Refused a null or already added dictionary.", "addDictionary");
        return 1;
    }
    dictionary->setRadicalTable(radicalTable);
    dictionaries.push_back(dictionary);
    return 0;
}

int CharacterDictionaryCollection::setRadicalTable(RadicalTable* table)
{
    radicalTable = table;
    for (CharacterDictionary* dictionary : dictionaries)
        dictionary->setRadicalTable(table);
    return 0;
}

std::vector<std::string> CharacterDictionaryCollection::getDictionaryNames()
{
    std::vector<std::string> names;
    for (CharacterDictionary* dictionary : dictionaries)
        names.push_back(dictionary->getName());
    return names;
}

int CharacterDictionaryCollection::load()
{
    internal::loadEachDictionary(dictionaries, "CharacterDictionary", [](CharacterDictionary*) {});
    return 0;
}

CharacterResult* CharacterDictionaryCollection::search(std::set<wchar_t> kanji)
{
    CharacterResult* result = new CharacterResult();
    Log::write(7, "%s: Going through the dictionaries...", "search");
    for (size_t i = 0; i < dictionaries.size(); ++i) {
        CharacterDictionary* dictionary = dictionaries[i];
        const int index = static_cast<int>(i);
        Log::write(7, "%s: Working on dictionary [ %d ]...", "search", index);
        if (!dictionary->isLoaded) {
            Log::write(7, "%s: Edict [ %d ] is not loaded.", "search", index);
            continue;
        }
        std::vector<CharacterEntry*>* found = dictionary->search(kanji);
        if (found == nullptr) {
            Log::write(3, "%s: !!! Edict [ %d ] gave the null result set back.", "search", index);
            continue;
        }
        Log::write(7, "%s: Edict [ %d ] gave back %d results.", "search", index,
                   static_cast<int>(found->size()));
        for (CharacterEntry* entry : *found) {
            if (entry == nullptr)
                continue;
            entry->dictionaryName = dictionary->name;
            entry->dictionaryIndex = index;
            result->addEntry(entry);
        }
        delete found;
    }
    result->sort();
    return result;
}
