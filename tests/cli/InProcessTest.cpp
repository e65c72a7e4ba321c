// The pieces of dexaru2 run inside the test: what the command line parses
// into, what the printers return, and a lookup that searches more than once,
// none of which a single run of the program shows.

#include "CharacterResult.h"
#include "Lookup.h"
#include "Options.h"
#include "Output.h"
#include "WordResult.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

bool parse(const std::vector<std::string>& arguments, dexaru2::Options& options)
{
    std::vector<char*> argv{const_cast<char*>("dexaru2")};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    return dexaru2::parseArguments(static_cast<int>(argv.size()), argv.data(), options);
}

// What options before "search x" leave in the parsed options.
struct Parsed {
    std::vector<std::string> options;
    std::string format;
    bool convertToKana;
    int flags, commonFilter;
    std::vector<std::string> partsOfSpeech;
    bool matchAll;
};

TEST(OptionsTest, ParsesEveryOptionAndRefusesBadCommandLines)
{
    const Parsed cases[] = {
        {{}, "text", true, 3, 0, {}, false},
        {{"-o", "xml", "--search-wildcard"}, "xml", true, 8, 0, {}, false},
        {{"--search-kana", "--search-kana", "--search-meaning"}, "text", true, 6, 0, {}, false},
        {{"--search-fuzzy", "--search-ignore-case", "--search-defaults"}, "text", true, 51, 0, {}, false},
        {{"--search-word", "--search-common", "--search-uncommon"}, "text", true, 1, 2, {}, false},
        {{"--search-uncommon", "--search-common"}, "text", true, 3, 1, {}, false},
        {{"--search-info", "n", "--match-all-info", "--search-info", "vs"}, "text", true, 3, 0, {"n", "vs"}, true},
        {{"--match-all-info", "--no-match-all-info"}, "text", true, 3, 0, {}, false},
        {{"--no-convert-to-kana"}, "text", false, 3, 0, {}, false},
        {{"--no-convert-to-kana", "--convert-to-kana"}, "text", true, 3, 0, {}, false},
        {{"--output", "--help"}, "--help", true, 3, 0, {}, false},
        {{"--search-info", "--search-word"}, "text", true, 3, 0, {"--search-word"}, false},
    };
    for (const Parsed& expected : cases) {
        std::vector<std::string> arguments = expected.options;
        arguments.insert(arguments.end(), {"search", "x"});
        const std::string shown = testing::PrintToString(arguments);
        dexaru2::Options options;
        ASSERT_TRUE(parse(arguments, options)) << shown;
        EXPECT_EQ(options.command, "search") << shown;
        EXPECT_EQ(options.cliSearchText, "x") << shown;
        EXPECT_EQ(options.resultsFormat, expected.format) << shown;
        EXPECT_EQ(options.convertToKana, expected.convertToKana) << shown;
        EXPECT_EQ(options.searchOptions.searchFlags, expected.flags) << shown;
        EXPECT_EQ(options.searchOptions.commonFilter, expected.commonFilter) << shown;
        EXPECT_EQ(options.searchOptions.partsOfSpeech, expected.partsOfSpeech) << shown;
        EXPECT_EQ(options.searchOptions.matchAllPartsOfSpeech, expected.matchAll) << shown;
        EXPECT_EQ(options.searchOptions.limit, 200) << shown;
    }

    dexaru2::Options list;
    ASSERT_TRUE(parse({"list", "parts-of-speech"}, list));
    EXPECT_EQ(list.command + " " + list.listWhat, "list parts-of-speech");
    EXPECT_EQ(list.searchOptions.searchFlags, 0);

    const std::vector<std::vector<std::string>> refused = {
        {}, {"list"}, {"list", "kanji"}, {"list", "dictionaries", "dictionaries"}, {"search"},
        {"search", ""}, {"search", "a", "b"}, {"search", "x", "-o"}, {"search", "x", "--search-info"},
        {"--help", "search", "x"}, {"find", "x"}, {"--bogus", "search", "x"}, {"search", "x", "--bogus"},
    };
    for (const std::vector<std::string>& arguments : refused) {
        dexaru2::Options options;
        EXPECT_FALSE(parse(arguments, options)) << testing::PrintToString(arguments);
    }
}

TEST(OutputTest, PrintersReturnTheirStatusAndWriteOnlyKnownFormats)
{
    WordResult empty;
    CharacterResult noKanji;
    const struct {
        WordResult* words;
        const char* format;
        int status;
        const char* output;
    } cases[] = {
        {nullptr, "text", 1, ""},
        {&empty, "text", 0, "Kanji Results:\nSearch Results:\n"},
        {&empty, "xml", 0, "<kanjiresults>\n</kanjiresults>\n<results>\n</results>\n"},
        {&empty, "XML", 0, ""},
        {&empty, "", 0, ""},
    };
    for (const auto& expected : cases) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(dexaru2::printKanjiResults(&noKanji, expected.format), 0);
        EXPECT_EQ(dexaru2::printResults(expected.words, expected.format), expected.status);
        const std::string output = testing::internal::GetCapturedStdout();
        if (expected.words != nullptr) {
            EXPECT_EQ(output, expected.output) << expected.format;
        }
    }
    EXPECT_EQ(dexaru2::printKanjiResults(nullptr, "text"), 0);
}

// A lookup over a small folder of data, built with the working directory
// there, as the program does.
class LookupTest : public testing::Test
{
protected:
    void SetUp() override
    {
        data.write("partsofspeech.drx", "n\tnoun\n");
        data.write("dictionaries/edict/edict",
                   testfiles::euc("猫 [ねこ] /(n) cat/(P)/\n子猫 [こねこ] /(n) kitten/\n"));
        data.write("dictionaries/kanjidic/kanjidic.jis-x-0208-1990",
                   testfiles::euc("猫 4753 U732b S11 F1702 ビョウ ねこ {cat}\n"));
        data.write("dictionaries/radical/radkfile", testfiles::euc("$ 田 5\n猫\n"));
        char here[PATH_MAX];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        previous = here;
        ASSERT_EQ(chdir(data.path.c_str()), 0);
    }

    void TearDown() override { EXPECT_EQ(chdir(previous.c_str()), 0); }

    static std::string searchOutput(dexaru2::Lookup& lookup, const std::vector<std::string>& arguments)
    {
        dexaru2::Options options;
        EXPECT_TRUE(parse(arguments, options));
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        lookup.search(options);
        testing::internal::GetCapturedStderr();
        return testing::internal::GetCapturedStdout();
    }

    testfiles::Utf8Locale locale;
    testfiles::TempDir data;
    std::string previous;
};

TEST_F(LookupTest, SearchesAgainWithTheSameResults)
{
    testing::internal::CaptureStderr();
    auto lookup = std::make_unique<dexaru2::Lookup>();
    testing::internal::GetCapturedStderr();
    const std::vector<std::vector<std::string>> searches = {
        {"search", "neko"},
        {"search", "*neko", "--search-wildcard", "--search-kana", "-o", "xml"},
        {"search", "kitten", "--search-meaning", "--no-convert-to-kana"},
        {"search", "neko", "--search-uncommon"},
    };
    std::vector<std::string> first;
    for (const auto& arguments : searches) {
        first.push_back(searchOutput(*lookup, arguments));
    }
    EXPECT_NE(first[0].find("1. 猫(11 strokes):"), std::string::npos) << first[0];
    EXPECT_NE(first[1].find("<word>子猫</word>"), std::string::npos) << first[1];
    EXPECT_NE(first[2].find("1. 子猫(こねこ):"), std::string::npos) << first[2];
    EXPECT_EQ(first[3], "Kanji Results:\nSearch Results:\n");
    for (size_t i = searches.size(); i-- > 0;) {
        EXPECT_EQ(searchOutput(*lookup, searches[i]), first[i]) << "search " << i << " again";
    }
    testing::internal::CaptureStderr();
    lookup.reset();
    testing::internal::GetCapturedStderr();
}

} // namespace
