#include "Kanjidic.h"
#include "internal/FileReading.h"

#include "TestFiles.h"
#include "RadicalTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using testfiles::euc;
using testfiles::TempDir;

namespace {

typedef std::vector<std::wstring> Strings;

class KanjidicTest : public ::testing::Test
{
protected:
    // Loads the bytes as the dictionary's file; the log goes to `log`.
    int loadBytes(const std::string& bytes)
    {
        dictionary.setFilename(dir.write("kanjidic", bytes));
        testing::internal::CaptureStderr();
        int status = dictionary.load();
        log = testing::internal::GetCapturedStderr();
        return status;
    }

    int loadText(const std::string& utf8)
    {
        return loadBytes(euc(utf8));
    }

    std::unique_ptr<CharacterEntry> lookUp(wchar_t kanji)
    {
        return std::unique_ptr<CharacterEntry>(dictionary.getInformation(kanji));
    }

    TempDir dir;
    Kanjidic dictionary;
    std::string log;
};

const char* const SAMPLE =
    "# KANJIDIC sample\n"
    "亜 3021 U4e9c B1 S7 S8 F1509 F20 ア つ.ぐ -つぐ T1 や つぎ {Asia} {rank next} {} \n"
    "猫 4734 U732b B94 S11 F1702 ビョウ ねこ {cat} \n"
    "丁 437A U4e01 S2 テイ チョウ あた.る T2 よぼろ {street} {ward}\n";

TEST_F(KanjidicTest, IndexesEachLineByItsUField)
{
    // The kanji written at the start of the second line is not the one of its U field.
    std::string first = euc("# comment\n");
    std::string second = euc("字 3021 U4e9c S7 {Asia}\n");
    ASSERT_EQ(loadBytes(first + second + euc("猫 4734 U732b S11\n")), 0);
    ASSERT_EQ(dictionary.indexEntries.size(), 2u);
    EXPECT_EQ(dictionary.indexEntries[0]->kanji, 0x4E9C);
    EXPECT_EQ(dictionary.indexEntries[0]->fileloc, static_cast<long>(first.size()));
    EXPECT_EQ(dictionary.indexEntries[1]->fileloc, static_cast<long>(first.size() + second.size()));
    EXPECT_EQ(dictionary.getIndexEntry(0x4E9C), dictionary.indexEntries[0]);
    EXPECT_EQ(dictionary.getIndexEntry(L'字'), nullptr);
    EXPECT_NE(log.find("loadIndexEntries: Read 2 kanjidic entries."), std::string::npos) << log;
}

TEST_F(KanjidicTest, ParsesReadingsMeaningsStrokesAndFrequency)
{
    ASSERT_EQ(loadText(SAMPLE), 0);
    auto entry = lookUp(0x4E9C);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->kanji, 0x4E9C);
    EXPECT_EQ(entry->strokeCount, 7);
    EXPECT_EQ(entry->frequency, 20);
    EXPECT_EQ(entry->on, Strings{ L"ア" });
    EXPECT_EQ(entry->kun, (Strings{ L"つ.ぐ", L"-つぐ" }));
    EXPECT_EQ(entry->nanori, (Strings{ L"や", L"つぎ" }));
    EXPECT_EQ(entry->meanings, (Strings{ L"Asia", L"rank next", L"" }));
    EXPECT_EQ(entry->radicals, L"");
    EXPECT_EQ(entry->dictionaryName, "");
}

TEST_F(KanjidicTest, ReadingModeStartsAgainOnEveryLine)
{
    ASSERT_EQ(loadText(SAMPLE), 0);
    auto cat = lookUp(L'猫');
    ASSERT_NE(cat, nullptr);
    EXPECT_EQ(cat->strokeCount, 11);
    EXPECT_EQ(cat->frequency, 1702);
    EXPECT_EQ(cat->on, Strings{ L"ビョウ" });
    EXPECT_EQ(cat->kun, Strings{ L"ねこ" });
    EXPECT_TRUE(cat->nanori.empty());

    auto street = lookUp(L'丁');
    ASSERT_NE(street, nullptr);
    EXPECT_EQ(street->frequency, 0);
    EXPECT_EQ(street->on, (Strings{ L"テイ", L"チョウ" }));
    EXPECT_EQ(street->kun, Strings{ L"あた.る" });
    EXPECT_EQ(street->nanori, Strings{ L"よぼろ" });
    EXPECT_EQ(street->meanings, (Strings{ L"street", L"ward" }));
}

TEST_F(KanjidicTest, ReadsFieldsAtTheVeryEndOfALine)
{
    ASSERT_EQ(loadText("亜 3021 U4e9c F15 S7\n猫 4734 U732b S11 F9\n丁 437A U4e01 テイ\n"), 0);
    EXPECT_EQ(lookUp(0x4E9C)->strokeCount, 7);
    EXPECT_EQ(lookUp(0x4E9C)->frequency, 15);
    EXPECT_EQ(lookUp(L'猫')->frequency, 9);
    EXPECT_EQ(lookUp(L'丁')->on, Strings{ L"テイ" });
}

TEST_F(KanjidicTest, DecodesTheLongVowelMarkInReadings)
{
    ASSERT_EQ(loadText("粍 5A3F U7c8d S10 ミリメートル {millimetre}\n"), 0);
    auto entry = lookUp(0x7C8D);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->on, Strings{ L"ミリメートル" });
}

TEST_F(KanjidicTest, AReadingCutShortEndsInCharacterZero)
{
    std::string line = euc("亜 3021 U4e9c S7 つ") + "\xa4" + euc(" {Asia}\n");
    ASSERT_EQ(loadBytes(line), 0);
    auto entry = lookUp(0x4E9C);
    ASSERT_NE(entry, nullptr);
    ASSERT_EQ(entry->kun.size(), 1u);
    EXPECT_EQ(entry->kun[0], std::wstring(L"つ") + L'\0');
    EXPECT_EQ(entry->meanings, Strings{ L"Asia" });
}

TEST_F(KanjidicTest, AnUndecodableReadingCharacterBecomesZero)
{
    std::string line = euc("亜 3021 U4e9c ア") + "\xa5\xff" + euc(" {Asia}\n");
    ASSERT_EQ(loadBytes(line), 0);
    testing::internal::CaptureStderr();
    auto entry = lookUp(0x4E9C);
    testing::internal::GetCapturedStderr();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->on, Strings{ std::wstring(L"ア") + L'\0' });
}

TEST_F(KanjidicTest, ReadsTheLastLineWithoutALineEnd)
{
    ASSERT_EQ(loadText("亜 3021 U4e9c S7\n猫 4734 U732b S11 {cat}"), 0);
    auto cat = lookUp(L'猫');
    ASSERT_NE(cat, nullptr);
    EXPECT_EQ(cat->strokeCount, 11);
    EXPECT_EQ(cat->meanings, Strings{ L"cat" });
}

TEST_F(KanjidicTest, AcceptsCrLfLineEnds)
{
    ASSERT_EQ(loadText("亜 3021 U4e9c S7 ア\r\n猫 4734 U732b S11 {cat}\r\n"), 0);
    EXPECT_EQ(lookUp(0x4E9C)->on, Strings{ L"ア" });
    EXPECT_EQ(lookUp(L'猫')->meanings, Strings{ L"cat" });
}

TEST_F(KanjidicTest, ReportsLinesWithoutAUsableUFieldByNumber)
{
    ASSERT_EQ(loadText("# comment\n亜 3021 S7\n猫 4734 Uxyz\n丁 437A U110000\n字 U5b57\n"), 0);
    EXPECT_NE(log.find("loadIndexEntries: !!! Could not find the Uxxxx entry for line #2."),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("loadIndexEntries: !!! Could not parse the Uxxxx entry for line #3."),
              std::string::npos);
    EXPECT_NE(log.find("loadIndexEntries: !!! Could not parse the Uxxxx entry for line #4."),
              std::string::npos);
    ASSERT_EQ(dictionary.indexEntries.size(), 1u);
    EXPECT_EQ(dictionary.indexEntries[0]->kanji, L'字');
}

TEST_F(KanjidicTest, ReadsLongLinesWholeAndSkipsAbsurdOnesWithAMessage)
{
    const std::string longMeaning(5000, 'x');
    const std::string absurd(fileReading::MAX_LINE_BYTES, 'z');
    std::string text = "亜 3021 U4e9c S7 {" + longMeaning + "} ア T1 つぎ {late}\n"
                       "唖 3022 U5516 S10 {" + absurd + "}\n"
                       "丁 437A U4e01 S2\n";
    ASSERT_EQ(loadText(text), 0);
    EXPECT_NE(log.find("loadIndexEntries: Skipping line #2: it is longer than 1048576 bytes."),
              std::string::npos) << log;
    ASSERT_EQ(dictionary.indexEntries.size(), 2u) << log;
    EXPECT_EQ(lookUp(L'丁')->strokeCount, 2);
    std::unique_ptr<CharacterEntry> entry = lookUp(0x4E9C);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->strokeCount, 7);
    EXPECT_EQ(entry->meanings, (Strings{std::wstring(5000, L'x'), L"late"}));
    EXPECT_EQ(entry->nanori, Strings{L"つぎ"});
    EXPECT_EQ(lookUp(0x5516), nullptr);
}

TEST_F(KanjidicTest, HoldsOversizedNumbersAtTheirLimits)
{
    ASSERT_EQ(loadText("亜 3021 U4e9c S300 F99999999999 {Asia\n"), 0);
    auto entry = lookUp(0x4E9C);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->strokeCount, 255);
    EXPECT_EQ(entry->frequency, 65535);
    // A meaning without its closing brace is empty and ends the line.
    EXPECT_EQ(entry->meanings, Strings{ L"" });
}

TEST_F(KanjidicTest, MeaningBytesAboveAsciiStayPositive)
{
    ASSERT_EQ(loadBytes(euc("亜 3021 U4e9c ") + "{caf\xe9}\n"), 0);
    EXPECT_EQ(lookUp(0x4E9C)->meanings, Strings{ L"caf\u00e9" });
}

TEST_F(KanjidicTest, SearchReturnsTheKnownKanjiInCodePointOrder)
{
    ASSERT_EQ(loadText(SAMPLE), 0);
    testing::internal::CaptureStderr();
    std::unique_ptr<std::vector<CharacterEntry*>> found(
        dictionary.search({ L'猫', L'字', L'丁', 0x4E9C }));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(found->size(), 3u);
    EXPECT_EQ((*found)[0]->kanji, L'丁');
    EXPECT_EQ((*found)[1]->kanji, 0x4E9C);
    EXPECT_EQ((*found)[2]->kanji, L'猫');
    for (CharacterEntry* entry : *found)
        delete entry;

    std::unique_ptr<std::vector<CharacterEntry*>> none(dictionary.search({}));
    ASSERT_NE(none, nullptr);
    EXPECT_TRUE(none->empty());
}

TEST_F(KanjidicTest, AddsTheRadicalsOfTheKanji)
{
    RadicalTable table;
    table.addInformationFromFile(dir.write("radkfile", euc("$ 田 5\n猫町\n$ 犯 3\n猫\n")));
    ASSERT_EQ(loadText(SAMPLE), 0);
    dictionary.setRadicalTable(&table);
    EXPECT_EQ(lookUp(L'猫')->radicals, L"田\u2EA8");
    EXPECT_EQ(lookUp(L'丁')->radicals, L"");
}

TEST_F(KanjidicTest, FailsToLoadAMissingFile)
{
    std::string missing = dir.path + "/missing";
    dictionary.setFilename(missing);
    testing::internal::CaptureStderr();
    EXPECT_EQ(dictionary.load(), -1);
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("load: Could not open the file '" + missing + "'."), std::string::npos);
    EXPECT_EQ(dictionary.getInformation(L'猫'), nullptr);
}

TEST_F(KanjidicTest, RefusesToReadWithoutIndexOrFile)
{
    CharacterEntry entry;
    KANJIDIC_Index_Entry index{ L'猫', 0 };
    testing::internal::CaptureStderr();
    EXPECT_FALSE(dictionary.loadEntryInformation(entry, &index));
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("loadEntryInformation: The file is not loaded yet."), std::string::npos);
    ASSERT_EQ(loadText(SAMPLE), 0);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(dictionary.loadEntryInformation(entry, nullptr));
    messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("loadEntryInformation: index is NULL."), std::string::npos);
    // An offset that points at the comment line.
    EXPECT_FALSE(dictionary.loadEntryInformation(entry, &index));
}

TEST_F(KanjidicTest, LoadingAgainRebuildsTheIndex)
{
    ASSERT_EQ(loadText(SAMPLE), 0);
    ASSERT_NE(lookUp(L'猫'), nullptr);
    ASSERT_EQ(dictionary.load(), 0);
    EXPECT_EQ(dictionary.indexEntries.size(), 3u);
    EXPECT_EQ(lookUp(L'猫')->strokeCount, 11);
    dictionary.setFilename(dir.path + "/missing");
    testing::internal::CaptureStderr();
    EXPECT_EQ(dictionary.load(), -1);
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(dictionary.indexEntries.empty());
}

TEST_F(KanjidicTest, SurvivesBinaryGarbage)
{
    std::string bytes = euc(SAMPLE);
    unsigned state = 7;
    for (int i = 0; i < 30000; ++i) {
        state = state * 1103515245u + 12345u;
        char c = static_cast<char>(state >> 16);
        bytes.push_back(c);
        if (i % 101 == 0)
            bytes += " U4e9c ";
        if (i % 89 == 0)
            bytes += " \xa4";
    }
    ASSERT_EQ(loadBytes(bytes), 0);
    testing::internal::CaptureStderr();
    for (KANJIDIC_Index_Entry* index : dictionary.indexEntries) {
        CharacterEntry entry;
        dictionary.loadEntryInformation(entry, index);
    }
    testing::internal::GetCapturedStderr();
}

TEST(KanjidicSmokeTest, RealFileKnowsTheCat)
{
    const std::string file = DEXARU_RUNTIME_DIR "/dictionaries/kanjidic/kanjidic.jis-x-0208-1990";
    if (!testfiles::exists(file))
        GTEST_SKIP() << "No KANJIDIC file at " << file;
    Kanjidic dictionary;
    dictionary.setFilename(file);
    ASSERT_EQ(dictionary.load(), 0);
    EXPECT_GT(dictionary.indexEntries.size(), 6000u);
    std::unique_ptr<CharacterEntry> cat(dictionary.getInformation(L'猫'));
    ASSERT_NE(cat, nullptr);
    EXPECT_EQ(cat->strokeCount, 11);
    EXPECT_NE(std::find(cat->on.begin(), cat->on.end(), L"ビョウ"), cat->on.end());
    EXPECT_NE(std::find(cat->meanings.begin(), cat->meanings.end(), L"cat"), cat->meanings.end());
    std::unique_ptr<CharacterEntry> millimetre(dictionary.getInformation(0x7C8D));
    ASSERT_NE(millimetre, nullptr);
    EXPECT_NE(std::find(millimetre->on.begin(), millimetre->on.end(), L"ミリメートル"),
              millimetre->on.end());
}

}

namespace {

TEST_F(KanjidicTest, ADirectoryFailsToLoadLikeAMissingFile)
{
    dictionary.setFilename(dir.path);
    testing::internal::CaptureStderr();
    EXPECT_EQ(dictionary.load(), -1);
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("load: Could not open the file '" + dir.path + "'."), std::string::npos)
        << messages;
    EXPECT_EQ(dictionary.file, nullptr);
}

}
