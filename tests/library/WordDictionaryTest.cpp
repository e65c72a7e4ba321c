// The shared part of every word dictionary: accessors, enabling and the
// search options record.
#include "Edict.h"
#include "PartsOfSpeech.h"

#include <gtest/gtest.h>

namespace {

TEST(WordDictionaryTest, NewSearchOptionsSelectAndFilterNothing)
{
    WordDictionary::SearchOptions options;
    EXPECT_EQ(options.searchFlags, WordDictionary::SEARCH_NONE);
    EXPECT_EQ(options.commonFilter, 0);
    EXPECT_LT(options.limit, 0);
    EXPECT_TRUE(options.partsOfSpeech.empty());
    EXPECT_FALSE(options.matchAllPartsOfSpeech);

    WordDictionary::SearchOptions copy = options;
    copy.partsOfSpeech.push_back("n");
    EXPECT_TRUE(options.partsOfSpeech.empty());
}

TEST(WordDictionaryTest, SettersStoreAndReturnZero)
{
    Edict edict;
    WordDictionary& dictionary = edict;
    PartsOfSpeech table;
    EXPECT_EQ(dictionary.setName(""), 0);
    EXPECT_EQ(dictionary.setName("The usual edict"), 0);
    EXPECT_EQ(dictionary.getName(), "The usual edict");
    EXPECT_EQ(dictionary.setFilename(""), 0);
    EXPECT_EQ(dictionary.setFilename("dictionaries/edict/edict"), 0);
    EXPECT_EQ(dictionary.getFilename(), "dictionaries/edict/edict");
    EXPECT_EQ(dictionary.setPartsOfSpeech(&table), 0);
    EXPECT_EQ(dictionary.getPartsOfSpeech(), &table);
    EXPECT_EQ(dictionary.setPartsOfSpeech(nullptr), 0);
    EXPECT_EQ(dictionary.setEncoding("EUC-JP"), 0);
    EXPECT_EQ(dictionary.getEncoding(), "EUC-JP");
    EXPECT_EQ(dictionary.internalEncoding, "WCHAR_T");

    EXPECT_TRUE(dictionary.isEnabled());
    dictionary.disable();
    EXPECT_FALSE(dictionary.isEnabled());
    dictionary.enable();
    EXPECT_TRUE(dictionary.isEnabled());
}

}  // namespace
