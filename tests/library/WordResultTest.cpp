#include "WordResult.h"

#include "WordEntry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

WordEntry* makeEntry(const std::wstring& word, const std::wstring& kana, bool isCommon = false)
{
    WordEntry* entry = new WordEntry();
    entry->word = word;
    entry->kana = kana;
    entry->isCommon = isCommon;
    return entry;
}

// The words of the visible entries, in iteration order.
std::vector<std::wstring> iterate(WordResult& result)
{
    std::vector<std::wstring> words;
    result.resetNextEntry();
    for (WordEntry* entry = result.getNextEntry(); entry != nullptr; entry = result.getNextEntry()) {
        words.push_back(entry->word);
    }
    return words;
}

EnhancedEntry* makeRow(const std::wstring& word, const std::wstring& kana, bool isCommon)
{
    EnhancedEntry* row = new EnhancedEntry();
    row->entry = makeEntry(word, kana, isCommon);
    return row;
}

} // namespace

TEST(WordResultTest, EmptyResult)
{
    WordResult result;
    EXPECT_EQ(result.entryIndex, -1);
    EXPECT_EQ(result.getEntryCount(), 0);
    EXPECT_EQ(result.getNextEntry(), nullptr);
    EXPECT_TRUE(result.getEntries().empty());
    EXPECT_TRUE(result.getCharacters().empty());
    EXPECT_EQ(result.sort(), 0);
    EXPECT_EQ(result.addEntry(nullptr), 1);
    EXPECT_EQ(result.getEntryCount(), 0);
}

TEST(WordResultTest, InstallsTheDefaultColumns)
{
    WordResult result;
    ASSERT_NE(result.sorter, nullptr);
    EXPECT_EQ(result.sorter->columns,
              (std::vector<WordResult::Sort>{WordResult::SORT_KANA, WordResult::SORT_WORD,
                                             WordResult::SORT_COMMON}));
    EXPECT_EQ(result.sorter->columnOrder,
              (std::vector<WordResult::Order>{WordResult::ORDER_ASCENDING, WordResult::ORDER_ASCENDING,
                                              WordResult::ORDER_DESCENDING}));
    result.sorter->clear();
    result.sorter->addColumn(WordResult::SORT_WORD_LENGTH, WordResult::ORDER_DESCENDING);
    EXPECT_EQ(result.resetSort(), 0);
    EXPECT_EQ(result.sorter->columns.size(), 3u);
    EXPECT_EQ(result.sorter->columns[0], WordResult::SORT_KANA);
}

TEST(WordResultTest, IteratesInInsertionOrderUntilSortedAndStaysAtTheEnd)
{
    WordResult result;
    result.addEntry(makeEntry(L"犬", L"いぬ"));
    result.addEntry(makeEntry(L"猫", L"ねこ"));
    result.addEntry(makeEntry(L"赤", L"あか"));
    EXPECT_EQ(result.getEntryCount(), 3);
    EXPECT_EQ(result.getNextEntry()->word, L"犬");
    EXPECT_EQ(result.getNextEntry()->word, L"猫");
    EXPECT_EQ(result.getNextEntry()->word, L"赤");
    EXPECT_EQ(result.getNextEntry(), nullptr);
    EXPECT_EQ(result.getNextEntry(), nullptr);
    result.resetNextEntry();
    EXPECT_EQ(result.getNextEntry()->word, L"犬");

    // Sorting keeps the cursor where it is.
    result.sort();
    EXPECT_EQ(result.entryIndex, 0);
    EXPECT_EQ(result.getNextEntry()->word, L"犬");
    EXPECT_EQ(iterate(result), (std::vector<std::wstring>{L"赤", L"犬", L"猫"}));
}

TEST(WordResultTest, InvisibleRowsArePassedOverByEveryReader)
{
    WordResult result;
    result.addEntry(makeEntry(L"x", L"x"));
    result.addEntry(makeEntry(L"猫", L"ねこ"));
    result.addEntry(makeEntry(L"y", L"y"));
    result.entries[0]->isVisible = false;
    result.entries[2]->isVisible = false;
    EXPECT_EQ(result.getEntryCount(), 1);
    EXPECT_EQ(iterate(result), (std::vector<std::wstring>{L"猫"}));
    ASSERT_EQ(result.getEntries().size(), 1u);
    EXPECT_EQ(result.getEntries()[0], result.entries[1]->entry);
    EXPECT_EQ(result.getCharacters(), (std::set<wchar_t>{L'猫'}));
}

TEST(WordResultTest, DefaultSortByReadingThenWordThenCommonFirst)
{
    WordResult result;
    result.addEntry(makeEntry(L"ネコ", L"ネコ"));
    result.addEntry(makeEntry(L"猫", L"ねこ", false));
    result.addEntry(makeEntry(L"根子", L"ねこ"));
    result.addEntry(makeEntry(L"猫", L"ねこ", true));
    result.addEntry(makeEntry(L"寝", L"ね"));
    result.sort();
    std::vector<WordEntry*> sorted = result.getEntries();
    ASSERT_EQ(sorted.size(), 5u);
    EXPECT_EQ(sorted[0]->kana, L"ね");  // a proper prefix goes first
    EXPECT_EQ(sorted[1]->word, L"根子");  // 根 U+6839 < 猫 U+732B
    EXPECT_EQ(sorted[2]->word, L"猫");
    EXPECT_TRUE(sorted[2]->isCommon);
    EXPECT_EQ(sorted[3]->word, L"猫");
    EXPECT_FALSE(sorted[3]->isCommon);
    EXPECT_EQ(sorted[4]->kana, L"ネコ");  // katakana after every hiragana reading
}

TEST(WordResultTest, ManyEqualEntriesAllStay)
{
    WordResult result;
    for (int i = 0; i < 500; ++i) {
        result.addEntry(makeEntry(L"同じ", L"おなじ", i % 3 == 0));
    }
    result.sort();
    EXPECT_EQ(result.getEntryCount(), 500);
    std::vector<WordEntry*> sorted = result.getEntries();
    std::set<WordEntry*> distinct(sorted.begin(), sorted.end());
    EXPECT_EQ(distinct.size(), 500u);
    // Common entries first, all 167 of them.
    for (int i = 0; i < 500; ++i) {
        EXPECT_EQ(sorted[i]->isCommon, i < 167) << i;
    }
}

TEST(WordResultTest, CharactersOfTheWordsOnly)
{
    WordResult result;
    result.addEntry(makeEntry(L"食べる", L"たべる"));
    result.addEntry(makeEntry(L"食事", L"しょくじ"));
    result.addEntry(makeEntry(L"CD化", L"シーディーか"));
    EXPECT_EQ(result.getCharacters(),
              (std::set<wchar_t>{L'C', L'D', L'べ', L'る', L'化', L'事', L'食'}));
}

TEST(WordResultTest, FilterIsNotImplemented)
{
    WordResult result;
    result.addEntry(makeEntry(L"猫", L"ねこ"));
    WordDictionary::SearchOptions options;
    testing::internal::CaptureStderr();
    EXPECT_EQ(result.filter(L"猫", &options), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "filter: NOT IMPLEMENTED.\n");
    EXPECT_EQ(result.resetFilter(), 0);
    EXPECT_EQ(result.getEntryCount(), 1);
}

TEST(WordResultSorterTest, ColumnsDecideInTheOrderAdded)
{
    EnhancedEntry* shortWord = makeRow(L"本", L"ほんほん", false);
    EnhancedEntry* longWord = makeRow(L"本当", L"ほ", true);
    WordResultSorter sorter;
    EXPECT_FALSE(sorter(shortWord, longWord));  // no columns: nothing goes first
    EXPECT_FALSE(sorter(longWord, shortWord));

    sorter.addColumn(WordResult::SORT_WORD_LENGTH, WordResult::ORDER_ASCENDING);
    sorter.addColumn(WordResult::SORT_KANA_LENGTH, WordResult::ORDER_ASCENDING);
    EXPECT_TRUE(sorter(shortWord, longWord));
    EXPECT_FALSE(sorter(longWord, shortWord));

    WordResultSorter copy(sorter);
    sorter.clear();
    EXPECT_TRUE(sorter.columns.empty());
    EXPECT_TRUE(sorter.columnOrder.empty());
    EXPECT_TRUE(copy(shortWord, longWord));

    sorter.addColumn(WordResult::SORT_KANA_LENGTH, WordResult::ORDER_DESCENDING);
    EXPECT_TRUE(sorter(shortWord, longWord));
    sorter.clear();
    sorter.addColumn(WordResult::SORT_COMMON, WordResult::ORDER_ASCENDING);
    EXPECT_TRUE(sorter(shortWord, longWord));  // ascending: uncommon first
    sorter.clear();
    sorter.addColumn(static_cast<WordResult::Sort>(7), WordResult::ORDER_ASCENDING);
    sorter.addColumn(WordResult::SORT_KANA, WordResult::ORDER_DESCENDING);
    EXPECT_TRUE(sorter(shortWord, longWord));  // column 7 decides nothing
    EXPECT_FALSE(sorter(shortWord, shortWord));
    delete shortWord;
    delete longWord;
}

// The relevance order hides a row when an earlier row holds the same line:
// the same dictionary (position and name), headword, reading and glosses.
// A row already hidden is no earlier copy. Whether the rows come in the
// sorter's order (as a collection hands them over) or in any other, the
// same rows stay, in the same order.
TEST(WordResultTest, RelevanceOrderHidesEachRepeatedLineOnce)
{
    struct Row
    {
        int dictionary;
        const char* name;
        const wchar_t* word;
        const wchar_t* kana;
        std::vector<std::string> glosses;
        bool hiddenBefore = false;
    };
    struct Case
    {
        const char* what;
        std::vector<Row> rows;
        std::vector<bool> visible;  // per row, in the order given
    } cases[] = {
        {"one line twice", {{0, "e", L"猫", L"ねこ", {"cat"}}, {0, "e", L"猫", L"ねこ", {"cat"}}}, {true, false}},
        {"three times, first kept",
         {{0, "e", L"犬", L"いぬ", {"dog"}}, {0, "e", L"犬", L"いぬ", {"dog"}}, {0, "e", L"犬", L"いぬ", {"dog"}}},
         {true, false, false}},
        {"other glosses", {{0, "e", L"犬", L"いぬ", {"dog"}}, {0, "e", L"犬", L"いぬ", {"spy"}}}, {true, true}},
        {"one gloss more", {{0, "e", L"犬", L"いぬ", {"dog"}}, {0, "e", L"犬", L"いぬ", {"dog", "spy"}}}, {true, true}},
        {"glosses in another order",
         {{0, "e", L"犬", L"いぬ", {"dog", "spy"}}, {0, "e", L"犬", L"いぬ", {"spy", "dog"}}}, {true, true}},
        {"another dictionary position", {{0, "e", L"猫", L"ねこ", {"cat"}}, {1, "e", L"猫", L"ねこ", {"cat"}}}, {true, true}},
        {"another dictionary name", {{0, "e", L"猫", L"ねこ", {"cat"}}, {0, "f", L"猫", L"ねこ", {"cat"}}}, {true, true}},
        {"another reading", {{0, "e", L"角", L"かど", {"x"}}, {0, "e", L"角", L"つの", {"x"}}}, {true, true}},
        {"another headword", {{0, "e", L"川", L"かわ", {"x"}}, {0, "e", L"河", L"かわ", {"x"}}}, {true, true}},
        {"no glosses at all", {{0, "e", L"あ", L"あ", {}}, {0, "e", L"あ", L"あ", {}}}, {true, false}},
        {"a hidden row is no earlier copy",
         {{0, "e", L"猫", L"ねこ", {"cat"}, true}, {0, "e", L"猫", L"ねこ", {"cat"}}}, {false, true}},
        {"copies apart among others",
         {{0, "e", L"猫", L"ねこ", {"cat"}}, {0, "e", L"犬", L"いぬ", {"dog"}}, {0, "e", L"猫", L"ねこ", {"cat"}},
          {1, "e", L"猫", L"ねこ", {"cat"}}, {0, "e", L"犬", L"いぬ", {"dog"}}},
         {true, true, false, true, false}},
    };
    for (const Case& c : cases) {
        for (const bool sortedFirst : {false, true}) {
            WordResult result;
            std::vector<EnhancedEntry*> given;
            for (const Row& r : c.rows) {
                WordEntry* entry = makeEntry(r.word, r.kana);
                entry->dictionaryIndex = r.dictionary;
                entry->dictionaryName = r.name;
                entry->meaningsSize = static_cast<int>(r.glosses.size());
                entry->meanings = new std::string[r.glosses.size() + 1];
                std::copy(r.glosses.begin(), r.glosses.end(), entry->meanings);
                result.addEntry(entry);
                result.entries.back()->isVisible = !r.hiddenBefore;
                given.push_back(result.entries.back());
            }
            if (sortedFirst) {
                result.sort();
            }
            result.sortByRelevance();
            std::vector<bool> visible;
            for (EnhancedEntry* row : given) {
                visible.push_back(row->isVisible);
            }
            EXPECT_EQ(visible, c.visible) << c.what << (sortedFirst ? ", sorted first" : "");
            EXPECT_EQ(result.entries.size(), c.rows.size()) << c.what;
        }
    }

    // Many copies of a few lines, interleaved: one row of each line stays,
    // the first of its copies.
    WordResult many;
    const wchar_t* const words[] = {L"一", L"二", L"三"};
    for (int copy = 0; copy < 3000; ++copy) {
        WordEntry* entry = makeEntry(words[copy % 3], L"かな");
        entry->dictionaryIndex = 0;
        entry->meaningsSize = 1;
        entry->meanings = new std::string[1]{"gloss"};
        many.addEntry(entry);
    }
    EnhancedEntry* firstCopies[] = {many.entries[0], many.entries[1], many.entries[2]};
    many.sortByRelevance();
    EXPECT_EQ(many.getEntryCount(), 3);
    for (EnhancedEntry* row : firstCopies) {
        EXPECT_TRUE(row->isVisible);
    }
}
