#include "CharacterResult.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CharacterEntry* makeEntry(wchar_t kanji, unsigned strokes, unsigned frequency)
{
    CharacterEntry* entry = new CharacterEntry();
    entry->kanji = kanji;
    entry->strokeCount = static_cast<uint8_t>(strokes);
    entry->frequency = static_cast<uint16_t>(frequency);
    return entry;
}

std::wstring kanjiInOrder(CharacterResult& result)
{
    std::wstring kanji;
    result.resetNextEntry();
    while (CharacterEntry* entry = result.getNextEntry())
        kanji.push_back(entry->kanji);
    return kanji;
}

TEST(CharacterResultTest, AnEmptyResultHasNothingToGive)
{
    CharacterResult result;
    EXPECT_EQ(result.entryIndex, -1);
    EXPECT_EQ(result.getEntryCount(), 0);
    EXPECT_EQ(result.getNextEntry(), nullptr);
    EXPECT_TRUE(result.getEntries().empty());
    EXPECT_EQ(result.sort(), 0);
}

TEST(CharacterResultTest, DefaultOrderIsStrokesThenFrequencyThenCodePoint)
{
    CharacterResult result;
    result.addEntry(makeEntry(L'猫', 11, 1702));
    result.addEntry(makeEntry(L'丁', 2, 1312));
    result.addEntry(makeEntry(L'乙', 0, 0));        // no stroke count in the file
    result.addEntry(makeEntry(L'七', 2, 0));        // no frequency rank
    result.addEntry(makeEntry(L'二', 2, 5));
    result.addEntry(makeEntry(L'人', 2, 5));        // ties with 二 on both counts
    EXPECT_EQ(kanjiInOrder(result), L"猫丁乙七二人");
    result.sort();
    EXPECT_EQ(kanjiInOrder(result), L"乙七二人丁猫");
    EXPECT_EQ(result.getEntryCount(), 6);
}

TEST(CharacterResultTest, SorterColumnsAndOrdersCanBeChanged)
{
    CharacterResult result;
    result.addEntry(makeEntry(L'丁', 2, 30));
    result.addEntry(makeEntry(L'猫', 11, 10));
    result.addEntry(makeEntry(L'七', 2, 20));
    result.sorter->clear();
    result.sorter->addColumn(CharacterResult::SORT_FREQUENCY, CharacterResult::ORDER_DESCENDING);
    result.sort();
    EXPECT_EQ(kanjiInOrder(result), L"丁七猫");

    result.sorter->clear();
    result.sorter->addColumn(CharacterResult::SORT_STROKE_COUNT, CharacterResult::ORDER_DESCENDING);
    result.sorter->addColumn(CharacterResult::SORT_KANJI, CharacterResult::ORDER_ASCENDING);
    result.sort();
    EXPECT_EQ(kanjiInOrder(result), L"猫丁七");

    result.resetSort();
    ASSERT_EQ(result.sorter->columns.size(), 3u);
    EXPECT_EQ(result.sorter->columns[0], CharacterResult::SORT_STROKE_COUNT);
    EXPECT_EQ(result.sorter->columnOrder[0], CharacterResult::ORDER_ASCENDING);
    EXPECT_EQ(kanjiInOrder(result), L"猫丁七") << "resetSort does not reorder";
}

TEST(CharacterResultTest, ComparesOnlyByColumnsThatDecide)
{
    CharacterEntry a;
    CharacterEntry b;
    a.kanji = L'丁';
    b.kanji = L'七';
    CharacterEnhancedEntry rowA{ &a, true };
    CharacterEnhancedEntry rowB{ &b, true };
    CharacterResultSorter sorter;
    EXPECT_FALSE(sorter(&rowA, &rowB));
    EXPECT_FALSE(sorter(&rowB, &rowA));
    sorter.addColumn(static_cast<CharacterResult::Sort>(7), CharacterResult::ORDER_ASCENDING);
    sorter.addColumn(CharacterResult::SORT_STROKE_COUNT, CharacterResult::ORDER_ASCENDING);
    EXPECT_FALSE(sorter(&rowA, &rowB));
    sorter.addColumn(CharacterResult::SORT_KANJI, CharacterResult::ORDER_DESCENDING);
    EXPECT_FALSE(sorter(&rowA, &rowB));
    EXPECT_TRUE(sorter(&rowB, &rowA));
    CharacterResultSorter copy(sorter);
    EXPECT_EQ(copy.columns, sorter.columns);
    EXPECT_EQ(copy.columnOrder, sorter.columnOrder);
}

TEST(CharacterResultTest, SortsKanjiAsSignedCodePoints)
{
    CharacterResult result;
    result.addEntry(makeEntry(0x10000, 1, 1));
    result.addEntry(makeEntry(-1, 1, 1));
    result.addEntry(makeEntry(L'一', 1, 1));
    result.sort();
    EXPECT_EQ(kanjiInOrder(result), (std::wstring{ -1, L'一', 0x10000 }));
}

TEST(CharacterResultTest, IterationSkipsHiddenRowsAndStaysAtTheEnd)
{
    CharacterResult result;
    result.addEntry(makeEntry(L'一', 1, 0));
    result.addEntry(makeEntry(L'丁', 2, 0));
    result.addEntry(makeEntry(L'七', 2, 0));
    result.entries[1]->isVisible = false;
    EXPECT_EQ(result.getEntryCount(), 2);
    EXPECT_EQ(result.getNextEntry()->kanji, L'一');
    EXPECT_EQ(result.getNextEntry()->kanji, L'七');
    EXPECT_EQ(result.getNextEntry(), nullptr);
    EXPECT_EQ(result.getNextEntry(), nullptr);
    result.resetNextEntry();
    EXPECT_EQ(result.getNextEntry()->kanji, L'一');
    std::vector<CharacterEntry*> visible = result.getEntries();
    ASSERT_EQ(visible.size(), 2u);
    EXPECT_EQ(visible[1]->kanji, L'七');
}

TEST(CharacterResultTest, IgnoresANullEntry)
{
    CharacterResult result;
    EXPECT_EQ(result.addEntry(nullptr), 0);
    EXPECT_EQ(result.getEntryCount(), 0);
    EXPECT_TRUE(result.entries.empty());
}

TEST(CharacterResultTest, FilterIsNotImplemented)
{
    CharacterResult result;
    result.addEntry(makeEntry(L'一', 1, 0));
    CharacterDictionary::SearchOptions options;
    testing::internal::CaptureStderr();
    EXPECT_EQ(result.filter(L"一", &options), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "filter: NOT IMPLEMENTED.\n");
    EXPECT_EQ(result.resetFilter(), 0);
    EXPECT_EQ(result.getEntryCount(), 1);
}

}
