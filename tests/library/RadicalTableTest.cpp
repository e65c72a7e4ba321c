#include "RadicalTable.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <clocale>
#include <set>
#include <string>

using testfiles::euc;
using testfiles::TempDir;

namespace {

std::set<wchar_t> setOf(const std::wstring& characters)
{
    return std::set<wchar_t>(characters.begin(), characters.end());
}

class RadicalTableTest : public ::testing::Test
{
protected:
    // Reads the UTF-8 text as a RADKFILE into the table.
    int read(const std::string& text, const std::string& name = "radkfile")
    {
        return table.addInformationFromFile(dir.write(name, euc(text)));
    }

    TempDir dir;
    RadicalTable table;
};

TEST_F(RadicalTableTest, ReadsRadicalsWithSortedKanjiAcrossLines)
{
    ASSERT_EQ(read("# comment\n"
                   "$ 一 1\n"
                   "亜丁七\n"
                   "\n"
                   "万丁\n"
                   "$ 口 3 js01 extra\n"
                   "右古\n"),
              0);
    ASSERT_EQ(table.radicalList.size(), 2u);
    RadicalEntry* one = table.getRadical(L'一');
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->strokeCount, 1);
    EXPECT_EQ(one->kanjiString, L"丁七万亜");
    EXPECT_EQ(table.getRadical(L'口')->strokeCount, 3);
    EXPECT_EQ(table.getRadicals(), L"一口");
    EXPECT_EQ(table.getRadical(L'右'), nullptr);
}

TEST_F(RadicalTableTest, MergesARadicalListedInTwoFiles)
{
    ASSERT_EQ(read("$ 口 3\n右古\n", "first"), 0);
    // The message names the radical as a wide character, which needs a UTF-8 locale.
    std::string previous = setlocale(LC_CTYPE, nullptr);
    setlocale(LC_CTYPE, "C.UTF-8");
    testing::internal::CaptureStderr();
    ASSERT_EQ(read("$ 口 4\n古可右\n", "second"), 0);
    std::string log = testing::internal::GetCapturedStderr();
    setlocale(LC_CTYPE, previous.c_str());
    EXPECT_NE(log.find("addInformationFromFile: The new stroke count of 口 of 4 does not match "
                       "the existing value of 3."),
              std::string::npos)
        << log;
    ASSERT_EQ(table.radicalList.size(), 1u);
    EXPECT_EQ(table.getRadical(L'口')->strokeCount, 3);
    EXPECT_EQ(table.getRadical(L'口')->kanjiString, L"古可右");
}

TEST_F(RadicalTableTest, StoresThreeRadicalsAsTheirRadicalForms)
{
    ASSERT_EQ(read("$ 化 2\n他\n$ 犯 3\n猫\n$ 阡 3\n阪\n"), 0);
    EXPECT_EQ(table.getRadicals(), L"\u2E85\u2EA8\u2ED6");
    EXPECT_EQ(table.getRadical(0x5316), nullptr);
    ASSERT_NE(table.getRadical(0x2E85), nullptr);
    EXPECT_EQ(table.getRadical(0x2E85)->kanjiString, L"他");
}

TEST_F(RadicalTableTest, FindsKanjiThatContainEveryKnownRadical)
{
    ASSERT_EQ(read("$ 口 3\n右古可\n$ 一 1\n右丁\n$ 木 4\n本\n"), 0);
    EXPECT_EQ(table.getKanjiFromRadicals(L"口"), setOf(L"右古可"));
    EXPECT_EQ(table.getKanjiFromRadicals(L"口一"), setOf(L"右"));
    EXPECT_EQ(table.getKanjiFromRadicals(L"一口"), setOf(L"右"));
    EXPECT_TRUE(table.getKanjiFromRadicals(L"口木").empty());
    EXPECT_EQ(table.getKanjiFromRadicals(L"x口猫"), setOf(L"右古可"));
    EXPECT_TRUE(table.getKanjiFromRadicals(L"").empty());
    EXPECT_TRUE(table.getKanjiFromRadicals(L"xyz").empty());
}

TEST_F(RadicalTableTest, FindsTheRadicalsOfAKanjiInTableOrder)
{
    // The last line has no line end.
    ASSERT_EQ(read("$ 口 3\n右古可\n$ 一 1\n右丁"), 0);
    EXPECT_EQ(table.getRadicalsForKanji(L'右'), L"口一");
    EXPECT_EQ(table.getRadicalsForKanji(L'丁'), L"一");
    EXPECT_EQ(table.getRadicalsForKanji(L'猫'), L"");
}

TEST_F(RadicalTableTest, CrLfAndLfGiveTheSameTable)
{
    ASSERT_EQ(read("$ 口 3\r\n右古\r\r\n$ 一 1\r\n丁\r\n", "crlf"), 0);
    RadicalTable plain;
    ASSERT_EQ(plain.addInformationFromFile(dir.write("lf", euc("$ 口 3\n右古\n$ 一 1\n丁\n"))), 0);
    ASSERT_EQ(table.radicalList.size(), plain.radicalList.size());
    for (size_t i = 0; i < table.radicalList.size(); ++i) {
        EXPECT_EQ(table.radicalList[i]->radical, plain.radicalList[i]->radical);
        EXPECT_EQ(table.radicalList[i]->strokeCount, plain.radicalList[i]->strokeCount);
        EXPECT_EQ(table.radicalList[i]->kanjiString, plain.radicalList[i]->kanjiString);
    }
}

TEST_F(RadicalTableTest, LoadGoesOnPastAMissingFile)
{
    std::string missing = dir.path + "/missing";
    EXPECT_EQ(table.internalEncoding, "WCHAR_T");
    EXPECT_EQ(table.encoding, "EUC-JP");
    table.addFilename(missing);
    table.addFilename(dir.write("present", euc("$ 口 3\n右\n")));
    ASSERT_EQ(table.getFilenames().size(), 2u);
    EXPECT_EQ(table.getFilenames()[0], missing);
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(), 0);
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("load: Loading radical file #1, '" + missing + "'."), std::string::npos);
    EXPECT_NE(log.find("addInformationFromFile: Could not open '" + missing + "'."),
              std::string::npos);
    EXPECT_NE(log.find("load: Loading radical file #2"), std::string::npos);
    EXPECT_EQ(table.addInformationFromFile(missing), -1);
    EXPECT_EQ(table.getRadicals(), L"口");
}

TEST_F(RadicalTableTest, LoadingTwiceLeavesTheTableAsItWas)
{
    table.addFilename(dir.write("radkfile", euc("$ 口 3\n右古\n$ 口 3\n古\n")));
    table.load();
    table.load();
    ASSERT_EQ(table.radicalList.size(), 1u);
    EXPECT_EQ(table.radicalList[0]->kanjiString, L"古右");
}

TEST_F(RadicalTableTest, IgnoresKanjiBeforeTheFirstRadical)
{
    ASSERT_EQ(read("右古\n$ 口 3\n可\n"), 0);
    EXPECT_EQ(table.getRadical(L'口')->kanjiString, L"可");
}

TEST_F(RadicalTableTest, IncompleteRadicalLinesLeaveFieldsZero)
{
    ASSERT_EQ(read("$ 口\n右\n$\n古\n"), 0);
    EXPECT_EQ(table.getRadical(L'口')->strokeCount, 0);
    ASSERT_NE(table.getRadical(0), nullptr);
    EXPECT_EQ(table.getRadical(0)->kanjiString, L"古");
    // The radical that did not convert is not offered to the picker.
    EXPECT_EQ(table.getRadicals(), L"口");
}

TEST_F(RadicalTableTest, StrokeCountsBeyondEightBitsAreHeldAtTheLimit)
{
    ASSERT_EQ(read("$ 口 300\n右\n$ 一 -2\n丁\n"), 0);
    EXPECT_EQ(table.getRadical(L'口')->strokeCount, 255);
    EXPECT_EQ(table.getRadical(L'一')->strokeCount, 0);
}

TEST_F(RadicalTableTest, InvalidLinesAddNothing)
{
    std::string bytes = euc("$ 口 3\n右\n") + "\xff\xfe\x80\n" + euc("古\n") + "\xa4\n";
    ASSERT_EQ(table.addInformationFromFile(dir.write("bad", bytes)), 0);
    EXPECT_EQ(table.getRadical(L'口')->kanjiString, L"古右");
}

TEST_F(RadicalTableTest, KeepsEveryKanjiOfAVeryLongLine)
{
    std::string line;
    for (int i = 0; i < 1500; ++i)
        line += euc(i % 2 == 0 ? "右" : "古");
    ASSERT_GT(line.size(), 2047u);
    ASSERT_EQ(table.addInformationFromFile(dir.write("long", euc("$ 口 3\n") + line + "\n")), 0);
    EXPECT_EQ(table.getRadical(L'口')->kanjiString, L"古右");
}

TEST_F(RadicalTableTest, SurvivesBinaryGarbage)
{
    std::string bytes;
    unsigned state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        bytes.push_back(static_cast<char>(state >> 16));
        if (i % 97 == 0)
            bytes += "\n$ ";
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.addInformationFromFile(dir.write("garbage", bytes)), 0);
    testing::internal::GetCapturedStderr();
    for (const RadicalEntry* entry : table.radicalList) {
        for (size_t i = 1; i < entry->kanjiString.size(); ++i)
            EXPECT_LT(entry->kanjiString[i - 1], entry->kanjiString[i]);
    }
}

TEST(RadicalTableSmokeTest, RealFileFindsTheCat)
{
    const std::string file = DEXARU_RUNTIME_DIR "/dictionaries/radical/radkfile";
    if (!testfiles::exists(file))
        GTEST_SKIP() << "No radical file at " << file;
    RadicalTable table;
    table.addFilename(file);
    table.load();
    std::wstring radicals = table.getRadicalsForKanji(L'猫');
    ASSERT_FALSE(radicals.empty());
    EXPECT_NE(radicals.find(L'\u2EA8'), std::wstring::npos);
    std::set<wchar_t> kanji = table.getKanjiFromRadicals(radicals);
    EXPECT_EQ(kanji.count(L'猫'), 1u);
}

}

namespace {

TEST_F(RadicalTableTest, ADirectoryIsReportedLikeAMissingFile)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.addInformationFromFile(dir.path), -1);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("addInformationFromFile: Could not open '" + dir.path + "'."),
              std::string::npos)
        << log;
}

}
