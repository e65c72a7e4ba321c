// End-to-end tests of "dexaru2 handwriting": a folder with a small KANJIDIC
// and the built program linked into it; drawings of our own on the command
// line or standard input. Skipped where the Zinnia model is not installed,
// except what needs no model.

#include "HandwritingRecognizer.h"
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testfiles::euc;

const char* const juu = "100,480 880,420;480,100 495,910";
const char* const ki = "120,340 880,330;500,90 510,930;490,350 320,600 140,780;510,360 700,580 890,770";

class HandwritingCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        program.write("dictionaries/kanjidic/kanjidic.jis-x-0208-1990",
                      euc("十 3d3d U5341 S2 {ten}\n"
                          "土 455a U571f S3 {soil}\n"
                          "木 4c5a U6728 S4 {tree}\n"
                          "本 4b5c U672c S5 {book}\n"));
    }

    static bool modelInstalled() { return access(HandwritingRecognizer::DEFAULT_MODEL, R_OK) == 0; }

    testfiles::ProgramRun runWithInput(const std::vector<std::string>& arguments, const std::string& input)
    {
        const std::string file = program.write("input.txt", input);
        std::vector<std::string> shell = {"-c", "program=\"$1\"; input=\"$2\"; shift 2; "
                                                "exec \"$program\" \"$@\" < \"$input\"",
                                          "sh", program.program(), file};
        shell.insert(shell.end(), arguments.begin(), arguments.end());
        return testfiles::runProgram("/bin/sh", shell, 60);
    }

    static std::vector<std::string> lines(const std::string& text)
    {
        std::vector<std::string> all;
        std::istringstream stream(text);
        std::string line;
        while (std::getline(stream, line)) {
            all.push_back(line);
        }
        return all;
    }

    testfiles::ProgramFolder program;
};

}  // namespace

// Every line in gives exactly one line out: candidates (the dictionary's
// kanji and kana only), or an empty line for nothing drawn and for a line
// that cannot be read, which standard error names.
TEST_F(HandwritingCliTest, PrintsOneLineForEveryLineIn)
{
    if (!modelInstalled()) {
        GTEST_SKIP() << "the Zinnia model is not installed";
    }
    const struct
    {
        std::string line;
        const char* first;  // empty: an empty line out
        bool refused;
    } cases[] = {
        {juu, "十", false},
        {std::string("ten-1\t") + juu, "十", false},
        {std::string(juu) + "\r", "十", false},
        {ki, "木", false},
        {"", "", false},
        {"   ", "", false},
        {"ten\t", "", false},
        {"100,480 880,420;", "", true},
        {"100;480", "", true},
        {"nan,4 5,6", "", true},
        {"5,6 7,1e400", "", true},
        {testfiles::repeat("1,1;", 5000) + "1,1", "", true},
        {testfiles::repeat("1,1 ", 1000000) + "1,1", "", true},
    };
    std::string input;
    for (const auto& c : cases) {
        input += c.line + "\n";
    }
    const testfiles::ProgramRun run = runWithInput({"handwriting", "-"}, input);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.status, 3);
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), std::size(cases)) << run.out;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto& c = cases[i];
        const std::string number = "line " + std::to_string(i + 1) + " ";
        EXPECT_EQ(run.err.find("dexaru2: " + number) != std::string::npos, c.refused) << number << run.err;
        if (*c.first == '\0') {
            EXPECT_EQ(out[i], "") << number;
            continue;
        }
        EXPECT_EQ(out[i].compare(0, std::string(c.first).size(), c.first), 0) << number << out[i];
        // Single spaces between candidates, at most ten, only known ones.
        std::istringstream words(out[i]);
        std::string word;
        int count = 0;
        while (std::getline(words, word, ' ')) {
            ++count;
            const bool kanji = word == "十" || word == "土" || word == "木" || word == "本";
            const bool kana = word.size() == 3 && static_cast<unsigned char>(word[0]) == 0xE3;
            EXPECT_TRUE(kanji || kana) << number << out[i];
        }
        EXPECT_LE(count, 10);
    }
}

// Drawings within the limits but with more corners and points than any
// character: each is recognised (the small dictionary may leave no
// candidate), in bounded time and memory (the runner kills a program that
// hangs).
TEST_F(HandwritingCliTest, RecognisesScribblesWithinTheLimits)
{
    if (!modelInstalled()) {
        GTEST_SKIP() << "the Zinnia model is not installed";
    }
    const auto spiral = [](int points) {
        std::string stroke;
        for (int i = 0; i < points; ++i) {
            const double radius = 450.0 * i / points;
            stroke += (i ? " " : "") + std::to_string(500 + radius * std::cos(i * 2.5)) + ","
                      + std::to_string(500 + radius * std::sin(i * 2.5));
        }
        return stroke;
    };
    std::string manyStrokes;
    for (int stroke = 0; stroke < 100; ++stroke) {
        manyStrokes += (stroke ? ";" : "") + spiral(200);
    }
    const std::string input = spiral(60) + "\n" + spiral(20000) + "\n" + manyStrokes + "\n";
    const testfiles::ProgramRun run = runWithInput({"handwriting", "-n", "3", "-"}, input);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.status, 0) << run.err.substr(run.err.size() - std::min<std::size_t>(run.err.size(), 300));
    const std::vector<std::string> out = lines(run.out);
    EXPECT_EQ(out.size(), 3u);
    EXPECT_EQ(run.err.find("dexaru2: line"), std::string::npos);
}

TEST_F(HandwritingCliTest, TakesTheStrokesOnTheCommandLineAndACountOfCandidates)
{
    if (!modelInstalled()) {
        GTEST_SKIP() << "the Zinnia model is not installed";
    }
    const struct
    {
        std::vector<std::string> arguments;
        std::size_t candidates;
        int status;
    } cases[] = {
        {{"handwriting", juu}, 10, 0},
        {{"handwriting", "-n", "1", juu}, 1, 0},
        {{"handwriting", juu, "-n", "3"}, 3, 0},
        {{"handwriting", "-n", "25", juu}, 25, 0},
        {{"handwriting", "--zinnia-only", "-n", "2", juu}, 2, 0},
        {{"handwriting", ""}, 0, 0},
    };
    for (const auto& c : cases) {
        const testfiles::ProgramRun run = program.run(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.back();
        const std::vector<std::string> out = lines(run.out);
        ASSERT_EQ(out.size(), 1u) << run.out;
        std::size_t words = out[0].empty() ? 0 : 1;
        for (char ch : out[0]) {
            words += ch == ' ';
        }
        // The small dictionary leaves fewer than ten kanji and kana to give.
        EXPECT_LE(words, c.candidates) << out[0];
        EXPECT_GE(words, std::min<std::size_t>(c.candidates, 4)) << out[0];
        if (c.candidates > 0) {
            EXPECT_EQ(out[0].compare(0, 3, "十"), 0) << out[0];
        }
    }
}

TEST_F(HandwritingCliTest, ShowsItsOwnUsageForWrongWordsAndLeavesTheGeneralOneAlone)
{
    const std::vector<std::vector<std::string>> wrong = {
        {"handwriting"},
        {"handwriting", "--help"},
        {"--help", "handwriting", juu},
        {"handwriting", "-n", juu},
        {"handwriting", "-n", "0", juu},
        {"handwriting", "-n", "-3", juu},
        {"handwriting", "-n", "many", juu},
        {"handwriting", "-n", "100000", juu},
        {"handwriting", "--model"},
        {"handwriting", juu, juu},
    };
    for (const auto& arguments : wrong) {
        const testfiles::ProgramRun run = program.run(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out.rfind("Usage:\n   dexaru2 handwriting [-n <count>]", 0), 0u) << run.out;
    }
    const testfiles::ProgramRun general = program.run({"--help"});
    EXPECT_EQ(general.status, 1);
    EXPECT_EQ(general.out.rfind("Dexaru2 r410\n", 0), 0u);
    EXPECT_EQ(general.out.find("handwriting"), std::string::npos);
}

// A model named by a relative path is found from where the program started
// (the tests start it in "/"), not from its own folder.
TEST_F(HandwritingCliTest, TakesAModelFromWhereItStarted)
{
    if (!modelInstalled()) {
        GTEST_SKIP() << "the Zinnia model is not installed";
    }
    const std::string link = program.path() + "/own.model";
    ASSERT_EQ(symlink(HandwritingRecognizer::DEFAULT_MODEL, link.c_str()), 0);
    const testfiles::ProgramRun run = program.run({"handwriting", "--model", link.substr(1), "-n", "1", juu});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "十\n");
}

TEST_F(HandwritingCliTest, SaysWhenItCannotRecogniseAndPrintsEveryLineEmpty)
{
    const testfiles::ProgramRun run =
        runWithInput({"handwriting", "--model", program.path() + "/no.model", "-"}, std::string(juu) + "\n\n" + ki + "\n");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.out, "\n\n\n");
    EXPECT_NE(run.err.find("dexaru2: cannot recognise handwriting: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("no.model"), std::string::npos) << run.err;
}
