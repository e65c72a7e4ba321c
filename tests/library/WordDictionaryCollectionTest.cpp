#include "WordDictionaryCollection.h"

#include "Edict.h"
#include "FuzzySearch.h"
#include "PartsOfSpeech.h"
#include "WordEntry.h"
#include "WordResult.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using testfiles::TempDir;
using testfiles::Utf8Locale;
using testfiles::euc;

namespace {

// A word dictionary that answers every search string with a fixed number
// of entries, and records what it was asked and when it was deleted.
class FakeDictionary : public WordDictionary
{
public:
    FakeDictionary(const std::string& dictionaryName, int answers,
                   std::vector<std::string>* deletedNames = nullptr)
        : entriesPerSearch(answers), deleted(deletedNames)
    {
        setName(dictionaryName);
    }

    ~FakeDictionary() override
    {
        if (deleted != nullptr) {
            deleted->push_back(name);
        }
    }

    int load() override
    {
        ++loadCalls;
        loadingDuringLoad = isLoading;
        tableDuringLoad = partsOfSpeech;
        return loadStatus;
    }

    std::vector<WordEntry*>* search(std::wstring text, SearchOptions*) override
    {
        searched.push_back(text);
        if (answerNull) {
            return nullptr;
        }
        std::vector<WordEntry*>* found = new std::vector<WordEntry*>();
        for (int i = 0; i < entriesPerSearch; ++i) {
            WordEntry* entry = new WordEntry();
            entry->word = text;
            entry->kana = text + std::to_wstring(1000 + i);
            found->push_back(entry);
        }
        return found;
    }

    int entriesPerSearch;
    std::vector<std::string>* deleted;
    int loadStatus = 0;
    bool answerNull = false;
    int loadCalls = 0;
    bool loadingDuringLoad = false;
    PartsOfSpeech* tableDuringLoad = nullptr;
    std::vector<std::wstring> searched;
};

WordDictionary::SearchOptions wordOptions(int limit, int extraFlags = 0)
{
    WordDictionary::SearchOptions options;
    options.searchFlags = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA | extraFlags;
    options.commonFilter = 0;
    options.limit = limit;
    options.matchAllPartsOfSpeech = false;
    return options;
}

class CollectionTest : public testing::Test
{
protected:
    FakeDictionary* add(const std::string& name, int answers)
    {
        FakeDictionary* dictionary = new FakeDictionary(name, answers, &deleted);
        collection->addDictionary(dictionary);
        return dictionary;
    }

    // Runs a collection method quietly; the collection traces every step.
    int quietLoad()
    {
        testing::internal::CaptureStderr();
        int status = collection->load();
        messages = testing::internal::GetCapturedStderr();
        return status;
    }

    WordResult* quietSearch(const std::wstring& text, WordDictionary::SearchOptions options)
    {
        testing::internal::CaptureStderr();
        WordResult* result = collection->search(text, &options);
        messages = testing::internal::GetCapturedStderr();
        return result;
    }

    // How many result entries came from the dictionary at this position.
    static int countFrom(WordResult* result, int index)
    {
        std::vector<WordEntry*> entries = result->getEntries();
        return static_cast<int>(std::count_if(entries.begin(), entries.end(),
            [index](WordEntry* entry) { return entry->dictionaryIndex == index; }));
    }

    void TearDown() override
    {
        testing::internal::CaptureStderr();
        delete collection;
        testing::internal::GetCapturedStderr();
    }

    std::vector<std::string> deleted;
    WordDictionaryCollection* collection = new WordDictionaryCollection();
    std::string messages;
};

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(CollectionTest, StartsEmptyAndSearchesNothing)
{
    EXPECT_TRUE(collection->dictionaries.empty());
    EXPECT_EQ(collection->partsOfSpeech, nullptr);
    EXPECT_EQ(collection->fuzzySearch, nullptr);
    EXPECT_EQ(quietLoad(), 0);
    WordResult* result = quietSearch(L"ねこ", wordOptions(-1));
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->getEntryCount(), 0);
    delete result;
}

TEST_F(CollectionTest, LoadSetsTheStatusAndHandsOverTheTable)
{
    PartsOfSpeech table;
    collection->setPartsOfSpeech(&table);
    FakeDictionary* good = add("good", 1);
    FakeDictionary* bad = add("bad", 1);
    bad->loadStatus = -1;

    EXPECT_EQ(quietLoad(), 0);
    EXPECT_TRUE(good->loadingDuringLoad);
    EXPECT_EQ(good->tableDuringLoad, &table);
    EXPECT_TRUE(good->isLoaded);
    EXPECT_FALSE(good->isLoading);
    EXPECT_EQ(good->percentDone, 100);
    EXPECT_FALSE(bad->isLoaded);
    EXPECT_FALSE(bad->isLoading);
    EXPECT_EQ(bad->percentDone, 0);
    EXPECT_TRUE(contains(messages, "load: Edict [ 1 ] status: -1.\n"));

    // Loaded dictionaries are passed by; failed ones are tried again.
    bad->loadStatus = 0;
    EXPECT_EQ(quietLoad(), 0);
    EXPECT_EQ(good->loadCalls, 1);
    EXPECT_EQ(bad->loadCalls, 2);
    EXPECT_TRUE(bad->isLoaded);
    EXPECT_TRUE(contains(messages, "load: Edict [ 0 ] is already loaded.\n"));

    quietLoad();
    EXPECT_TRUE(contains(messages, "load: Edict [ 1 ] is already loaded.\n"));
}

TEST_F(CollectionTest, LimitKeepsTheFirstEntriesFoundAcrossDictionaries)
{
    add("first", 150);
    add("second", 150);
    add("third", 150);
    quietLoad();

    WordResult* result = quietSearch(L"ねこ", wordOptions(200));
    EXPECT_EQ(result->getEntryCount(), 200);
    EXPECT_EQ(countFrom(result, 0), 150);
    EXPECT_EQ(countFrom(result, 1), 50);
    EXPECT_EQ(countFrom(result, 2), 0);
    for (WordEntry* entry : result->getEntries()) {
        EXPECT_EQ(entry->dictionaryName, entry->dictionaryIndex == 0 ? "first" : "second");
    }
    delete result;

    result = quietSearch(L"ねこ", wordOptions(-1));
    EXPECT_EQ(result->getEntryCount(), 450);
    delete result;
}

TEST_F(CollectionTest, LimitZeroGivesAnEmptyResultAfterSearching)
{
    FakeDictionary* dictionary = add("only", 5);
    quietLoad();
    WordResult* result = quietSearch(L"ねこ", wordOptions(0));
    EXPECT_EQ(result->getEntryCount(), 0);
    EXPECT_EQ(dictionary->searched.size(), 1u);
    delete result;
}

TEST_F(CollectionTest, ResultIsSorted)
{
    add("only", 3);
    quietLoad();
    WordResult* result = quietSearch(L"ねこ", wordOptions(-1));
    std::vector<WordEntry*> entries = result->getEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0]->kana, L"ねこ1000");
    EXPECT_EQ(entries[2]->kana, L"ねこ1002");
    delete result;
}

TEST_F(CollectionTest, DisabledAndUnloadedDictionariesArePassedBy)
{
    FakeDictionary* disabled = add("disabled", 2);
    FakeDictionary* failed = add("failed", 2);
    add("working", 2);
    failed->loadStatus = -1;
    quietLoad();
    disabled->disable();

    WordResult* result = quietSearch(L"ねこ", wordOptions(-1));
    EXPECT_TRUE(disabled->searched.empty());
    EXPECT_TRUE(failed->searched.empty());
    EXPECT_TRUE(contains(messages, "search: Edict [ 0 ] is not enabled.\n"));
    EXPECT_TRUE(contains(messages, "search: Edict [ 1 ] is not loaded.\n"));
    EXPECT_EQ(result->getEntryCount(), 2);
    EXPECT_EQ(countFrom(result, 2), 2);  // positions count every dictionary
    delete result;

    disabled->enable();
    result = quietSearch(L"ねこ", wordOptions(-1));
    EXPECT_EQ(countFrom(result, 0), 2);
    delete result;
}

TEST_F(CollectionTest, NullAnswerIsReportedAndTheSearchGoesOn)
{
    FakeDictionary* broken = add("broken", 2);
    add("working", 2);
    broken->answerNull = true;
    quietLoad();
    WordResult* result = quietSearch(L"ねこ", wordOptions(-1));
    EXPECT_TRUE(contains(messages, "search: !!! Edict [ 0 ] gave the null result set back.\n"));
    EXPECT_EQ(result->getEntryCount(), 2);
    delete result;
}

TEST_F(CollectionTest, NullOptionsGiveAnEmptyResult)
{
    FakeDictionary* dictionary = add("only", 2);
    quietLoad();
    testing::internal::CaptureStderr();
    WordResult* result = collection->search(L"ねこ", nullptr);
    testing::internal::GetCapturedStderr();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->getEntryCount(), 0);
    EXPECT_TRUE(dictionary->searched.empty());
    delete result;
}

TEST_F(CollectionTest, FuzzySearchAsksForTheTextThenEachVariant)
{
    FuzzySearch rules;
    FuzzySearch_Info rule;
    rule.expression = L"*ました";
    rule.replace = {L"*る", L"*ます"};
    rules.fuzzysearchInfo.push_back(rule);
    FakeDictionary* dictionary = add("only", 1);
    quietLoad();

    WordResult* result = quietSearch(L"たべました", wordOptions(-1, WordDictionary::SEARCH_FUZZY));
    EXPECT_EQ(dictionary->searched, (std::vector<std::wstring>{L"たべました"}));
    EXPECT_TRUE(contains(messages, "search: No fuzzy search instance has been set.\n"));
    delete result;

    collection->setFuzzySearch(&rules);
    dictionary->searched.clear();
    result = quietSearch(L"たべました", wordOptions(-1, WordDictionary::SEARCH_FUZZY));
    EXPECT_EQ(dictionary->searched,
              (std::vector<std::wstring>{L"たべました", L"たべる", L"たべます"}));
    EXPECT_TRUE(contains(messages, "search: Got 2 fuzzy strings back.\n"));
    EXPECT_EQ(result->getEntryCount(), 3);
    delete result;

    // Without the flag the rules are not used.
    dictionary->searched.clear();
    result = quietSearch(L"たべました", wordOptions(-1));
    EXPECT_EQ(dictionary->searched.size(), 1u);
    delete result;
}

TEST_F(CollectionTest, RefusesNullAndDictionariesAlreadyAdded)
{
    FakeDictionary* once = add("once", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(collection->addDictionary(once), 1);
    EXPECT_EQ(collection->addDictionary(nullptr), 1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(collection->dictionaries.size(), 1u);
}

TEST_F(CollectionTest, NamesAndLookupByName)
{
    add("edict", 0);
    FakeDictionary* second = add("compdic", 0);
    add("edict", 0);
    EXPECT_EQ(collection->getDictionaryNames(),
              (std::vector<std::string>{"edict", "compdic", "edict"}));
    EXPECT_EQ(collection->getDictionaryByName("edict"), collection->dictionaries[0]);
    EXPECT_EQ(collection->getDictionaryByName("compdic"), second);
    EXPECT_EQ(collection->getDictionaryByName("Edict"), nullptr);
}

TEST_F(CollectionTest, RemovingGivesTheDictionaryBackAndShiftsPositions)
{
    FakeDictionary* first = add("first", 1);
    add("second", 1);
    quietLoad();
    FakeDictionary stranger("stranger", 0);
    EXPECT_EQ(collection->removeDictionary(&stranger), 1);
    EXPECT_EQ(collection->dictionaries.size(), 2u);

    EXPECT_EQ(collection->removeDictionary(first), 0);
    EXPECT_TRUE(deleted.empty());
    WordResult* result = quietSearch(L"ねこ", wordOptions(-1));
    ASSERT_EQ(result->getEntryCount(), 1);
    EXPECT_EQ(result->getEntries()[0]->dictionaryIndex, 0);
    EXPECT_EQ(result->getEntries()[0]->dictionaryName, "second");
    delete result;
    delete first;  // the caller owns it again
    EXPECT_EQ(deleted, (std::vector<std::string>{"first"}));
}

TEST_F(CollectionTest, DestroysItsDictionariesLastAddedFirst)
{
    add("a", 0);
    add("b", 0);
    add("c", 0);
    testing::internal::CaptureStderr();
    delete collection;
    std::string written = testing::internal::GetCapturedStderr();
    collection = new WordDictionaryCollection();
    EXPECT_EQ(deleted, (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_TRUE(contains(written, "Deleting dictionary 'c'."));
}

TEST(CollectionEdictTest, FuzzySearchFindsTheDictionaryFormInAnEdictFile)
{
    Utf8Locale locale;
    TempDir dir;
    std::string file = dir.write("edict", euc(
        "食べる [たべる] /(v1,vt) to eat/(P)/\n"
        "飲む [のむ] /(v5m,vt) to drink/(P)/\n"
        "高い [たかい] /(adj-i) high/tall/expensive/(P)/\n"));
    PartsOfSpeech table;
    ASSERT_EQ(table.load(dir.write("pos.drx", "v1\tichidan verb\nv5m\tgodan verb\nvt\ttransitive\n")), 0);
    FuzzySearch rules;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(rules.loadFromFile(DEXARU_SOURCE_DIR "/data/fuzzysearch.uni.dat"));
    Edict* edict = new Edict();
    edict->setName("test");
    edict->setFilename(file);
    WordDictionaryCollection collection;
    collection.setPartsOfSpeech(&table);
    collection.setFuzzySearch(&rules);
    collection.addDictionary(edict);
    collection.load();

    WordDictionary::SearchOptions options = wordOptions(-1, WordDictionary::SEARCH_FUZZY);
    WordResult* eaten = collection.search(L"たべました", &options);
    WordResult* drunk = collection.search(L"のんだ", &options);
    WordResult* plain = collection.search(L"たかかった", &options);
    testing::internal::GetCapturedStderr();

    ASSERT_GE(eaten->getEntryCount(), 1);
    WordEntry* entry = eaten->getEntries()[0];
    EXPECT_EQ(entry->word, L"食べる");
    EXPECT_EQ(entry->dictionaryName, "test");
    ASSERT_EQ(entry->meaningsSize, 1);
    EXPECT_EQ(entry->meanings[0], "to eat");
    ASSERT_EQ(entry->info.size(), 2u);
    EXPECT_EQ(entry->info[0]->abbreviation, "v1");
    ASSERT_GE(drunk->getEntryCount(), 1);
    EXPECT_EQ(drunk->getEntries()[0]->word, L"飲む");
    ASSERT_GE(plain->getEntryCount(), 1);
    EXPECT_EQ(plain->getEntries()[0]->word, L"高い");
    delete eaten;
    delete drunk;
    delete plain;
}

TEST(CollectionEdictTest, RealEdictFindsConjugatedWords)
{
    const char* path = DEXARU_RUNTIME_DIR "/dictionaries/edict/edict";
    if (FILE* probe = std::fopen(path, "rb")) {
        std::fclose(probe);
    } else {
        GTEST_SKIP() << "the real EDICT is not installed at " << path;
    }
    Utf8Locale locale;
    PartsOfSpeech table;
    FuzzySearch rules;
    WordDictionaryCollection collection;
    testing::internal::CaptureStderr();
    table.load(DEXARU_SOURCE_DIR "/data/partsofspeech.drx");
    rules.loadFromFile(DEXARU_SOURCE_DIR "/data/fuzzysearch.uni.dat");
    Edict* edict = new Edict();
    edict->setName("edict");
    edict->setFilename(path);
    collection.setPartsOfSpeech(&table);
    collection.setFuzzySearch(&rules);
    collection.addDictionary(edict);
    collection.load();
    WordDictionary::SearchOptions options = wordOptions(200, WordDictionary::SEARCH_FUZZY);
    WordResult* result = collection.search(L"たべました", &options);
    testing::internal::GetCapturedStderr();

    bool found = false;
    for (WordEntry* entry : result->getEntries()) {
        if (entry->word == L"食べる") {
            found = true;
            EXPECT_TRUE(entry->isCommon);
            ASSERT_GE(entry->meaningsSize, 1);
            EXPECT_EQ(entry->meanings[0], "(1) to eat");
        }
    }
    EXPECT_TRUE(found);
    delete result;
}
