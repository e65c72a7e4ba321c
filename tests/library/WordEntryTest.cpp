// Word entries own their meanings and part-of-speech records.
#include "WordEntry.h"

#include <gtest/gtest.h>

namespace {

TEST(WordEntryTest, NewEntryIsEmptyAndHarmlessToDestroy)
{
    WordEntry entry;
    EXPECT_TRUE(entry.dictionaryName.empty());
    EXPECT_TRUE(entry.word.empty());
    EXPECT_TRUE(entry.kana.empty());
    EXPECT_TRUE(entry.kanaRomaji.empty());
    EXPECT_EQ(entry.meanings, nullptr);
    EXPECT_EQ(entry.meaningsSize, 0);
    EXPECT_TRUE(entry.info.empty());
    EXPECT_FALSE(entry.isCommon);
    // Going out of scope unfilled is harmless.
}

// Run under AddressSanitizer, this shows that the meanings array and every
// EntryInfo go with the entry.
TEST(WordEntryTest, DestroyingAFilledEntryFreesWhatItOwns)
{
    WordEntry* entry = new WordEntry();
    entry->meanings = new std::string[3]{"cat", "feline", "(P)"};
    entry->meaningsSize = 3;
    for (const char* abbreviation : {"n", "vs"}) {
        EntryInfo* info = new EntryInfo();
        info->abbreviation = abbreviation;
        info->text = "description";
        entry->info.push_back(info);
    }
    EXPECT_EQ(entry->info[1]->abbreviation, "vs");
    delete entry;
}

}  // namespace
