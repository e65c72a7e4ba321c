#include "PartsOfSpeech.h"
#include "internal/FileReading.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using testfiles::TempDir;

namespace {

typedef std::vector<std::string> Strings;

} // namespace

TEST(PartsOfSpeechTest, StartsEmpty)
{
    PartsOfSpeech table;
    EXPECT_EQ(table.filename, "");
    EXPECT_EQ(table.entries, nullptr);
    EXPECT_EQ(table.entriesSize, 0);
    EXPECT_EQ(table.search("n"), "");
    EXPECT_TRUE(table.getAbbreviations().empty());
}

TEST(PartsOfSpeechTest, MissingFileIsReportedAndLeavesTheTableEmpty)
{
    TempDir dir;
    std::string missing = dir.path + "/nothing.drx";
    PartsOfSpeech table;
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(missing), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "ERROR: load: Could not open file '" + missing + "'.\n");
    EXPECT_EQ(table.filename, missing);
    EXPECT_TRUE(table.getAbbreviations().empty());
}

TEST(PartsOfSpeechTest, EmptyFileFailsSilently)
{
    TempDir dir;
    PartsOfSpeech table;
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(dir.write("empty.drx", "")), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(table.getAbbreviations().empty());
}

TEST(PartsOfSpeechTest, ReadsRowsInFileOrderAndSkipsComments)
{
    TempDir dir;
    PartsOfSpeech table;
    EXPECT_EQ(table.load(dir.write("p.drx", "# tags\nn\tnoun\nvs\ttakes suru\r\n#x\ty\nadj-na\tna adjective\n")), 0);
    EXPECT_EQ(table.getAbbreviations(), (Strings{"n", "vs", "adj-na"}));
    EXPECT_EQ(table.search("n"), "noun");
    EXPECT_EQ(table.search("vs"), "takes suru");
    EXPECT_EQ(table.search("adj-na"), "na adjective");
    EXPECT_EQ(table.search("#x"), "");
}

TEST(PartsOfSpeechTest, LastRowWithoutLineEndIsRead)
{
    TempDir dir;
    PartsOfSpeech table;
    EXPECT_EQ(table.load(dir.write("p.drx", "n\tnoun\nv1\tichidan verb")), 0);
    EXPECT_EQ(table.getAbbreviations(), (Strings{"n", "v1"}));
    EXPECT_EQ(table.search("v1"), "ichidan verb");

    PartsOfSpeech single;
    EXPECT_EQ(single.load(dir.write("one.drx", "uk\tkana alone")), 0);
    EXPECT_EQ(single.search("uk"), "kana alone");
}

TEST(PartsOfSpeechTest, LinesWithoutTabAreReportedAndSkipped)
{
    TempDir dir;
    PartsOfSpeech table;
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(dir.write("p.drx", "\n\r\nno tab here\r\nn\tnoun\n")), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "ERROR: load: Could not find the TAB character in ''.\n"
              "ERROR: load: Could not find the TAB character in ''.\n"
              "ERROR: load: Could not find the TAB character in 'no tab here'.\n");
    EXPECT_EQ(table.getAbbreviations(), (Strings{"n"}));
}

TEST(PartsOfSpeechTest, SplitsAtTheFirstTabOnly)
{
    TempDir dir;
    PartsOfSpeech table;
    ASSERT_EQ(table.load(dir.write("p.drx", "\tno abbreviation\nempty\t\ntwo\ttabs\there\n")), 0);
    EXPECT_EQ(table.getAbbreviations(), (Strings{"", "empty", "two"}));
    EXPECT_EQ(table.search(""), "no abbreviation");
    EXPECT_EQ(table.search("empty"), "");
    EXPECT_EQ(table.search("two"), "tabs\there");
}

TEST(PartsOfSpeechTest, SearchIsExactAndFindsTheFirstOfDuplicates)
{
    TempDir dir;
    PartsOfSpeech table;
    ASSERT_EQ(table.load(dir.write("p.drx", "n\tfirst\nN\tcapital\nn\tsecond\n")), 0);
    EXPECT_EQ(table.search("n"), "first");
    EXPECT_EQ(table.search("N"), "capital");
    EXPECT_EQ(table.search("n "), "");
    EXPECT_EQ(table.getAbbreviations(), (Strings{"n", "N", "n"}));
}

TEST(PartsOfSpeechTest, LongLinesAreReadWholeAndAbsurdOnesSkipped)
{
    // Every piece of a long line holds a TAB: read in pieces, each would
    // become a row of its own, beyond the rows the file has lines for.
    std::string longLine;
    while (longLine.size() < 5000) {
        longLine += "x\ty ";
    }
    const std::string absurd = "z\t" + std::string(fileReading::MAX_LINE_BYTES, 'z');
    TempDir dir;
    PartsOfSpeech table;
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(dir.write("p.drx", longLine + "\nn\tnoun\n" + absurd + "\n" + longLine)), 0);
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("Skipping a line of more than 1048576 bytes at offset 5008."),
              std::string::npos) << messages;
    EXPECT_EQ(table.getAbbreviations(), (Strings{"x", "n", "x"}));
    EXPECT_EQ(table.search("x"), longLine.substr(2));
}

TEST(PartsOfSpeechTest, HostileFilesLoadWithoutFault)
{
    std::string garbage;
    for (int i = 0; i < 20000; ++i) {
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    }
    std::string hugeLine(100 * 1024, 'a');
    hugeLine[10] = '\t';
    TempDir dir;
    PartsOfSpeech table;
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(dir.write("garbage.drx", garbage)), 0);
    EXPECT_LE(table.entriesSize, 1 + static_cast<int>(std::count(garbage.begin(), garbage.end(), '\n')));
    EXPECT_EQ(table.load(dir.write("huge.drx", hugeLine + "\r\n" + hugeLine)), 0);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(table.getAbbreviations(), (Strings{"aaaaaaaaaa", "aaaaaaaaaa"}));
}

TEST(PartsOfSpeechTest, SecondLoadReplacesTheRows)
{
    TempDir dir;
    PartsOfSpeech table;
    ASSERT_EQ(table.load(dir.write("a.drx", "n\tnoun\nvs\tsuru\n")), 0);
    ASSERT_EQ(table.load(dir.write("b.drx", "uk\tkana\n")), 0);
    EXPECT_EQ(table.getAbbreviations(), (Strings{"uk"}));
    EXPECT_EQ(table.search("n"), "");
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(dir.path + "/missing.drx"), 1);
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(table.getAbbreviations().empty());
}

TEST(PartsOfSpeechTest, ShippedTableDescribesEveryCommonEdictTag)
{
    PartsOfSpeech table;
    ASSERT_EQ(table.load(DEXARU_SOURCE_DIR "/data/partsofspeech.drx"), 0);
    const char* tags[] = {
        "n", "vs", "v1", "v5k", "v5u", "v5s", "v5t", "v5n", "v5b", "v5m", "v5r", "v5g",
        "adj-i", "adj-na", "adj-no", "adj-pn", "adj-t", "adj-f", "adv", "adv-to", "exp",
        "int", "pn", "prt", "suf", "pref", "ctr", "conj", "aux-v", "vk", "vz", "v5k-s",
        "v5r-i", "n-adv", "n-t", "n-suf", "n-pref", "num", "vi", "vt", "vs-s", "vs-i",
        "uk", "abbr", "arch", "col", "hon", "hum", "pol", "sl", "vulg", "on-mim", "id",
        "obs", "obsc", "X", "derog", "fam", "fem", "male", "yoji", "comp", "math", "ksb:"};
    for (const char* tag : tags) {
        EXPECT_NE(table.search(tag), "") << tag;
    }
    Strings abbreviations = table.getAbbreviations();
    std::set<std::string> distinct(abbreviations.begin(), abbreviations.end());
    EXPECT_EQ(distinct.size(), abbreviations.size()) << "an abbreviation is listed twice";
    EXPECT_EQ(distinct.count("P"), 0u) << "(P) is the common marker, not a tag";
    for (const std::string& abbreviation : abbreviations) {
        EXPECT_FALSE(abbreviation.empty());
        EXPECT_GT(table.search(abbreviation).size(), 2u) << abbreviation;
    }
}

TEST(PartsOfSpeechTest, ARowWithANulByteEndsAtItsLineEnd)
{
    // A row's text ends at a NUL byte, but the row itself at its LF; the
    // rows after it, NUL rows among them, are all read.
    const std::string nul(1, '\0');
    TempDir dir;
    PartsOfSpeech table;
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(dir.write("nul.drx", "n\tnoun" + nul + "junk\nvs\tsuru\n" + nul + "\n"
                                                  + "x\ty" + nul + "\nadj\tadjective\n")),
              0);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(table.getAbbreviations(), (Strings{"n", "vs", "x", "adj"}));
    EXPECT_EQ(table.search("n"), "noun");
    EXPECT_EQ(table.search("x"), "y");
    EXPECT_EQ(table.search("adj"), "adjective");
}
