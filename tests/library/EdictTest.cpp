// The EDICT reader: line index, entry parsing and search, on small EUC-JP
// files written into a temporary directory, plus a smoke test on the real
// dictionary of the runtime folder.
#include "Edict.h"
#include "Encoding.h"
#include "Jwcs.h"
#include "PartsOfSpeech.h"
#include "WordEntry.h"
#include "internal/FileReading.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

using Options = WordDictionary::SearchOptions;
using Entries = std::unique_ptr<std::vector<WordEntry*>, void (*)(std::vector<WordEntry*>*)>;

void deleteEntries(std::vector<WordEntry*>* entries)
{
    if (entries != nullptr) {
        for (WordEntry* entry : *entries) {
            delete entry;
        }
    }
    delete entries;
}

using testfiles::euc;

Options options(int flags)
{
    Options result;
    result.searchFlags = flags;
    result.commonFilter = 0;
    result.limit = -1;
    result.matchAllPartsOfSpeech = false;
    return result;
}

class EdictTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeFile("pos", "n\tnoun\nvs\tsuru verb\nadj-na\tna-adjective\nuk\tusually kana\n");
        table.load(directory + "/pos");
    }

    std::string writeFile(const std::string& name, const std::string& bytes)
    {
        ++filesWritten;
        return folder.write(name, bytes);
    }

    // A loaded dictionary over the given bytes, with the test's table.
    std::unique_ptr<Edict> load(const std::string& bytes, bool withTable = true)
    {
        std::unique_ptr<Edict> edict(new Edict());
        edict->setFilename(writeFile("edict" + std::to_string(filesWritten), bytes));
        if (withTable) {
            edict->setPartsOfSpeech(&table);
        }
        EXPECT_EQ(edict->load(), 0);
        return edict;
    }

    static Entries search(Edict& edict, const std::string& text, Options searchOptions)
    {
        std::wstring wide;
        char* converted = nullptr;
        int size = 0;
        if (Encoding::convert("UTF-8", const_cast<char*>(text.c_str()), text.size(), "WCHAR_T",
                              &converted, &size) == 0) {
            wide.assign(reinterpret_cast<wchar_t*>(converted), size / sizeof(wchar_t));
            delete[] converted;
        }
        return Entries(edict.search(wide, &searchOptions), deleteEntries);
    }

    static std::vector<std::wstring> words(const Entries& entries)
    {
        std::vector<std::wstring> result;
        for (const WordEntry* entry : *entries) {
            result.push_back(entry->word);
        }
        return result;
    }

    static std::unique_ptr<WordEntry> entryAt(Edict& edict, int record)
    {
        return std::unique_ptr<WordEntry>(
            edict.loadEntryFromEdict(edict.indexEntries[record].fileLocation));
    }

    static std::vector<std::string> meanings(const WordEntry& entry)
    {
        return std::vector<std::string>(entry.meanings, entry.meanings + entry.meaningsSize);
    }

    static std::vector<std::string> tags(const WordEntry& entry)
    {
        std::vector<std::string> result;
        for (const EntryInfo* info : entry.info) {
            result.push_back(info->abbreviation);
        }
        return result;
    }

    testfiles::TempDir folder;
    const std::string& directory = folder.path;
    int filesWritten = 0;
    PartsOfSpeech table;
};

const std::string SAMPLE = euc(
    "猫 [ねこ] /(n) cat/(P)/\n"
    "犬 [いぬ] /(n) dog/(P)/\n"
    "勉強 [べんきょう] /(n,vs) study/(P)/\n"
    "ねこ /(n) (1) cat (kana)/\n"
    "たべる /(v1) to eat/\n"
    "食べる [たべる] /(v1) to eat/(P)/\n"
    "静か [しずか] /(adj-na) quiet/\n"
    "カナ /katakana test/\n");

// ---------------------------------------------------------------- countLinesInFile

TEST_F(EdictTest, CountLinesCountsNewlineTerminatedLinesAndRewinds)
{
    EXPECT_EQ(Edict::countLinesInFile(nullptr), -1);

    const std::string longLine(5000, 'x');
    const std::string path = writeFile("count", "a\n\n" + longLine + "\nlast without end");
    FILE* stream = std::fopen(path.c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    std::fseek(stream, 7, SEEK_SET);
    EXPECT_EQ(Edict::countLinesInFile(stream), 3);
    EXPECT_EQ(std::ftell(stream), 0);
    std::fclose(stream);

    const std::string empty = writeFile("empty-count", "");
    stream = std::fopen(empty.c_str(), "rb");
    EXPECT_EQ(Edict::countLinesInFile(stream), 0);
    std::fclose(stream);
}

// ---------------------------------------------------------------- object model

TEST_F(EdictTest, FreshDictionaryState)
{
    Edict edict;
    EXPECT_TRUE(edict.isEnabled());
    EXPECT_FALSE(edict.isLoaded);
    EXPECT_FALSE(edict.isLoading);
    EXPECT_EQ(edict.percentDone, 0);
    EXPECT_EQ(edict.internalEncoding, "WCHAR_T");
    EXPECT_EQ(edict.encoding, "euc-jp");
    EXPECT_EQ(edict.getName(), "");
    EXPECT_EQ(edict.getFilename(), "");
    EXPECT_EQ(edict.file, nullptr);
    EXPECT_EQ(edict.indexEntries, nullptr);
    EXPECT_EQ(edict.indexEntriesSize, 0);
    EXPECT_EQ(edict.getPartsOfSpeech(), nullptr);
    EXPECT_EQ(edict.setStyle(3), 0);
}

// ---------------------------------------------------------------- load and index

TEST_F(EdictTest, MissingFileFailsAndLeavesNothingOpen)
{
    Edict edict;
    edict.setFilename(directory + "/absent");
    testing::internal::CaptureStderr();
    EXPECT_EQ(edict.load(), -1);
    WordEntry* entry = edict.loadEntryFromEdict(0);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("load: Could not open '" + directory + "/absent'."), std::string::npos);
    EXPECT_NE(log.find("loadEntryFromEdict: file is not open."), std::string::npos);
    EXPECT_EQ(entry, nullptr);
    EXPECT_EQ(edict.file, nullptr);
    EXPECT_EQ(edict.indexEntries, nullptr);
    Entries found = search(edict, "*", options(Edict::SEARCH_WORD | Edict::SEARCH_WILDCARD
                                               | Edict::SEARCH_MEANING));
    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(found->empty());
}

TEST_F(EdictTest, EmptyFileLoadsWithNoEntries)
{
    std::unique_ptr<Edict> edict = load("");
    EXPECT_EQ(edict->indexEntriesSize, 0);
    EXPECT_NE(edict->file, nullptr);
    Entries found = search(*edict, "", options(Edict::SEARCH_MEANING));
    EXPECT_TRUE(found->empty());
}

TEST_F(EdictTest, IndexHoldsWordReadingAndOffsetOfEveryEntryLine)
{
    const std::string lines[] = {
        euc("語 /gloss/\n"),
        euc("読み [よみ]/gloss/\n"),
        euc("注 /gloss [note]/\n"),
        " /leading space/\n",
        "\n",
        "nospace\n",
        euc("最後 [さいご] /no line end/"),
    };
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
    }
    std::unique_ptr<Edict> edict = load(bytes);
    ASSERT_EQ(edict->indexEntriesSize, 4);
    const IndexEntry* index = edict->indexEntries;
    EXPECT_STREQ(index[0].word, L"語");
    EXPECT_EQ(index[0].kana, nullptr);
    EXPECT_EQ(index[0].fileLocation, 0);
    EXPECT_STREQ(index[1].word, L"読み");
    EXPECT_STREQ(index[1].kana, L"よみ");
    EXPECT_EQ(index[1].fileLocation, static_cast<long>(lines[0].size()));
    EXPECT_STREQ(index[2].word, L"注");
    EXPECT_EQ(index[2].kana, nullptr);
    EXPECT_STREQ(index[3].word, L"最後");
    EXPECT_STREQ(index[3].kana, L"さいご");
    EXPECT_EQ(index[3].fileLocation, static_cast<long>(bytes.size() - lines[6].size()));

    std::unique_ptr<WordEntry> last = entryAt(*edict, 3);
    EXPECT_EQ(meanings(*last), std::vector<std::string>{"no line end"});
}

TEST_F(EdictTest, SingleLineWithoutLineEndIsStillAnEntry)
{
    std::unique_ptr<Edict> edict = load(euc("唯一 [ゆいいつ] /only/"));
    ASSERT_EQ(edict->indexEntriesSize, 1);
    EXPECT_STREQ(edict->indexEntries[0].kana, L"ゆいいつ");
}

TEST_F(EdictTest, CarriageReturnLineEnds)
{
    std::unique_ptr<Edict> edict = load(euc("猫 [ねこ] /(n) cat/(P)/\r\nねこ /cat\r\n"));
    ASSERT_EQ(edict->indexEntriesSize, 2);
    std::unique_ptr<WordEntry> cat = entryAt(*edict, 0);
    EXPECT_EQ(meanings(*cat), std::vector<std::string>{"cat"});
    EXPECT_TRUE(cat->isCommon);
    std::unique_ptr<WordEntry> kana = entryAt(*edict, 1);
    EXPECT_EQ(meanings(*kana), std::vector<std::string>{"cat\r\n"});
}

TEST_F(EdictTest, UnclosedReadingBracketIsLoggedAndLeavesNoReading)
{
    testing::internal::CaptureStderr();
    std::unique_ptr<Edict> edict = load(euc("括弧 [かっこ /bracket/\n"));
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("getEdictWordAndKana: Could not find a second bracket for the kana from '"
                       + euc("括弧") + "'."),
              std::string::npos);
    ASSERT_EQ(edict->indexEntriesSize, 1);
    EXPECT_EQ(edict->indexEntries[0].kana, nullptr);
    std::unique_ptr<WordEntry> entry = entryAt(*edict, 0);
    EXPECT_EQ(entry->kana, entry->word);
    ASSERT_EQ(entry->meaningsSize, 2);
    EXPECT_EQ(entry->meanings[0], euc("かっこ "));
    EXPECT_EQ(entry->meanings[1], "bracket");
}

TEST_F(EdictTest, InvalidEucJpWordIsNotIndexedButBadReadingFallsBackToWord)
{
    testing::internal::CaptureStderr();
    std::unique_ptr<Edict> edict = load("\xA4\xFF /bad word/\n" + euc("良い [") + "\xFF\xFE"
                                        + "] /bad reading/\n");
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(edict->indexEntriesSize, 1);
    EXPECT_STREQ(edict->indexEntries[0].word, L"良い");
    EXPECT_EQ(edict->indexEntries[0].kana, nullptr);
    Entries found = search(*edict, "良い", options(Edict::SEARCH_KANA));
    EXPECT_EQ(found->size(), 1u);
    testing::internal::CaptureStderr();
    Entries byMeaning = search(*edict, "bad", options(Edict::SEARCH_MEANING));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(byMeaning->size(), 1u);
}

TEST_F(EdictTest, UncommonEucJpCodesDecodeLikeIconv)
{
    // Half-width katakana, a JIS X 0212 kanji, symbols and ASCII.
    const std::string word = "\x8E\xB1\x8E\xDD" "\x8F\xB0\xA1" "\xA1\xA2" "AZ~";
    std::unique_ptr<Edict> edict = load(word + " [" + euc("かな") + "] /mixed/\n");
    ASSERT_EQ(edict->indexEntriesSize, 1);
    char* expected = nullptr;
    int size = 0;
    ASSERT_EQ(Encoding::convert("euc-jp", const_cast<char*>(word.c_str()), word.size(),
                                "WCHAR_T", &expected, &size), 0);
    EXPECT_STREQ(edict->indexEntries[0].word, reinterpret_cast<wchar_t*>(expected));
    delete[] expected;
}

// The most used verbs have lines of more than a thousand bytes, with their
// common mark at the very end: every line is read whole, in the index, the
// entry read back, the meaning search and the common filter alike. Only an
// absurd line of more than 1 MB is skipped, with a message.
TEST_F(EdictTest, LongLinesAreReadWholeAndAbsurdOnesSkippedWithAMessage)
{
    std::string bytes;
    std::vector<size_t> lengths = {1000, 1021, 1022, 1023, 1024, 1025, 2048, 100 * 1024,
                                   fileReading::MAX_LINE_BYTES};
    for (size_t i = 0; i < lengths.size(); ++i) {
        // "late sense N" ends each line just before the common mark.
        const std::string tail = "/late sense " + std::to_string(i) + "/(P)/\n";
        const std::string word = "W" + std::to_string(i);
        std::string line = word + " [" + euc("ながい") + "] /(v1) ";
        line += std::string(lengths[i] - line.size() - tail.size(), 'a') + tail;
        ASSERT_EQ(line.size(), lengths[i]);
        bytes += line;
    }
    const size_t absurdOffset = bytes.size();
    bytes += "ABSURD /" + std::string(fileReading::MAX_LINE_BYTES, 'z') + "/\n" + euc("次 [つぎ] /next/\n");
    testing::internal::CaptureStderr();
    std::unique_ptr<Edict> edict = load(bytes);
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("load: Skipping the line at offset "
                            + std::to_string(absurdOffset)
                            + ": it is longer than 1048576 bytes."),
              std::string::npos) << messages;
    ASSERT_EQ(edict->indexEntriesSize, static_cast<int>(lengths.size()) + 1);
    EXPECT_STREQ(edict->indexEntries[lengths.size()].word, L"次");

    Options common = options(Edict::SEARCH_KANA);
    common.commonFilter = 1;
    EXPECT_EQ(search(*edict, "ながい", common)->size(), lengths.size());
    for (size_t i = 0; i < lengths.size(); ++i) {
        SCOPED_TRACE(lengths[i]);
        const std::string late = "late sense " + std::to_string(i);
        std::unique_ptr<WordEntry> entry = entryAt(*edict, static_cast<int>(i));
        ASSERT_NE(entry, nullptr);
        EXPECT_TRUE(entry->isCommon);
        ASSERT_EQ(entry->meaningsSize, 2);
        EXPECT_EQ(entry->meanings[1], late);
        EXPECT_EQ(tags(*entry), std::vector<std::string>{});  // "v1" is not in the table
        Entries found = search(*edict, late, options(Edict::SEARCH_MEANING));
        ASSERT_EQ(words(found), std::vector<std::wstring>{L"W" + std::to_wstring(i)});
        EXPECT_EQ(meanings(*found->at(0)), meanings(*entry));
        EXPECT_TRUE(found->at(0)->isCommon);
        EXPECT_TRUE(edict->fuzzySearchFromEdictLine(edict->indexEntries[i].fileLocation, late));
    }
    EXPECT_TRUE(search(*edict, "ABSURD", options(Edict::SEARCH_WORD))->empty());
    EXPECT_TRUE(search(*edict, "zzzz", options(Edict::SEARCH_MEANING))->empty());
}

TEST_F(EdictTest, BinaryGarbageNeitherCrashesNorOverrunsTheIndex)
{
    std::string bytes;
    unsigned state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245u + 12345u;
        const unsigned char byte = static_cast<unsigned char>(state >> 16);
        // Plenty of the bytes that structure a line.
        const char structure[] = {' ', '/', '[', ']', '\n', '(', ')', '\0'};
        bytes.push_back((byte & 7) == 0 ? structure[(byte >> 3) & 7] : static_cast<char>(byte));
    }
    testing::internal::CaptureStderr();
    std::unique_ptr<Edict> edict = load(bytes);
    const long lineEnds = std::count(bytes.begin(), bytes.end(), '\n');
    EXPECT_LE(edict->indexEntriesSize, lineEnds + 1);
    Entries all = search(*edict, "*", options(Edict::SEARCH_WORD | Edict::SEARCH_KANA
                                              | Edict::SEARCH_WILDCARD));
    Entries meaning = search(*edict, "", options(Edict::SEARCH_MEANING));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(static_cast<int>(all->size()), edict->indexEntriesSize);
    int withMeanings = 0;
    for (int i = 0; i < edict->indexEntriesSize; ++i) {
        withMeanings += edict->fuzzySearchFromEdictLine(edict->indexEntries[i].fileLocation, "");
    }
    EXPECT_EQ(static_cast<int>(meaning->size()), withMeanings);
}

TEST_F(EdictTest, ReloadingReplacesTheIndex)
{
    std::unique_ptr<Edict> edict = load(SAMPLE);
    const int size = edict->indexEntriesSize;
    EXPECT_EQ(edict->load(), 0);
    EXPECT_EQ(edict->indexEntriesSize, size);
}

// ---------------------------------------------------------------- line splitting

TEST_F(EdictTest, WordAndKanaSplitting)
{
    Edict edict;
    testing::internal::CaptureStderr();
    EXPECT_EQ(edict.getEdictWordAndKana(nullptr, nullptr, nullptr), -1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  "getEdictWordAndKana: No buffer was specified."),
              std::string::npos);

    wchar_t* word = reinterpret_cast<wchar_t*>(1);
    wchar_t* kana = reinterpret_cast<wchar_t*>(1);
    char noSpace[] = "word/gloss/";
    EXPECT_EQ(edict.getEdictWordAndKana(noSpace, &word, &kana), 0);
    EXPECT_EQ(word, nullptr);
    EXPECT_EQ(kana, nullptr);
    char leadingSpace[] = " word /gloss/";
    EXPECT_EQ(edict.getEdictWordAndKana(leadingSpace, &word, &kana), 0);

    std::string line = euc("漢字 [かんじ] /kanji/");
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    const int offset = edict.getEdictWordAndKana(buffer.data(), &word, &kana);
    EXPECT_EQ(offset, static_cast<int>(line.find(']') + 1));
    EXPECT_STREQ(word, L"漢字");
    EXPECT_STREQ(kana, L"かんじ");
    EXPECT_STREQ(buffer.data() + offset, " /kanji/");
    delete[] word;
    delete[] kana;

    char noSlash[] = "WORD [READING]";  // no "/" at all: no reading
    EXPECT_EQ(edict.getEdictWordAndKana(noSlash, nullptr, &kana), 5);
    EXPECT_EQ(kana, nullptr);
}

TEST_F(EdictTest, MeaningsSplitting)
{
    Edict edict;
    std::string* pieces = nullptr;
    int size = -1;
    EXPECT_EQ(edict.getEdictMeanings(nullptr, &pieces, &size), -1);

    char text[] = " /a//b/ ";
    ASSERT_EQ(edict.getEdictMeanings(text, &pieces, &size), 0);
    EXPECT_EQ(std::vector<std::string>(pieces, pieces + size),
              (std::vector<std::string>{"a", "b"}));
    delete[] pieces;

    char unterminated[] = " /\t lead and trail  /gloss\n";
    ASSERT_EQ(edict.getEdictMeanings(unterminated, &pieces, &size), 0);
    EXPECT_EQ(std::vector<std::string>(pieces, pieces + size),
              (std::vector<std::string>{"lead and trail  ", "gloss\n"}));
    delete[] pieces;
}

// ---------------------------------------------------------------- entry loading

TEST_F(EdictTest, EntryParsingExamples)
{
    std::unique_ptr<Edict> edict = load(euc(
        "甲 /gloss/\n"
        "乙 [おつ] /(P)/\n"
        "丙 [へい]/gloss/\n"
        "丁 /gloss [note]/\n"
        "戊 /a//b/ \n"
        "己 /gloss\n"
        "庚 /(P)/x/(P)/\n"
        "辛 /(n) (1) dog/(n,vs) study/(1) (n) dog/(n,zz,vs)   spaced/\n"
        "壬 /(n broken/\n"));
    ASSERT_EQ(edict->indexEntriesSize, 9);

    std::unique_ptr<WordEntry> e = entryAt(*edict, 0);
    EXPECT_EQ(e->word, L"甲");
    EXPECT_EQ(e->kana, L"甲");
    EXPECT_EQ(meanings(*e), std::vector<std::string>{"gloss"});
    EXPECT_FALSE(e->isCommon);

    e = entryAt(*edict, 1);
    EXPECT_EQ(e->kana, L"おつ");
    EXPECT_EQ(e->meaningsSize, 0);
    EXPECT_TRUE(e->isCommon);

    e = entryAt(*edict, 2);
    EXPECT_EQ(e->kana, L"へい");
    EXPECT_EQ(meanings(*e), std::vector<std::string>{"gloss"});

    e = entryAt(*edict, 3);
    EXPECT_EQ(e->kana, L"丁");
    EXPECT_EQ(meanings(*e), std::vector<std::string>{"gloss [note]"});

    e = entryAt(*edict, 4);
    EXPECT_EQ(meanings(*e), (std::vector<std::string>{"a", "b"}));

    e = entryAt(*edict, 5);
    EXPECT_EQ(meanings(*e), std::vector<std::string>{"gloss\n"});

    e = entryAt(*edict, 6);
    EXPECT_TRUE(e->isCommon);
    EXPECT_EQ(meanings(*e), (std::vector<std::string>{"x", "(P)"}));

    e = entryAt(*edict, 7);
    EXPECT_EQ(meanings(*e),
              (std::vector<std::string>{"(1) dog", "study", "(1) (n) dog", "  spaced"}));
    EXPECT_EQ(tags(*e), (std::vector<std::string>{"n", "n", "vs", "n", "vs"}));
    ASSERT_FALSE(e->info.empty());
    EXPECT_EQ(e->info[0]->text, "noun");

    testing::internal::CaptureStderr();
    e = entryAt(*edict, 8);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  "loadEntryFromEdict: ERROR: could not find ending ')'."),
              std::string::npos);
    EXPECT_EQ(meanings(*e), std::vector<std::string>{"(n broken"});
}

TEST_F(EdictTest, WithoutATableEveryMeaningStaysAsRead)
{
    std::unique_ptr<Edict> edict = load(euc("辛 /(n,vs) study/\n"), false);
    std::unique_ptr<WordEntry> e = entryAt(*edict, 0);
    EXPECT_EQ(meanings(*e), std::vector<std::string>{"(n,vs) study"});
    EXPECT_TRUE(e->info.empty());
}

TEST_F(EdictTest, EntryLoadingFailuresReturnNull)
{
    std::unique_ptr<Edict> edict = load(SAMPLE);
    testing::internal::CaptureStderr();
    WordEntry* negative = edict->loadEntryFromEdict(-5);
    WordEntry* pastEnd = edict->loadEntryFromEdict(static_cast<long>(SAMPLE.size()) + 100);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(negative, nullptr);
    EXPECT_EQ(pastEnd, nullptr);
    EXPECT_NE(log.find("loadEntryFromEdict: Could not seek to the specified location"),
              std::string::npos);
    EXPECT_NE(log.find("loadEntryFromEdict: Could not read the line at location"),
              std::string::npos);
}

TEST_F(EdictTest, FileThatShrankAfterLoadingSkipsLostEntries)
{
    std::unique_ptr<Edict> edict = load(SAMPLE);
    ASSERT_EQ(truncate(edict->getFilename().c_str(), 10), 0);
    testing::internal::CaptureStderr();
    Entries found = search(*edict, "*", options(Edict::SEARCH_WORD | Edict::SEARCH_WILDCARD));
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_LE(found->size(), 1u);
    EXPECT_NE(log.find("search: Could not get the entry."), std::string::npos);
}

// ---------------------------------------------------------------- search

TEST_F(EdictTest, NullOptionsGiveNull)
{
    std::unique_ptr<Edict> edict = load(SAMPLE);
    testing::internal::CaptureStderr();
    EXPECT_EQ(edict->search(L"猫", nullptr), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  "search: 'searchOptions' was not specified."),
              std::string::npos);
}

TEST_F(EdictTest, WordAndReadingSearches)
{
    std::unique_ptr<Edict> edict = load(SAMPLE);

    Entries byWord = search(*edict, "猫", options(Edict::SEARCH_WORD));
    ASSERT_EQ(words(byWord), std::vector<std::wstring>{L"猫"});
    EXPECT_EQ((*byWord)[0]->kanaRomaji, "neko");
    EXPECT_EQ(meanings(*(*byWord)[0]), std::vector<std::string>{"cat"});

    // The reading alone does not count for a word search...
    Entries readingOnly = search(*edict, "いぬ", options(Edict::SEARCH_WORD));
    EXPECT_TRUE(readingOnly->empty());
    // ...but a kana-only line is compared through its word.
    Entries byKana = search(*edict, "ねこ", options(Edict::SEARCH_KANA));
    EXPECT_EQ(words(byKana), (std::vector<std::wstring>{L"猫", L"ねこ"}));

    // Word, reading and meaning all match: the entry still comes once, in file order.
    Entries once = search(*edict, "たべる", options(Edict::SEARCH_WORD | Edict::SEARCH_KANA
                                                   | Edict::SEARCH_MEANING));
    EXPECT_EQ(words(once), (std::vector<std::wstring>{L"たべる", L"食べる"}));

    Entries none = search(*edict, "猫", options(Edict::SEARCH_NONE));
    EXPECT_TRUE(none->empty());
}

TEST_F(EdictTest, IgnoreCaseFoldsKanaAndLetters)
{
    std::unique_ptr<Edict> edict = load(SAMPLE + euc("Tokyo /city/\n"));
    Entries exact = search(*edict, "かな", options(Edict::SEARCH_WORD));
    EXPECT_TRUE(exact->empty());
    Entries folded = search(*edict, "かな", options(Edict::SEARCH_WORD | Edict::SEARCH_IGNORE_CASE));
    EXPECT_EQ(words(folded), std::vector<std::wstring>{L"カナ"});
    Entries letters = search(*edict, "tokyo", options(Edict::SEARCH_WORD | Edict::SEARCH_IGNORE_CASE));
    EXPECT_EQ(words(letters), std::vector<std::wstring>{L"Tokyo"});
}

TEST_F(EdictTest, WildcardSearches)
{
    std::unique_ptr<Edict> edict = load(SAMPLE);
    Entries all = search(*edict, "*", options(Edict::SEARCH_WORD | Edict::SEARCH_WILDCARD));
    EXPECT_EQ(static_cast<int>(all->size()), edict->indexEntriesSize);
    Entries prefix = search(*edict, "た?る", options(Edict::SEARCH_KANA | Edict::SEARCH_WILDCARD));
    EXPECT_EQ(words(prefix), (std::vector<std::wstring>{L"たべる", L"食べる"}));
    Entries folded = search(*edict, "*な", options(Edict::SEARCH_WORD | Edict::SEARCH_WILDCARD
                                                  | Edict::SEARCH_IGNORE_CASE));
    EXPECT_EQ(words(folded), std::vector<std::wstring>{L"カナ"});
}

// Word and reading matching must decide exactly as Jwcs::cmp and Jwcs::xcmp
// do on every index record, whatever shortcuts the search takes.
TEST_F(EdictTest, WordAndReadingMatchesAgreeWithTheComparisons)
{
    std::unique_ptr<Edict> edict = load(SAMPLE + euc("べべ /x/\nるる [るる] /y/\n* /star/\n"));
    const char* patterns[] = {"*", "**", "?", "??", "???", "*る", "た*", "*べ*", "*べ*る",
                              "た?る", "?べ?", "べ", "*る*る", "る*", "", "*ね?", "ねこ*",
                              "*カ*", "**べ", "勉強", "たべるる"};
    const int styles[] = {0, Edict::SEARCH_WILDCARD, Edict::SEARCH_IGNORE_CASE,
                          Edict::SEARCH_WILDCARD | Edict::SEARCH_IGNORE_CASE};
    for (const char* pattern : patterns) {
        for (int style : styles) {
            Entries found = search(*edict, pattern, options(Edict::SEARCH_WORD | Edict::SEARCH_KANA
                                                            | style));
            std::wstring text;
            char* converted = nullptr;
            int size = 0;
            Encoding::convert("UTF-8", const_cast<char*>(pattern), std::strlen(pattern), "WCHAR_T",
                              &converted, &size);
            text.assign(reinterpret_cast<wchar_t*>(converted), size / sizeof(wchar_t));
            delete[] converted;
            const JwcsCase caseStyle = (style & Edict::SEARCH_IGNORE_CASE) ? CMP_IGNORE_CASE : CMP_CASE;
            std::vector<std::wstring> expected;
            for (int i = 0; i < edict->indexEntriesSize; ++i) {
                const IndexEntry& record = edict->indexEntries[i];
                const wchar_t* reading = record.kana ? record.kana : record.word;
                auto same = [&](const wchar_t* target) {
                    return (style & Edict::SEARCH_WILDCARD)
                               ? Jwcs::xcmp(target, text.c_str(), caseStyle) == 0
                               : Jwcs::cmp(target, text.c_str(), caseStyle) == 0;
                };
                if (same(record.word) || same(reading)) {
                    expected.push_back(record.word);
                }
            }
            EXPECT_EQ(words(found), expected) << pattern << " style " << style;
        }
    }
}

TEST_F(EdictTest, MeaningSearchIsACaseSensitiveSubstringOfTheMeaningsPart)
{
    std::unique_ptr<Edict> edict =
        load(SAMPLE + "Dogged /(adj) dog-like/\n" + "nodelimiter cat\n" + std::string("A\x01 /x\0cat/\n", 11));
    Entries cat = search(*edict, "cat", options(Edict::SEARCH_MEANING));
    EXPECT_EQ(words(cat), (std::vector<std::wstring>{L"猫", L"ねこ"}));

    Entries upper = search(*edict, "Dog", options(Edict::SEARCH_MEANING | Edict::SEARCH_IGNORE_CASE));
    EXPECT_TRUE(upper->empty());

    // The separators, the tags and the common marker belong to the meanings part.
    Entries common = search(*edict, "(P)", options(Edict::SEARCH_MEANING));
    EXPECT_EQ(common->size(), 4u);
    Entries spanning = search(*edict, "cat/(P", options(Edict::SEARCH_MEANING));
    EXPECT_EQ(words(spanning), std::vector<std::wstring>{L"猫"});

    // Every line with a "/" before any NUL byte.
    Entries everything = search(*edict, "", options(Edict::SEARCH_MEANING));
    EXPECT_EQ(static_cast<int>(everything->size()), edict->indexEntriesSize - 1);

    // The sequential scan agrees with the line-by-line test on every record.
    const char* texts[] = {"cat", "dog", "(n)", "/", "\n", "x", "study/", "zzz"};
    for (const char* text : texts) {
        Entries found = search(*edict, text, options(Edict::SEARCH_MEANING));
        std::vector<std::wstring> expected;
        for (int i = 0; i < edict->indexEntriesSize; ++i) {
            if (edict->fuzzySearchFromEdictLine(edict->indexEntries[i].fileLocation, text)) {
                expected.push_back(edict->indexEntries[i].word);
            }
        }
        EXPECT_EQ(words(found), expected) << text;
    }
}

TEST_F(EdictTest, MeaningSearchForTextOutsideTheFileEncodingFindsNothing)
{
    std::unique_ptr<Edict> edict = load(SAMPLE);
    Options meaning = options(Edict::SEARCH_MEANING);
    testing::internal::CaptureStderr();
    Entries found(edict->search(L"\U0001F431", &meaning), deleteEntries);  // a cat emoji
    testing::internal::GetCapturedStderr();
    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(found->empty());
}

// Over several read blocks, with a line longer than a block, the sequential
// scan still finds exactly the lines the line-by-line test finds.
TEST_F(EdictTest, MeaningScanAcrossBlocksAgreesWithTheLineTest)
{
    std::string bytes;
    unsigned state = 7;
    auto next = [&state](unsigned range) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % range;
    };
    const char* glosses[] = {"cat", "dog", "category", "scat", "ca", "t", "(n) cat", "cat/"};
    for (int line = 0; line < 60000; ++line) {
        if (line == 20000) {
            bytes += "HUGE /" + std::string(1500000, 'c') + "at cat/\n";
        }
        if (line == 30000) {
            bytes += "NEAR /" + std::string(1010, 'x') + "cat/\n";  // "cat" crosses byte 1023
        }
        bytes += "w" + std::to_string(line) + (next(4) == 0 ? " [r] /" : " /");
        const unsigned pieces = next(4);
        for (unsigned i = 0; i < pieces; ++i) {
            bytes += glosses[next(8)];
            bytes += '/';
        }
        bytes += next(10) == 0 ? "\r\n" : "\n";
    }
    std::unique_ptr<Edict> edict = load(bytes);
    const char* texts[] = {"cat", "cat/", "t/c", "at\n", "HUGE", "ccca"};
    for (const char* text : texts) {
        Entries found = search(*edict, text, options(Edict::SEARCH_MEANING));
        std::vector<std::wstring> expected;
        for (int i = 0; i < edict->indexEntriesSize; ++i) {
            if (edict->fuzzySearchFromEdictLine(edict->indexEntries[i].fileLocation, text)) {
                expected.push_back(edict->indexEntries[i].word);
            }
        }
        EXPECT_EQ(words(found), expected) << text;
    }
}

// A meaning search parses the lines its scan read; every entry it gives back
// equals the one loadEntryFromEdict reads from the file, field for field,
// over texts of every length and lines of every shape.
TEST_F(EdictTest, MeaningSearchEntriesEqualTheEntriesReadBack)
{
    const std::string bytes
        = SAMPLE + euc("猫舌 [ねこじた] /(n,adj-na) cat's tongue/(P)/\r\n")
          + "bad /(broken cat/(n) (vs) categories/\n" + std::string("nul /cat\0tail/\n", 15)
          + "long /" + std::string(1100, 'c') + "at/cat/\n" + "last /(uk) cat, no line end/";
    std::unique_ptr<Edict> edict = load(bytes);
    const char* texts[] = {"c", "ca", "cat", "cat/", "(n) cat/(P)", "categories/", "at/cat/",
                           "cccccccccccccccccccccccccccccccc", "no line end", "bad", ""};
    const int flagSets[] = {Edict::SEARCH_MEANING, Edict::SEARCH_MEANING | Edict::SEARCH_WORD};
    for (int flags : flagSets) {
        for (const char* text : texts) {
            testing::internal::CaptureStderr();
            Entries found = search(*edict, text, options(flags));
            std::vector<std::unique_ptr<WordEntry>> expected;
            const std::string narrow = text;
            for (int i = 0; i < edict->indexEntriesSize; ++i) {
                const IndexEntry& record = edict->indexEntries[i];
                if (edict->fuzzySearchFromEdictLine(record.fileLocation, text)
                    || ((flags & Edict::SEARCH_WORD) != 0
                        && record.word == std::wstring(narrow.begin(), narrow.end()))) {
                    expected.push_back(entryAt(*edict, i));
                }
            }
            testing::internal::GetCapturedStderr();
            ASSERT_EQ(found->size(), expected.size()) << text;
            for (size_t k = 0; k < expected.size(); ++k) {
                const WordEntry& got = *(*found)[k];
                EXPECT_EQ(got.word, expected[k]->word) << text;
                EXPECT_EQ(got.kana, expected[k]->kana) << text;
                EXPECT_EQ(meanings(got), meanings(*expected[k])) << text;
                EXPECT_EQ(tags(got), tags(*expected[k])) << text;
                EXPECT_EQ(got.isCommon, expected[k]->isCommon) << text;
            }
        }
    }
}

// The shortcuts of case-ignoring comparisons must not lose any kana,
// letter or symbol that Jwcs finds equal.
TEST_F(EdictTest, CaseIgnoringShortcutsLoseNothing)
{
    std::string lines;
    const char* words[] = {"かな", "カナ", "ヵな", "ヶな", "ゞ", "ー", "ゝ", "ヽ", "ヾ", "ヴ",
                           "Ａｂ", "ａＢ", "AbC", "aBc", "ÀÉ", "àé", "・", "漢字", "かんじ"};
    for (const char* word : words) {
        lines += euc(word) + " /x/\n";
    }
    std::unique_ptr<Edict> edict = load(lines);
    ASSERT_EQ(edict->indexEntriesSize, 19);
    for (int i = 0; i < edict->indexEntriesSize; ++i) {
        const std::wstring word = edict->indexEntries[i].word;
        const std::wstring patterns[] = {word, L"*" + word, word + L"*", L"*" + word + L"*",
                                         L"?" + word.substr(1), word.substr(0, 1) + L"*"};
        for (const std::wstring& pattern : patterns) {
            for (int wildcard : {0, static_cast<int>(Edict::SEARCH_WILDCARD)}) {
                Options searchOptions =
                    options(Edict::SEARCH_WORD | Edict::SEARCH_IGNORE_CASE | wildcard);
                Entries found(edict->search(pattern, &searchOptions), deleteEntries);
                size_t expected = 0;
                for (int j = 0; j < edict->indexEntriesSize; ++j) {
                    const wchar_t* target = edict->indexEntries[j].word;
                    expected += wildcard != 0
                                    ? Jwcs::xcmp(target, pattern.c_str(), CMP_IGNORE_CASE) == 0
                                    : Jwcs::cmp(target, pattern.c_str(), CMP_IGNORE_CASE) == 0;
                }
                EXPECT_EQ(found->size(), expected) << i << " wildcard " << wildcard;
            }
        }
    }
}

TEST_F(EdictTest, FuzzySearchFromEdictLine)
{
    Edict unloaded;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(unloaded.fuzzySearchFromEdictLine(0, "x"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("fuzzySearchFromEdictLine: file is not open."),
              std::string::npos);

    std::unique_ptr<Edict> edict = load(SAMPLE);
    EXPECT_TRUE(edict->fuzzySearchFromEdictLine(0, "cat"));
    EXPECT_FALSE(edict->fuzzySearchFromEdictLine(0, euc("ねこ")));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(edict->fuzzySearchFromEdictLine(-1, "cat"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  "Could not seek to the specified location '18446744073709551615'."),
              std::string::npos);
}

TEST_F(EdictTest, CommonFilter)
{
    std::unique_ptr<Edict> edict = load(SAMPLE);
    Options common = options(Edict::SEARCH_WORD | Edict::SEARCH_WILDCARD);
    common.commonFilter = 1;
    EXPECT_EQ(search(*edict, "*", common)->size(), 4u);
    common.commonFilter = 2;
    EXPECT_EQ(search(*edict, "*", common)->size(), 4u);
    common.commonFilter = 3;
    EXPECT_EQ(search(*edict, "*", common)->size(), 8u);
    common.commonFilter = -1;
    EXPECT_EQ(search(*edict, "*", common)->size(), 8u);

    std::unique_ptr<Edict> rare = load(euc("稀 /rare/\n"));
    common.commonFilter = 1;
    EXPECT_TRUE(search(*rare, "*", common)->empty());
}

TEST_F(EdictTest, PartOfSpeechFilter)
{
    std::unique_ptr<Edict> edict = load(SAMPLE);
    Options filter = options(Edict::SEARCH_WORD | Edict::SEARCH_WILDCARD);
    filter.partsOfSpeech = {"n", "vs"};
    filter.matchAllPartsOfSpeech = false;
    EXPECT_EQ(words(search(*edict, "*", filter)),
              (std::vector<std::wstring>{L"猫", L"犬", L"勉強", L"ねこ"}));
    filter.matchAllPartsOfSpeech = true;
    EXPECT_EQ(words(search(*edict, "*", filter)), std::vector<std::wstring>{L"勉強"});

    // Unrecognised tags (here: no table at all) fail every filter.
    std::unique_ptr<Edict> bare = load(SAMPLE, false);
    filter.matchAllPartsOfSpeech = false;
    EXPECT_TRUE(search(*bare, "*", filter)->empty());
}

TEST_F(EdictTest, DestructorLogsItsMessage)
{
    testing::internal::CaptureStderr();
    delete new Edict();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "~Edict: Deleting this Edict.\n");
}

// ---------------------------------------------------------------- real dictionary

TEST(EdictSmokeTest, RealDictionaryFindsCatByWordReadingAndMeaning)
{
    const std::string path = DEXARU_RUNTIME_DIR "/dictionaries/edict/edict";
    if (access(path.c_str(), R_OK) != 0) {
        GTEST_SKIP() << "No EDICT dictionary at " << path;
    }
    PartsOfSpeech table;
    table.load(DEXARU_RUNTIME_DIR "/partsofspeech.drx");
    Edict edict;
    edict.setFilename(path);
    edict.setPartsOfSpeech(&table);
    testing::internal::CaptureStderr();
    ASSERT_EQ(edict.load(), 0);
    EXPECT_GT(edict.indexEntriesSize, 100000);

    Options word = options(Edict::SEARCH_WORD);
    Options reading = options(Edict::SEARCH_KANA);
    Options meaning = options(Edict::SEARCH_MEANING);
    Entries byWord(edict.search(L"猫", &word), deleteEntries);
    Entries byReading(edict.search(L"ねこ", &reading), deleteEntries);
    Entries byMeaning(edict.search(L"cat", &meaning), deleteEntries);
    testing::internal::GetCapturedStderr();

    auto has = [](const Entries& entries, const std::wstring& word) {
        for (const WordEntry* entry : *entries) {
            if (entry->word == word) {
                return true;
            }
        }
        return false;
    };
    ASSERT_FALSE(byWord->empty());
    EXPECT_EQ((*byWord)[0]->kana, L"ねこ");
    EXPECT_EQ((*byWord)[0]->kanaRomaji, "neko");
    EXPECT_TRUE(has(byReading, L"猫"));
    EXPECT_TRUE(has(byMeaning, L"猫"));
    // "(n) (1) cat (esp. ...)": the tag is gone from the gloss and listed.
    const WordEntry& cat = *(*byWord)[0];
    ASSERT_GT(cat.meaningsSize, 0);
    EXPECT_EQ(cat.meanings[0].rfind("(1) cat", 0), 0u) << cat.meanings[0];
    ASSERT_FALSE(cat.info.empty());
    EXPECT_EQ(cat.info[0]->abbreviation, "n");
    EXPECT_TRUE(cat.isCommon);
}

}  // namespace

// ------------------------------------------------- failures a load must report


#if defined(__SANITIZE_ADDRESS__)
#define DEXARU_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DEXARU_UNDER_ASAN 1
#endif
#endif

namespace {

TEST_F(EdictTest, WordAndReadingSearchesLeaveTheTextUnconverted)
{
    // Only a meaning search needs the text in the file's encoding; one that
    // has none is an error there and nowhere else.
    std::unique_ptr<Edict> edict = load(SAMPLE);
    const std::string outsideEucJp = "猫\U0001F600";
    for (int flags : {int(Edict::SEARCH_WORD), int(Edict::SEARCH_KANA),
                      Edict::SEARCH_WORD | Edict::SEARCH_KANA | Edict::SEARCH_WILDCARD}) {
        testing::internal::CaptureStderr();
        Entries found = search(*edict, outsideEucJp, options(flags));
        const std::string messages = testing::internal::GetCapturedStderr();
        EXPECT_EQ(messages.find("convert"), std::string::npos) << flags << "\n" << messages;
        EXPECT_TRUE(found->empty());
    }
    testing::internal::CaptureStderr();
    Entries found = search(*edict, outsideEucJp, options(Edict::SEARCH_MEANING));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("convert"), std::string::npos);
    EXPECT_TRUE(found->empty());
}

TEST_F(EdictTest, ADirectoryFailsToLoadLikeAMissingFile)
{
    for (const std::string& name : {directory, directory + "/missing"}) {
        Edict edict;
        edict.setFilename(name);
        testing::internal::CaptureStderr();
        EXPECT_EQ(edict.load(), -1) << name;
        const std::string messages = testing::internal::GetCapturedStderr();
        EXPECT_NE(messages.find("Could not open '" + name + "'"), std::string::npos) << messages;
        EXPECT_EQ(edict.file, nullptr);
        EXPECT_EQ(edict.indexEntriesSize, 0);
    }
}

#ifndef DEXARU_UNDER_ASAN
// Kilobytes of address space the process holds now.
long addressSpaceInUse()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmSize:", 0) == 0) {
            return std::atol(line.c_str() + 7);
        }
    }
    return 0;
}

// Loads the file with room for 32 MB more address space only: 0 when the
// load fails cleanly, leaving the dictionary unloaded.
int loadWithLittleMemory(const std::string& path)
{
    Edict edict;
    edict.setFilename(path);
    const rlim_t limit = (addressSpaceInUse() + 32 * 1024) * 1024L;
    const struct rlimit space = {limit, limit};
    setrlimit(RLIMIT_AS, &space);
    const int status = edict.load();
    const bool unloaded =
        edict.file == nullptr && edict.indexEntries == nullptr && edict.indexEntriesSize == 0;
    return status == -1 && unloaded ? 0 : 1;
}

TEST_F(EdictTest, RunningOutOfMemoryWhileIndexingFailsTheLoad)
{
    // Four million lines want about 100 MB of index records.
    const std::string path = writeFile("many-lines", std::string(4 << 20, '\n'));
    EXPECT_EXIT(std::exit(loadWithLittleMemory(path)), testing::ExitedWithCode(0),
                "Could not allocate memory for the index of '.*many-lines'");
}
#endif

}  // namespace
