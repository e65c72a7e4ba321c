#include "CharacterDictionaryCollection.h"

#include "TestFiles.h"
#include "Kanjidic.h"
#include "RadicalTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

using testfiles::euc;
using testfiles::TempDir;

namespace {

// A character dictionary that knows a fixed set of kanji and records what
// happens to it.
class FakeDictionary : public CharacterDictionary
{
public:
    FakeDictionary(const std::string& name, std::wstring known, std::vector<std::string>* deleted)
        : known(std::move(known)), deleted(deleted)
    {
        setName(name);
    }

    ~FakeDictionary() override
    {
        if (deleted != nullptr)
            deleted->push_back(name);
    }

    int load() override
    {
        ++loads;
        return loadStatus;
    }

    CharacterEntry* getInformation(wchar_t kanji) override
    {
        if (known.find(kanji) == std::wstring::npos)
            return nullptr;
        CharacterEntry* entry = new CharacterEntry();
        entry->kanji = kanji;
        entry->strokeCount = static_cast<uint8_t>(known.find(kanji) + 1);
        return entry;
    }

    std::vector<CharacterEntry*>* search(std::set<wchar_t> kanji) override
    {
        if (failSearch)
            return nullptr;
        auto* found = new std::vector<CharacterEntry*>();
        for (wchar_t c : kanji) {
            if (CharacterEntry* entry = getInformation(c))
                found->push_back(entry);
        }
        return found;
    }

    std::wstring known;
    std::vector<std::string>* deleted;
    int loadStatus = 0;
    int loads = 0;
    bool failSearch = false;
};

std::string captureLoad(CharacterDictionaryCollection& collection)
{
    testing::internal::CaptureStderr();
    collection.load();
    return testing::internal::GetCapturedStderr();
}

TEST(CharacterDictionaryCollectionTest, EmptyCollectionLoadsAndSearchesNothing)
{
    CharacterDictionaryCollection collection;
    EXPECT_EQ(captureLoad(collection), "load: Loading the dictionaries...\n");
    std::unique_ptr<CharacterResult> result(collection.search({ L'猫' }));
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->getEntryCount(), 0);
    EXPECT_TRUE(collection.getDictionaryNames().empty());
}

TEST(CharacterDictionaryCollectionTest, LoadsEachDictionaryOnceAndRetriesFailures)
{
    CharacterDictionaryCollection collection;
    auto* good = new FakeDictionary("good", L"一", nullptr);
    auto* bad = new FakeDictionary("bad", L"一", nullptr);
    bad->loadStatus = -1;
    collection.addDictionary(good);
    collection.addDictionary(bad);
    EXPECT_EQ(good->loads, 0);

    std::string log = captureLoad(collection);
    EXPECT_NE(log.find("load: Working on dictionary [ 1 ]..."), std::string::npos);
    EXPECT_NE(log.find("load: CharacterDictionary [ 0 ] status: 0."), std::string::npos);
    EXPECT_NE(log.find("load: CharacterDictionary [ 1 ] status: -1."), std::string::npos);
    EXPECT_TRUE(good->isLoaded);
    EXPECT_EQ(good->percentDone, 100);
    EXPECT_FALSE(good->isLoading);
    EXPECT_FALSE(bad->isLoaded);
    EXPECT_EQ(bad->percentDone, 0);

    log = captureLoad(collection);
    EXPECT_NE(log.find("load: CharacterDictionary [ 0 ] is already loaded."), std::string::npos);
    EXPECT_EQ(good->loads, 1);
    EXPECT_EQ(bad->loads, 2);

    bad->isLoading = true;
    log = captureLoad(collection);
    EXPECT_NE(log.find("load: CharacterDictionary [ 1 ] is already loading."), std::string::npos);
    EXPECT_EQ(bad->loads, 2);
}

TEST(CharacterDictionaryCollectionTest, EveryDictionaryGetsTheRadicalTable)
{
    RadicalTable table;
    RadicalTable other;
    CharacterDictionaryCollection collection;
    auto* before = new FakeDictionary("before", L"", nullptr);
    before->setRadicalTable(&other);
    collection.addDictionary(before);
    EXPECT_EQ(before->radicalTable, nullptr);
    collection.setRadicalTable(&table);
    EXPECT_EQ(before->radicalTable, &table);
    auto* after = new FakeDictionary("after", L"", nullptr);
    collection.addDictionary(after);
    EXPECT_EQ(after->radicalTable, &table);
    EXPECT_EQ(collection.getDictionaryNames(), (std::vector<std::string>{ "before", "after" }));
}

TEST(CharacterDictionaryCollectionTest, MergesTheEntriesOfAllLoadedDictionaries)
{
    CharacterDictionaryCollection collection;
    auto* first = new FakeDictionary("first", L"猫一", nullptr);
    auto* unloaded = new FakeDictionary("unloaded", L"猫", nullptr);
    auto* failing = new FakeDictionary("failing", L"猫", nullptr);
    auto* second = new FakeDictionary("second", L"丁猫", nullptr);
    unloaded->loadStatus = 1;
    failing->failSearch = true;
    for (FakeDictionary* dictionary : { first, unloaded, failing, second })
        collection.addDictionary(dictionary);
    captureLoad(collection);

    testing::internal::CaptureStderr();
    std::unique_ptr<CharacterResult> result(collection.search({ L'猫', L'一', L'丁', L'字' }));
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("search: Going through the dictionaries..."), std::string::npos);
    EXPECT_NE(log.find("search: Edict [ 1 ] is not loaded."), std::string::npos);
    EXPECT_NE(log.find("search: !!! Edict [ 2 ] gave the null result set back."), std::string::npos);
    EXPECT_NE(log.find("search: Edict [ 3 ] gave back 2 results."), std::string::npos);

    ASSERT_EQ(result->getEntryCount(), 4);
    std::vector<CharacterEntry*> entries = result->getEntries();
    // By stroke count, then code point: 丁 (1), 猫 of "first" (1), 一 (2), 猫 of "second" (2).
    EXPECT_EQ(entries[0]->kanji, L'丁');
    EXPECT_EQ(entries[0]->dictionaryName, "second");
    EXPECT_EQ(entries[0]->dictionaryIndex, 3);
    EXPECT_EQ(entries[1]->kanji, L'猫');
    EXPECT_EQ(entries[1]->dictionaryName, "first");
    EXPECT_EQ(entries[1]->dictionaryIndex, 0);
    EXPECT_EQ(entries[2]->kanji, L'一');
    EXPECT_EQ(entries[3]->kanji, L'猫');
    EXPECT_EQ(entries[3]->dictionaryName, "second");
}

TEST(CharacterDictionaryCollectionTest, AnEmptySetGivesAnEmptyResult)
{
    CharacterDictionaryCollection collection;
    collection.addDictionary(new FakeDictionary("only", L"猫", nullptr));
    captureLoad(collection);
    testing::internal::CaptureStderr();
    std::unique_ptr<CharacterResult> result(collection.search({}));
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("search: Edict [ 0 ] gave back 0 results."), std::string::npos);
    EXPECT_EQ(result->getEntryCount(), 0);
}

TEST(CharacterDictionaryCollectionTest, DeletesDictionariesLastFirstButNotTheTable)
{
    std::vector<std::string> deleted;
    RadicalTable table;
    {
        CharacterDictionaryCollection collection;
        collection.setRadicalTable(&table);
        collection.addDictionary(new FakeDictionary("a", L"", &deleted));
        collection.addDictionary(new FakeDictionary("b", L"", &deleted));
        EXPECT_EQ(collection.addDictionary(nullptr), 0);
        EXPECT_EQ(collection.dictionaries.size(), 2u);
    }
    EXPECT_EQ(deleted, (std::vector<std::string>{ "b", "a" }));
    EXPECT_TRUE(table.getRadicals().empty());
}

TEST(CharacterDictionaryCollectionTest, LooksUpKanjiWithTheirRadicals)
{
    TempDir dir;
    RadicalTable table;
    table.addFilename(dir.write("radkfile", euc("$ 田 5\n猫\n$ 犯 3\n猫\n")));
    table.load();
    auto* kanjidic = new Kanjidic();
    kanjidic->setName("The usual Kanjidic");
    kanjidic->setFilename(dir.write("kanjidic", euc("猫 4734 U732b S11 F1702 ビョウ ねこ {cat}\n"
                                                    "丁 437A U4e01 S2 F1312 テイ {street}\n")));
    CharacterDictionaryCollection collection;
    collection.addDictionary(kanjidic);
    captureLoad(collection);
    collection.setRadicalTable(&table);
    testing::internal::CaptureStderr();
    std::unique_ptr<CharacterResult> result(collection.search({ L'猫', L'の', L'丁' }));
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(result->getEntryCount(), 2);
    CharacterEntry* street = result->getNextEntry();
    CharacterEntry* cat = result->getNextEntry();
    EXPECT_EQ(street->kanji, L'丁');
    EXPECT_EQ(cat->kanji, L'猫');
    EXPECT_EQ(cat->radicals, L"田\u2EA8");
    EXPECT_EQ(cat->dictionaryName, "The usual Kanjidic");
}

}

TEST(CharacterDictionaryCollectionTest, RefusesADictionaryAlreadyAdded)
{
    // Owning it twice would delete it twice.
    std::vector<std::string> deleted;
    {
        CharacterDictionaryCollection collection;
        FakeDictionary* once = new FakeDictionary("once", L"", &deleted);
        EXPECT_EQ(collection.addDictionary(once), 0);
        testing::internal::CaptureStderr();
        EXPECT_EQ(collection.addDictionary(once), 1);
        const std::string messages = testing::internal::GetCapturedStderr();
        EXPECT_NE(messages.find("addDictionary: Refused a null or already added dictionary.\n"),
                  std::string::npos)
            << messages;
        EXPECT_EQ(collection.dictionaries.size(), 1u);
    }
    EXPECT_EQ(deleted, (std::vector<std::string>{"once"}));
}
