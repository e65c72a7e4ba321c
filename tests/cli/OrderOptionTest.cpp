// dexaru2 --order: "reading" prints exactly what no option prints;
// "relevance" runs fuzzy searches through the deinflection rules beside the
// program and tells under each word how it was reached.

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using testfiles::euc;

const char* const edictLines =
    "行く [いく] /(v5k-s,vi) to go/(P)/\n"
    "良い [いい] /(adj-ix) good/(P)/\n"
    "依々 [いい] /(adj-t) reluctant/\n"
    "飲む [のむ] /(v5m,vt) to drink/(P)/\n"
    "飲ませる [のませる] /(v1,vt) to make someone drink/\n"
    "北 [きた] /(n) north/(P)/\n"
    "来る [くる] /(vk,vi) to come/(P)/\n"
    "東京 [とうきょう] /(n) Tokyo/(P)/\n";

const char* const partsOfSpeechLines =
    "n\tnoun\nadj-ix\tyoi/ii adjective\nadj-t\ttaru adjective\nv1\tichidan verb\n"
    "v5k-s\tgodan verb (iku)\nv5m\tgodan verb\nvk\tkuru verb\nvt\ttransitive\nvi\tintransitive\n";

class OrderOptionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        program.write("partsofspeech.drx", partsOfSpeechLines);
        program.write("fuzzysearch.uni.dat", "*きました:*く\n*った:*く\n");
        program.write("dictionaries/edict/edict", euc(edictLines));
        std::filesystem::copy_file(DEXARU_SOURCE_DIR "/data/deinflection.dat",
                                   program.path() + "/deinflection.dat");
    }

    std::string out(const std::vector<std::string>& arguments)
    {
        const testfiles::ProgramRun run = program.run(arguments);
        EXPECT_EQ(run.status, 0);
        return run.out;
    }

    testfiles::ProgramFolder program;
};

}  // namespace

TEST_F(OrderOptionTest, ReadingOrderPrintsWhatNoOptionPrints)
{
    const std::vector<std::vector<std::string>> searches = {
        {"--search-defaults", "--search-fuzzy", "search", "ikimashita"},
        {"--search-defaults", "--search-fuzzy", "-o", "xml", "search", "itta"},
        {"search", "ii"},
        {"--search-fuzzy", "search", "nomaserarenakatta"},
    };
    for (std::vector<std::string> arguments : searches) {
        const std::string plain = out(arguments);
        arguments.insert(arguments.begin(), {"--order", "reading"});
        EXPECT_EQ(out(arguments), plain);
        EXPECT_EQ(plain.find("   < "), std::string::npos);
    }
}

TEST_F(OrderOptionTest, RelevanceOrderNamesTheReasonsUnderTheHeading)
{
    const std::string text =
        out({"--order", "relevance", "--search-defaults", "--search-fuzzy", "search", "nomaserarenakatta"});
    const std::string words = text.substr(text.find("Search Results:\n"));
    EXPECT_EQ(words,
              "Search Results:\n"
              "1. 飲む(のむ):\n"
              "   < のませられなかった: causative, passive, negative, past\n"
              "   [nomu]\n"
              "   * Common.\n"
              "   + (v5m) godan verb\n"
              "   + (vt) transitive\n"
              "   1. to drink\n"
              "   [Edict@0: The usual edict]\n"
              "2. 飲ませる(のませる):\n"
              "   < のませられなかった: passive, negative, past\n"
              "   [nomaseru]\n"
              "   + (v1) ichidan verb\n"
              "   + (vt) transitive\n"
              "   1. to make someone drink\n"
              "   [Edict@0: The usual edict]\n");

    const std::string xml =
        out({"--order", "relevance", "--search-defaults", "--search-fuzzy", "-o", "xml", "search", "kita"});
    const std::string entries = xml.substr(xml.find("<results>"));
    EXPECT_EQ(entries.find("<deinflection"), entries.find("<deinflection from=\"きた\">past</deinflection>"));
    EXPECT_LT(entries.find("<word>北</word>"), entries.find("<word>来る</word>"));
    EXPECT_EQ(entries.find("<deinflection"), entries.rfind("<deinflection"));
}

TEST_F(OrderOptionTest, RelevanceOrderPutsCommonWordsFirstWithoutFuzzyToo)
{
    const std::string text = out({"--order", "relevance", "search", "ii"});
    EXPECT_LT(text.find("良い(いい)"), text.find("依々(いい)"));
    EXPECT_EQ(text.find("   < "), std::string::npos);
    const std::string plain = out({"search", "ii"});
    EXPECT_LT(plain.find("依々(いい)"), plain.find("良い(いい)"));
}

TEST_F(OrderOptionTest, WithoutTheRulesFileRelevanceUsesTheFuzzyRules)
{
    std::filesystem::remove(program.path() + "/deinflection.dat");
    const std::string text = out({"--order", "relevance", "--search-defaults", "--search-fuzzy", "search", "ikimashita"});
    EXPECT_NE(text.find("1. 行く(いく):\n   [iku]\n"), std::string::npos) << text;
}

TEST_F(OrderOptionTest, AnUnknownOrderOrAMissingOneIsAUsageError)
{
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--order", "kana", "search", "neko"}, {"search", "neko", "--order"}}) {
        const testfiles::ProgramRun run = program.run(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out.rfind("Dexaru2 r410\n", 0), 0u);
    }
}

TEST_F(OrderOptionTest, RelevanceOrderReadsRomajiCapitalisedAsEnglishInLowerCase)
{
    const struct
    {
        const char* typed;
        const char* first;  // the first word in the relevance order
    } cases[] = {{"Iku", "1. 行く(いく):"},
                 {"Ikimashita", "1. 行く(いく):"},
                 {"Kita", "1. 北(きた):"},
                 {"Nomu", "1. 飲む(のむ):"},
                 {"Tōkyō", "1. 東京(とうきょう):"},
                 {"tōkyō", "1. 東京(とうきょう):"}};
    for (const auto& c : cases) {
        const std::string text =
            out({"--order", "relevance", "--search-defaults", "--search-fuzzy", "search", c.typed});
        EXPECT_NE(text.find(c.first), std::string::npos) << c.typed << "\n" << text;
        // Without it, capitals stay katakana: イく is no word.
        const std::string plain = out({"--search-defaults", "--search-fuzzy", "search", c.typed});
        EXPECT_EQ(plain.find("1. "), std::string::npos) << c.typed << "\n" << plain;
    }
}
