// The tour in README.md shows what each command prints on the real
// dictionaries: every "$ dexaru2 ..." example there is run as a shell
// command, and its output must equal the lines shown, a line "…" standing
// for any run of lines left out. Skipped, saying so, when the dictionaries
// are not set up.
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Example
{
    int line;  // in README.md
    std::string command;
    std::vector<std::string> output;
};

// The indented "$ command" lines of the README and the indented lines under
// each, up to the first line that is not indented.
std::vector<Example> readmeExamples()
{
    std::ifstream readme(DEXARU_SOURCE_DIR "/README.md");
    const std::string indent = "    ";
    std::vector<Example> examples;
    std::string line;
    bool inExample = false;
    for (int number = 1; std::getline(readme, line); ++number) {
        if (line.compare(0, indent.size() + 2, indent + "$ ") == 0) {
            examples.push_back(Example{number, line.substr(indent.size() + 2), {}});
            inExample = true;
        } else if (inExample && line.compare(0, indent.size(), indent) == 0) {
            examples.back().output.push_back(line.substr(indent.size()));
        } else {
            inExample = false;
        }
    }
    return examples;
}

bool isCut(const std::string& line)
{
    const size_t start = line.find_first_not_of(' ');
    return start != std::string::npos && line.compare(start, std::string::npos, "…") == 0;
}

// Do the lines from `have` on match the shown lines from `shown` on?
bool matches(const std::vector<std::string>& shown, size_t s, const std::vector<std::string>& have,
             size_t h)
{
    if (s == shown.size()) {
        return h == have.size();
    }
    if (isCut(shown[s])) {
        for (size_t skip = h; skip <= have.size(); ++skip) {
            if (matches(shown, s + 1, have, skip)) {
                return true;
            }
        }
        return false;
    }
    return h < have.size() && shown[s] == have[h] && matches(shown, s + 1, have, h + 1);
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        lines.push_back(line);
    }
    // A README block cannot show the empty lines an output ends with.
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

// Runs the command with the built dexaru2 first on the PATH, as a user of a
// fresh account would (no preferences, no index cache), and gives its
// standard output.
std::string run(const std::string& command, const testfiles::TempDir& home)
{
    const std::string program = DEXARU_PROGRAM;
    const std::string folder = program.substr(0, program.rfind('/'));
    const std::string script = home.write(
        "example.sh", "cd '" + folder + "' || exit 1\nexport PATH='" + folder + "':\"$PATH\" HOME='"
                          + home.path + "' XDG_CONFIG_HOME='" + home.path + "/config' XDG_CACHE_HOME='"
                          + home.path + "/cache' LC_ALL=C.UTF-8 DEXARU_INDEX_CACHE=0\n" + command
                          + "\n");
    FILE* pipe = popen(("sh '" + script + "' </dev/null").c_str(), "r");
    std::string output;
    char buffer[4096];
    size_t got;
    while (pipe != nullptr && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, got);
    }
    if (pipe != nullptr) {
        pclose(pipe);
    }
    return output;
}

TEST(ReadmeExamplesTest, EveryExampleOfTheTourPrintsWhatTheReadmeShows)
{
    const std::string program = DEXARU_PROGRAM;
    const std::string edict = program.substr(0, program.rfind('/')) + "/dictionaries/edict/edict";
    if (access(edict.c_str(), R_OK) != 0) {
        std::printf("%s is missing: set up the real dictionaries\n", edict.c_str());
        GTEST_SKIP() << "the real dictionaries are not set up";
    }
    const std::vector<Example> examples = readmeExamples();
    ASSERT_GE(examples.size(), 6u);
    testfiles::TempDir home;
    for (const Example& example : examples) {
        SCOPED_TRACE("README.md line " + std::to_string(example.line) + ": " + example.command);
        const std::string output = run(example.command, home);
        EXPECT_TRUE(matches(example.output, 0, linesOf(output), 0)) << output;
    }
}

}  // namespace
