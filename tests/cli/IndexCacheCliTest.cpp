// dexaru2 prints the same results and the same messages whether its EDICT
// indexes come from their caches, are parsed and cached, or are parsed with
// caching off: on a generated dictionary above the caching threshold and on
// the real dictionaries beside the program when they are set up.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string toEucJp(const std::string& utf8)
{
    iconv_t descriptor = iconv_open("EUC-JP", "UTF-8");
    std::vector<char> input(utf8.begin(), utf8.end());
    std::vector<char> output(utf8.size() + 16);
    char* in = input.data();
    char* out = output.data();
    size_t inLeft = input.size();
    size_t outLeft = output.size();
    EXPECT_NE(iconv(descriptor, &in, &inLeft, &out, &outLeft), static_cast<size_t>(-1));
    iconv_close(descriptor);
    return std::string(output.data(), output.size() - outLeft);
}

struct ProgramRun
{
    std::string output;
    std::string messages;
    int status;
};

class IndexCacheCliTest : public testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/dexaru2-cache-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        std::filesystem::create_directories(folder + "/cache");
        std::filesystem::create_directories(folder + "/tree/dictionaries/edict");
        ASSERT_EQ(symlink(DEXARU_PROGRAM, (folder + "/tree/dexaru2").c_str()), 0);
        const std::string tree = folder + "/tree/";
        std::ofstream(tree + "partsofspeech.drx") << "n\tnoun\nvs\tverbal noun\n";
        std::ofstream(tree + "fuzzysearch.uni.dat") << "*た:*る\n";
        std::string words = "猫 [ねこ] /(n) cat/(P)/\nネコ /(n) cat (colloquial)/\n"
                            "食べる [たべる] /(v1) to eat/(P)/\n";
        for (int i = 0; i < 40000; ++i) {
            words += "単語" + std::to_string(i) + " [たんご] /(n) word number " + std::to_string(i)
                     + "/\n";
        }
        const std::string edict = tree + "dictionaries/edict/edict";
        std::ofstream(edict, std::ios::binary) << toEucJp(words + "子猫 [こねこ] /(n) kitten/\n");
        // Old enough to be cached.
        const struct timespec times[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, edict.c_str(), times, 0), 0);
        ASSERT_GT(std::filesystem::file_size(edict), 1u << 20);
    }

    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    ProgramRun run(const std::string& program, const std::vector<std::string>& arguments, bool cache)
    {
        std::vector<char*> argv = {const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        const std::string outputFile = folder + "/output";
        const std::string messagesFile = folder + "/messages";
        const pid_t child = fork();
        if (child == 0) {
            setenv("XDG_CACHE_HOME", (folder + "/cache").c_str(), 1);
            setenv("DEXARU_INDEX_CACHE", cache ? "1" : "0", 1);
            const int output = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int messages = open(messagesFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(output, STDOUT_FILENO);
            dup2(messages, STDERR_FILENO);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return ProgramRun{readFile(outputFile), readFile(messagesFile),
                   WIFEXITED(status) ? WEXITSTATUS(status) : -1};
    }

    size_t cacheFiles() const
    {
        const std::string cacheFolder = folder + "/cache/dexaru";
        if (!std::filesystem::exists(cacheFolder)) {
            return 0;
        }
        size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(cacheFolder)) {
            count += entry.is_regular_file() ? 1 : 0;
        }
        return count;
    }

    std::string folder;
};

TEST_F(IndexCacheCliTest, ResultsAndMessagesAreTheSameWithAndWithoutCache)
{
    std::vector<std::string> programs = {folder + "/tree/dexaru2"};
    const std::string realTree = std::filesystem::path(DEXARU_PROGRAM).parent_path();
    if (access((realTree + "/dictionaries/edict/edict").c_str(), R_OK) == 0) {
        programs.push_back(DEXARU_PROGRAM);
    }
    const std::vector<std::vector<std::string>> searches = {
        {"search", "neko"},
        {"-o", "xml", "search", "NEKO"},
        {"--search-defaults", "--search-wildcard", "search", "*neko*"},
        {"--search-defaults", "--search-ignore-case", "--search-common", "search", "NEKO"},
        {"--search-meaning", "--no-convert-to-kana", "search", "kitten"},
        {"--search-defaults", "--search-fuzzy", "--search-info", "v1", "search", "tabeta"},
        {"--search-word", "search", "単語3999"},
    };
    for (const std::string& program : programs) {
        std::filesystem::remove_all(folder + "/cache/dexaru");
        for (const std::vector<std::string>& search : searches) {
            SCOPED_TRACE(program + " " + search.back());
            const ProgramRun parsed = run(program, search, false);
            const ProgramRun first = run(program, search, true);
            ASSERT_GE(cacheFiles(), 1u);
            const ProgramRun warm = run(program, search, true);
            EXPECT_EQ(parsed.status, 0);
            EXPECT_FALSE(parsed.output.empty());
            EXPECT_EQ(first.output, parsed.output);
            EXPECT_EQ(warm.output, parsed.output);
            EXPECT_EQ(first.messages, parsed.messages);
            EXPECT_EQ(warm.messages, parsed.messages);
            EXPECT_EQ(warm.status, parsed.status);
        }
    }
}

}  // namespace
