// dexaru2 searches what a learner types: English stays English, the
// relevance order ranks the whole result before the limit of 200 cuts it,
// and a fuzzy search in that order names the long-vowel spellings it
// tried in its output.

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using testfiles::euc;

// 250 uncommon "waterfall" words come before 水 in the file and in reading
// order.
std::string edictLines()
{
    std::string lines;
    for (int n = 0; n < 250; ++n) {
        lines += "滝" + std::to_string(n) + " [あ] /(n) waterfall number " + std::to_string(n) + "/\n";
    }
    return lines + "水 [みず] /(n) (1) water/(2) fluid/(P)/\n"
                   "ホン /(n) phon/(P)/\n"
                   "本 [ほん] /(n) book/(P)/\n"
                   "東京 [とうきょう] /(n) Tokyo/(P)/\n";
}

class TypedSearchCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        program.write("partsofspeech.drx", "n\tnoun\n");
        program.write("dictionaries/edict/edict", euc(edictLines()));
        std::filesystem::copy_file(DEXARU_SOURCE_DIR "/data/deinflection.dat",
                                   program.path() + "/deinflection.dat");
    }

    std::string words(std::vector<std::string> arguments)
    {
        const testfiles::ProgramRun run = program.run(arguments);
        EXPECT_EQ(run.status, 0);
        const std::size_t block = run.out.find("Search Results:\n");
        return block == std::string::npos ? run.out.substr(run.out.find("<results>")) : run.out.substr(block);
    }

    static int rows(const std::string& block)
    {
        int count = 0;
        for (std::size_t at = block.find("[Edict@"); at != std::string::npos; at = block.find("[Edict@", at + 1)) {
            ++count;
        }
        return count;
    }

    testfiles::ProgramFolder program;
};

}  // namespace

TEST_F(TypedSearchCliTest, RelevanceRanksTheWholeResultThenCutsIt)
{
    const struct
    {
        std::vector<std::string> arguments;
        const char* first;  // the first word block line after the heading
        int rows;
    } cases[] = {
        // English stays as typed, conversion asked for or not.
        {{"--order", "relevance", "--search-meaning", "search", "water"}, "1. 水(みず):", 200},
        {{"--order", "relevance", "--search-meaning", "--no-convert-to-kana", "search", "water"}, "1. 水(みず):", 200},
        // English where romaji was to become kana has no reading-order
        // result of its own: it is ranked as a learner needs it.
        {{"--search-meaning", "search", "water"}, "1. 水(みず):", 200},
        // English given as English keeps the reading order and its cut: the
        // first 200 of the file.
        {{"--search-meaning", "--no-convert-to-kana", "search", "water"}, "1. 滝0(あ):", 200},
        // Kana as typed before the katakana that only folding finds.
        {{"--order", "relevance", "--search-defaults", "--search-ignore-case", "search", "hon"}, "1. 本(ほん):", 2},
    };
    for (const auto& c : cases) {
        const std::string block = words(c.arguments);
        EXPECT_EQ(block.substr(block.find('\n') + 1, std::string(c.first).size()), c.first)
            << testing::PrintToString(c.arguments);
        EXPECT_EQ(rows(block), c.rows) << testing::PrintToString(c.arguments);
    }
    EXPECT_EQ(words({"--search-meaning", "--no-convert-to-kana", "search", "water"}).find("水(みず)"),
              std::string::npos);
}

TEST_F(TypedSearchCliTest, FuzzyRelevanceSearchNamesTheLongVowelSpellings)
{
    // In the reading order too, where the text as typed finds nothing.
    for (const char* order : {"relevance", "reading"})
        EXPECT_EQ(words({"--order", order, "--search-defaults", "--search-fuzzy", "search", "tokyo"}),
              "Search Results:\n"
              "also searched: とうきょう\n"
              "1. 東京(とうきょう):\n"
              "   [toukyou]\n"
              "   * Common.\n"
              "   + (n) noun\n"
              "   1. Tokyo\n"
              "   [Edict@0: The usual edict]\n");
    EXPECT_EQ(words({"--order", "relevance", "--search-defaults", "--search-fuzzy", "-o", "xml", "search", "tokyo"})
                  .substr(0, 60),
              std::string("<results>\n\t<alsosearched>とうきょう</alsosearched>\n\t<entry>").substr(0, 60));
    // Nothing tried, nothing said: no fuzzy search, the reading order with
    // words found as typed, a word found as written.
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"--order", "relevance", "--search-defaults", "search", "tokyo"},
             {"--search-defaults", "--search-fuzzy", "search", "hon"},
             {"--order", "relevance", "--search-defaults", "--search-fuzzy", "search", "toukyou"},
             {"--order", "relevance", "--search-defaults", "--search-fuzzy", "-o", "xml", "search", "toukyou"}}) {
        const std::string block = words(arguments);
        EXPECT_EQ(block.find("also searched"), std::string::npos) << testing::PrintToString(arguments);
        EXPECT_EQ(block.find("alsosearched"), std::string::npos) << testing::PrintToString(arguments);
    }
}
