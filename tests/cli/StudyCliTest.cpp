// "dexaru2 study" run as a user runs it: on fixture dictionaries, with the
// study list in a file of the test's own; what each command prints, the
// one line and the status of each failure, and several runs adding at once.
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <poll.h>
#include <pty.h>
#include <string>
#include <vector>

namespace {

using testfiles::euc;

const char* const edictLines =
    "猫 [ねこ] /(n) (1) cat/(n) (2) shamisen/(P)/\n"
    "猫 [ねこま] /(n) (arch) cat/\n"
    "犬 [いぬ] /(n) dog/(P)/\n"
    "食べる [たべる] /(v1,vt) (1) to eat/(v1,vt) (2) to live on/(P)/\n"
    "行く [いく] /(v5k-s,vi) to go/(P)/\n"
    "行く [ゆく] /(v5k-s,vi) to go (literary)/\n"
    "引用 [いんよう] /(n) \"quote\", citation/\n";

class StudyCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        program.write("partsofspeech.drx", "n\tnoun\nv1\tIchidan verb\nvt\ttransitive verb\n"
                                           "v5k-s\tGodan verb (iku)\nvi\tintransitive verb\n");
        program.write("fuzzysearch.uni.dat", "");
        program.write("deinflection.dat", testfiles::readFile(DEXARU_SOURCE_DIR "/data/deinflection.dat"));
        program.write("dictionaries/edict/edict", euc(edictLines));
        studyFile = program.path() + "/kept/study.sqlite";
        setenv("DEXARU_STUDY_FILE", studyFile.c_str(), 1);
    }
    void TearDown() override { unsetenv("DEXARU_STUDY_FILE"); }

    testfiles::ProgramRun study(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "study");
        return program.run(arguments);
    }

    testfiles::ProgramFolder program;
    std::string studyFile;
};

std::string shown(const std::vector<std::string>& arguments)
{
    std::string text = "dexaru2 study";
    for (const std::string& argument : arguments) {
        text += " '" + argument + "'";
    }
    return text;
}

TEST_F(StudyCliTest, AddGradeAndListPrintWhatTheyDid)
{
    const struct {
        std::vector<std::string> arguments;
        std::string out;
    } steps[] = {
        {{"add", "tabeta", "--sentence", "魚を食べた。", "--at", "2026-12-08T10:00:00Z"}, "1\n"},
        {{"add", "猫", "--at", "2026-12-08T10:00:05Z"}, "2\n"},
        // The same word again, in romaji this time: the card it has.
        {{"add", "neko", "--at", "2026-12-08T11:00:00Z"}, "2\n"},
        {{"add", "猫", "--reading", "ねこま", "--at", "2026-12-08T10:00:07Z"}, "3\n"},
        {{"add", "行く", "--reading", "yuku", "--at", "2026-12-08T10:00:09Z"}, "4\n"},
        {{"due", "--at", "2026-12-08T10:00:06Z"}, "1\n2\n"},
        {{"due", "--at", "2026-12-08T09:00:00Z"}, ""},
        {{"grade", "1", "good", "--at", "2026-12-08T10:01:00Z"}, "2026-12-08T10:11:00Z\n"},
        {{"grade", "1", "good", "--at", "2026-12-08T10:11:00Z"}, "2026-12-10T10:11:00Z\n"},
        {{"grade", "2", "again", "--at", "2026-12-08T10:02:00Z"}, "2026-12-08T10:03:00Z\n"},
        {{"grade", "2", "hard", "--at", "2026-12-08T10:03:00Z"}, "2026-12-08T10:09:00Z\n"},
        {{"grade", "3", "easy", "--at", "2026-12-08T10:04:00Z"}, "2026-12-16T10:04:00Z\n"},
        {{"due", "--at", "2026-12-08T10:10:00Z"}, "4\n2\n"},
        {{"remove", "4"}, ""},
        {{"list"},
         "1\t食べる\tたべる\treview\t2026-12-10T10:11:00Z\t2\t0\tto eat\n"
         "2\t猫\tねこ\tlearning\t2026-12-08T10:09:00Z\t2\t0\tcat\n"
         "3\t猫\tねこま\treview\t2026-12-16T10:04:00Z\t1\t0\tcat\n"},
    };
    for (const auto& step : steps) {
        const testfiles::ProgramRun run = study(step.arguments);
        EXPECT_EQ(step.out, run.out) << shown(step.arguments);
        EXPECT_EQ(0, run.status) << shown(step.arguments) << ": " << run.err;
        EXPECT_EQ("", run.err) << shown(step.arguments);
    }

    const testfiles::ProgramRun show = study({"show", "1"});
    EXPECT_EQ(0, show.status);
    for (const char* line : {"word: 食べる\n", "reading: たべる\n", "meaning 1: (1) to eat\n",
                             "meaning 2: (2) to live on\n", "parts of speech: v1,vt\n",
                             "dictionary: The usual edict\n", "sentence: 魚を食べた。\n",
                             "met in: typed\n", "added: 2026-12-08T10:00:00Z\n", "state: review\n",
                             "stability: 2.3065\n", "difficulty: 2.1112142\n", "reviews: 2\n",
                             "review: 2026-12-08T10:01:00Z good new -> learning, due 2026-12-08T10:11:00Z\n"}) {
        EXPECT_NE(std::string::npos, show.out.find(line)) << line << show.out;
    }
}

TEST_F(StudyCliTest, EachFailureIsOneLineAndAStatus)
{
    ASSERT_EQ("1\n", study({"add", "犬", "--at", "2026-12-08T10:00:00Z"}).out);
    ASSERT_EQ(0, study({"grade", "1", "good", "--at", "2026-12-09T10:00:00Z"}).status);
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* says;
    } cases[] = {
        {{"grade", "99", "good"}, 1, "no card 99"},
        {{"grade", "abc", "good"}, 1, "'abc' is not a card id"},
        {{"grade", "-1", "good"}, 2, "unknown option '-1'"},
        {{"grade", "0", "good"}, 1, "'0' is not a card id"},
        {{"grade", "1", "great"}, 1, "'great' is not a rating"},
        {{"grade", "1", "good", "--at", "tomorrow"}, 1, "'tomorrow' is not a time"},
        {{"grade", "1", "good", "--at", "2026-12-08T10:00:00"}, 1, "is not a time"},
        {{"grade", "1", "good", "--at", "2026-12-08T10:00:00Z"}, 1, "a day before the card's last review"},
        {{"grade", "1", "good", "--at", "2026-12-01T23:59:59Z"}, 1,
         "review at 2026-12-01T23:59:59Z, on a day before the card's last review at 2026-12-09T10:00:00Z"},
        {{"show", "7"}, 1, "no card 7"},
        {{"remove", "7"}, 1, "no card 7"},
        {{"add", "ぬぬぬぬ"}, 1, "no dictionary has 'ぬぬぬぬ'"},
        {{"add", "water"}, 1, "no dictionary has 'water' as a word or reading; for an English meaning"},
        {{"add", "to eat"}, 1, "add the Japanese word that 'dexaru2 --search-meaning search' finds"},
        {{"add", "犬", "--reading", "けん"}, 1, "no entry of '犬' reads 'けん'"},
        {{"due", "--at", "2026-02-30T00:00:00Z"}, 1, "is not a time"},
        {{"review"}, 1, "needs a terminal"},
        {{}, 2, "no command"},
        {{"learn"}, 2, "unknown command 'learn'"},
        {{"grade", "1"}, 2, "needs 2 arguments"},
        {{"show", "1", "2"}, 2, "too many arguments"},
        {{"list", "--at", "2026-12-08T10:00:00Z"}, 2, "takes no option '--at'"},
        {{"due", "--at"}, 2, "needs a value"},
        {{"add", "犬", "--colour", "red"}, 2, "unknown option '--colour'"},
        {{"export", "json", "-"}, 2, "unknown export format 'json'"},
        {{"export", "csv", "/no/such/folder/out.csv"}, 1, "cannot write '/no/such/folder/out.csv'"},
        {{"retention", "1.5"}, 1, "not a desired retention"},
    };
    for (const auto& c : cases) {
        const testfiles::ProgramRun run = study(c.arguments);
        EXPECT_EQ(c.status, run.status) << shown(c.arguments);
        EXPECT_EQ("", run.out) << shown(c.arguments);
        EXPECT_NE(std::string::npos, run.err.find(c.says)) << shown(c.arguments) << ": " << run.err;
        EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n')) << shown(c.arguments) << ": " << run.err;
    }
    // Nothing of that changed the card.
    EXPECT_EQ("1\t犬\tいぬ\tlearning\t2026-12-09T10:10:00Z\t1\t0\tdog\n", study({"list"}).out);
}

TEST_F(StudyCliTest, AFileThatIsNoStudyListIsNamedAndLeftAlone)
{
    const std::string notes = program.write("notes.txt", "my own notes\n");
    setenv("DEXARU_STUDY_FILE", notes.c_str(), 1);
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"add", "犬"}, {"list"}, {"grade", "1", "good"},
                                               {"export", "csv", "-"}}) {
        const testfiles::ProgramRun run = study(arguments);
        EXPECT_EQ(1, run.status) << shown(arguments);
        EXPECT_EQ("dexaru2 study: '" + notes + "' is not a study list (not an SQLite database); it "
                  "was left as it is.\n", run.err) << shown(arguments);
    }
    EXPECT_EQ("my own notes\n", testfiles::readFile(notes));
    EXPECT_FALSE(testfiles::exists(notes + "-wal"));
}

TEST_F(StudyCliTest, WithoutDictionariesAddSaysWhy)
{
    ASSERT_EQ(0, std::remove((program.path() + "/dictionaries/edict/edict").c_str()));
    const testfiles::ProgramRun run = study({"add", "猫"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("dexaru2 study: no word dictionary could be read, so '猫' cannot be looked up (see "
              "the FILES of 'man dexaru2')\n", run.err);
}

TEST_F(StudyCliTest, HelpAndTheGeneralUsageStayApart)
{
    const testfiles::ProgramRun help = study({"--help"});
    EXPECT_EQ(0, help.status);
    EXPECT_EQ(0u, help.out.find("Usage:\n   dexaru2 study <command>"));
    for (const char* command : {"add <word>", "list", "due", "grade <id> again|hard|good|easy",
                                "show <id>", "remove <id>", "review", "export csv|anki <file>"}) {
        EXPECT_NE(std::string::npos, help.out.find(command)) << command;
    }
    // The general usage text does not mention the study list.
    const testfiles::ProgramRun usage = program.run({"--help"});
    EXPECT_EQ(1, usage.status);
    EXPECT_EQ(std::string::npos, usage.out.find("study"));
}

TEST_F(StudyCliTest, RunsAddingAtOnceAllSucceed)
{
    const std::vector<std::string> words = {"猫", "犬", "食べる", "行く", "引用", "neko"};
    std::vector<pid_t> children;
    for (const std::string& word : words) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const testfiles::ProgramRun run = study({"add", word});
            _exit(run.status == 0 && !run.out.empty() ? 0 : 1);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string list = study({"list"}).out;
    EXPECT_EQ(5, std::count(list.begin(), list.end(), '\n')) << list;
}

// Runs "dexaru2 study review" on a pseudo-terminal, typing each key once
// the program has printed what comes before it, and gives all it printed.
std::string reviewInATerminal(const std::string& program, const std::vector<std::pair<std::string, char>>& keys)
{
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        execl(program.c_str(), program.c_str(), "study", "review", static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string output;
    size_t next = 0;
    for (int waited = 0; waited < 200; ++waited) {
        pollfd ready = {terminal, POLLIN, 0};
        if (poll(&ready, 1, 50) > 0) {
            char buffer[4096];
            const ssize_t got = read(terminal, buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            output.append(buffer, static_cast<size_t>(got));
        }
        if (next < keys.size() && output.find(keys[next].first) != std::string::npos) {
            if (write(terminal, &keys[next].second, 1) != 1) {
                break;
            }
            ++next;
        }
    }
    close(terminal);
    waitpid(child, nullptr, 0);
    return output;
}

TEST_F(StudyCliTest, AReviewInTheTerminalShowsGradesAndRecords)
{
    ASSERT_EQ("1\n", study({"add", "食べる", "--sentence", "魚を食べた。"}).out);
    ASSERT_EQ("2\n", study({"add", "犬"}).out);
    const std::string shown = reviewInATerminal(program.program(), {{"食べる", '\n'},
                                                                    {"4 easy", '3'},
                                                                    {"犬", ' '},
                                                                    {"dog", '1'},
                                                                    {"again", 'q'}});
    for (const char* text : {"2 cards are due.", "たべる", "(1) to eat", "Met in: 魚を食べた。",
                             "1 again 1m  2 hard 6m  3 good 10m  4 easy 8d",
                             "good: due again in 10m", "again: due again in 1m"}) {
        EXPECT_NE(std::string::npos, shown.find(text)) << text << "\n" << shown;
    }
    const std::string list = study({"list"}).out;
    EXPECT_NE(std::string::npos, list.find("1\t食べる\tたべる\tlearning\t")) << list;
    EXPECT_NE(std::string::npos, list.find("2\t犬\tいぬ\tlearning\t")) << list;
}

TEST_F(StudyCliTest, ExportsParseBackWithTheirColumns)
{
    study({"add", "引用", "--sentence", "He said \"hi\",\tthen\nleft: 引用", "--at", "2026-12-08T10:00:00Z"});
    study({"add", "犬", "--at", "2026-12-08T10:00:00Z"});
    const testfiles::ProgramRun csv = study({"export", "csv", "-"});
    EXPECT_EQ(0, csv.status);
    EXPECT_EQ(0u, csv.out.find("word,reading,meanings,"));
    EXPECT_NE(std::string::npos,
              csv.out.find("引用,いんよう,\"\"\"quote\"\", citation\",n,\"He said \"\"hi\"\",\tthen\nleft: 引用\""))
        << csv.out;

    const std::string file = program.path() + "/anki.txt";
    ASSERT_EQ(0, study({"export", "anki", file}).status);
    const std::string anki = testfiles::readFile(file);
    EXPECT_NE(std::string::npos,
              anki.find("引用\tいんよう\t&quot;quote&quot;, citation\tHe said &quot;hi&quot;,&#9;then<br>left: <b>引用</b>\t\t\n"))
        << anki;
}

}  // namespace
