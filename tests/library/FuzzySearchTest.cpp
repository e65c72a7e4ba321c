#include "FuzzySearch.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using testfiles::TempDir;
using testfiles::Utf8Locale;

namespace {

typedef std::vector<std::wstring> WideStrings;

FuzzySearch_Info makeRule(const std::wstring& expression, const WideStrings& replace)
{
    FuzzySearch_Info rule;
    rule.expression = expression;
    rule.replace = replace;
    return rule;
}

class FuzzySearchFileTest : public testing::Test
{
protected:
    // Loads the rules quietly; the reader traces every step at level 7.
    bool load(const std::string& text, std::string* messages = nullptr)
    {
        std::string file = dir.write("rules.dat", text);
        testing::internal::CaptureStderr();
        bool opened = rules.loadFromFile(file);
        std::string written = testing::internal::GetCapturedStderr();
        if (messages != nullptr) {
            *messages = written;
        }
        return opened;
    }

    Utf8Locale locale;
    TempDir dir;
    FuzzySearch rules;
};

} // namespace

TEST_F(FuzzySearchFileTest, ReadsExpressionsAndReplacementsInFileOrder)
{
    ASSERT_TRUE(load("*ました:*る,*す\n*かった:*い\n"));
    ASSERT_EQ(rules.fuzzysearchInfo.size(), 2u);
    EXPECT_EQ(rules.fuzzysearchInfo[0].expression, L"*ました");
    EXPECT_EQ(rules.fuzzysearchInfo[0].replace, (WideStrings{L"*る", L"*す"}));
    EXPECT_EQ(rules.fuzzysearchInfo[1].expression, L"*かった");
    EXPECT_EQ(rules.fuzzysearchInfo[1].replace, (WideStrings{L"*い"}));
}

TEST_F(FuzzySearchFileTest, SkipsCommentsBlankLinesAndByteOrderMark)
{
    ASSERT_TRUE(load("\xEF\xBB\xBF*a:*b\n# comment\n\n\r\n*c:*d\n"));
    ASSERT_EQ(rules.fuzzysearchInfo.size(), 1u);
    EXPECT_EQ(rules.fuzzysearchInfo[0].expression, L"*c");
}

TEST_F(FuzzySearchFileTest, CrLfAndLfGiveTheSameRules)
{
    ASSERT_TRUE(load("*て:*る, *つ\r\n"));
    FuzzySearch lf;
    std::string file = dir.write("lf.dat", "*て:*る, *つ\n");
    testing::internal::CaptureStderr();
    ASSERT_TRUE(lf.loadFromFile(file));
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(rules.fuzzysearchInfo.size(), 1u);
    ASSERT_EQ(lf.fuzzysearchInfo.size(), 1u);
    EXPECT_EQ(rules.fuzzysearchInfo[0].replace, lf.fuzzysearchInfo[0].replace);
    // Nothing is trimmed: the space belongs to the second replacement.
    EXPECT_EQ(rules.fuzzysearchInfo[0].replace, (WideStrings{L"*る", L" *つ"}));
}

TEST_F(FuzzySearchFileTest, LinesWithoutAProperColonAreReported)
{
    std::string messages;
    ASSERT_TRUE(load(":*a\nno colon\r\n*x:\n", &messages));
    EXPECT_NE(messages.find("loadFromFile: WARNING: Couldn't find a ':' on this line: :*a\n"),
              std::string::npos) << messages;
    EXPECT_NE(messages.find("loadFromFile: WARNING: Couldn't find a ':' on this line: no colon\n"),
              std::string::npos) << messages;
    ASSERT_EQ(rules.fuzzysearchInfo.size(), 1u);
    EXPECT_EQ(rules.fuzzysearchInfo[0].replace, (WideStrings{L""}));
    EXPECT_TRUE(rules.generateStrings(L"ax").empty());
}

TEST_F(FuzzySearchFileTest, LastRuleWithoutLineEndIsRead)
{
    ASSERT_TRUE(load("*a:*b\n*c:*d"));
    ASSERT_EQ(rules.fuzzysearchInfo.size(), 2u);
    EXPECT_EQ(rules.fuzzysearchInfo[1].expression, L"*c");
}

TEST_F(FuzzySearchFileTest, MissingFileFailsAndSecondFileAppends)
{
    std::string messages;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(rules.loadFromFile(dir.path + "/missing.dat"));
    messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("loadFromFile: ERROR: Couldn't open '" + dir.path + "/missing.dat'."),
              std::string::npos);
    EXPECT_TRUE(rules.fuzzysearchInfo.empty());

    ASSERT_TRUE(load("*a:*b\n"));
    ASSERT_TRUE(load("*c:*d\n"));
    ASSERT_EQ(rules.fuzzysearchInfo.size(), 2u);
    EXPECT_EQ(rules.fuzzysearchInfo[1].expression, L"*c");
}

TEST_F(FuzzySearchFileTest, UndecodableLineEndsReadingAndKeepsEarlierRules)
{
    std::string messages;
    ASSERT_TRUE(load("*a:*b\n*\xFF\xFE:*c\n*d:*e\n", &messages));
    EXPECT_NE(messages.find("loadFromFile: fgetws returned NULL."), std::string::npos);
    ASSERT_EQ(rules.fuzzysearchInfo.size(), 1u);
    EXPECT_EQ(rules.fuzzysearchInfo[0].expression, L"*a");
}

TEST_F(FuzzySearchFileTest, HostileFilesLoadWithoutFault)
{
    std::string garbage;
    for (int i = 0; i < 20000; ++i) {
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    }
    ASSERT_TRUE(load(garbage));
    rules.fuzzysearchInfo.clear();

    // A 100 KB line is read whole, as one rule.
    std::string hugeLine = "*a:*b";
    while (hugeLine.size() < 100 * 1024) {
        hugeLine += ",*c";
    }
    ASSERT_TRUE(load(hugeLine + "\r\n*d:*e\n"));
    ASSERT_EQ(rules.fuzzysearchInfo.size(), 2u);
    EXPECT_EQ(rules.fuzzysearchInfo[0].expression, L"*a");
    EXPECT_EQ(rules.fuzzysearchInfo[0].replace.size(), (hugeLine.size() - 5) / 3 + 1);
    EXPECT_EQ(rules.fuzzysearchInfo[0].replace.back(), L"*c");
    EXPECT_EQ(rules.fuzzysearchInfo.back().expression, L"*d");
    size_t characters = 0;
    for (const FuzzySearch_Info& rule : rules.fuzzysearchInfo) {
        for (const std::wstring& replacement : rule.replace) {
            characters += replacement.size() + 1;
        }
    }
    EXPECT_LE(characters, hugeLine.size() + 10);
}

class FuzzySearchGenerateTest : public testing::Test
{
protected:
    WideStrings generate(const std::wstring& input)
    {
        testing::internal::CaptureStderr();
        WideStrings variants = rules.generateStrings(input);
        messages = testing::internal::GetCapturedStderr();
        return variants;
    }

    FuzzySearch rules;
    std::string messages;
};

TEST_F(FuzzySearchGenerateTest, ListsEachVariantFollowedByItsOwnVariants)
{
    rules.fuzzysearchInfo.push_back(makeRule(L"*ab", {L"*x", L"*y"}));
    rules.fuzzysearchInfo.push_back(makeRule(L"*x", {L"*z"}));
    rules.fuzzysearchInfo.push_back(makeRule(L"*y", {L"*w"}));
    EXPECT_EQ(generate(L"qab"), (WideStrings{L"qx", L"qz", L"qy", L"qw"}));
    EXPECT_TRUE(generate(L"qq").empty());
}

TEST_F(FuzzySearchGenerateTest, UsesOnlyPartsThatBeginWithAStar)
{
    rules.fuzzysearchInfo.push_back(makeRule(L"*a", {L"b", L"*c", L""}));
    rules.fuzzysearchInfo.push_back(makeRule(L"xa", {L"*d"}));
    EXPECT_EQ(generate(L"xa"), (WideStrings{L"xc"}));
}

TEST_F(FuzzySearchGenerateTest, StarAloneStripsTheTailAndDuplicatesStay)
{
    rules.fuzzysearchInfo.push_back(makeRule(L"*ない", {L"*", L"*る"}));
    rules.fuzzysearchInfo.push_back(makeRule(L"*い", {L"*る"}));
    EXPECT_EQ(generate(L"たべない"), (WideStrings{L"たべ", L"たべる", L"たべなる"}));
    rules.fuzzysearchInfo.push_back(makeRule(L"*ない", {L"*る"}));
    EXPECT_EQ(generate(L"たべない"), (WideStrings{L"たべ", L"たべる", L"たべなる", L"たべる"}));
}

TEST_F(FuzzySearchGenerateTest, ReplacesTheLastOccurrenceOfTheTail)
{
    rules.fuzzysearchInfo.push_back(makeRule(L"*ab", {L"*X"}));
    EXPECT_EQ(generate(L"abab"), (WideStrings{L"abX"}));
}

TEST_F(FuzzySearchGenerateTest, TailWithWildcardsIsLookedForLiterally)
{
    rules.fuzzysearchInfo.push_back(makeRule(L"*た?", {L"*る"}));
    EXPECT_TRUE(generate(L"かたい").empty());
    EXPECT_EQ(generate(L"かた?"), (WideStrings{L"かる"}));
    // The literal tail sits before the end: whatever follows it is dropped.
    rules.fuzzysearchInfo[0] = makeRule(L"*b*", {L"*Z"});
    EXPECT_EQ(generate(L"ab*cd"), (WideStrings{L"aZ"}));
}

TEST_F(FuzzySearchGenerateTest, CycleOfRulesEndsWhereItStarted)
{
    rules.fuzzysearchInfo.push_back(makeRule(L"*a", {L"*b"}));
    rules.fuzzysearchInfo.push_back(makeRule(L"*b", {L"*a"}));
    EXPECT_EQ(generate(L"xa"), (WideStrings{L"xb", L"xa"}));
    EXPECT_EQ(messages.find("Stopped"), std::string::npos);
}

TEST_F(FuzzySearchGenerateTest, EverGrowingChainStopsAtTheCap)
{
    rules.fuzzysearchInfo.push_back(makeRule(L"*", {L"*x"}));
    WideStrings variants = generate(L"a");
    ASSERT_EQ(variants.size(), static_cast<size_t>(FuzzySearch::MAX_VARIANTS));
    EXPECT_EQ(variants[0], L"ax");
    EXPECT_EQ(variants[1], L"axx");
    EXPECT_NE(messages.find("generateStrings: Stopped at 256 variants"), std::string::npos);
}

TEST_F(FuzzySearchGenerateTest, TracesTheVariantsOfEachRewrite)
{
    rules.fuzzysearchInfo.push_back(makeRule(L"*c", {L"*b"}));
    rules.fuzzysearchInfo.push_back(makeRule(L"*b", {L"*a"}));
    EXPECT_EQ(generate(L"c"), (WideStrings{L"b", L"a"}));
    EXPECT_EQ(messages,
              "generateStrings: Called with 'c'.\n"
              "generateStrings: Called with 'b'.\n"
              "generateStrings: Called with 'a'.\n"
              "generateStrings:    FUZZYSEARCH: Added: a\n");
}

// The rules shipped with the programs.
class ShippedRulesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        testing::internal::CaptureStderr();
        bool opened = rules.loadFromFile(DEXARU_SOURCE_DIR "/data/fuzzysearch.uni.dat");
        testing::internal::GetCapturedStderr();
        ASSERT_TRUE(opened);
        ASSERT_GT(rules.fuzzysearchInfo.size(), 100u);
    }

    WideStrings generate(const std::wstring& input)
    {
        testing::internal::CaptureStderr();
        WideStrings variants = rules.generateStrings(input);
        std::string messages = testing::internal::GetCapturedStderr();
        EXPECT_EQ(messages.find("Stopped at"), std::string::npos) << "cap reached";
        return variants;
    }

    // The longest chain of rewriting from input, followed without any guard;
    // gives up (returning limit) once a chain is longer than limit.
    int longestChain(const std::wstring& input, int limit)
    {
        if (limit == 0) {
            return 0;
        }
        int longest = 0;
        for (const FuzzySearch_Info& rule : rules.fuzzysearchInfo) {
            const std::wstring tail = rule.expression.substr(1);
            if (input.size() < tail.size()
                || input.compare(input.size() - tail.size(), tail.size(), tail) != 0) {
                continue;
            }
            for (const std::wstring& replacement : rule.replace) {
                std::wstring variant = input.substr(0, input.size() - tail.size()) + replacement.substr(1);
                longest = std::max(longest, 1 + longestChain(variant, limit - 1));
            }
        }
        return longest;
    }

    Utf8Locale locale;
    FuzzySearch rules;
};

TEST_F(ShippedRulesTest, EveryRuleIsAPlainSuffixRule)
{
    for (const FuzzySearch_Info& rule : rules.fuzzysearchInfo) {
        ASSERT_GE(rule.expression.size(), 2u);
        EXPECT_EQ(rule.expression[0], L'*');
        EXPECT_EQ(rule.expression.find_first_of(L"*?", 1), std::wstring::npos);
        for (const std::wstring& replacement : rule.replace) {
            ASSERT_FALSE(replacement.empty());
            EXPECT_EQ(replacement[0], L'*');
        }
    }
}

TEST_F(ShippedRulesTest, EveryChainEnds)
{
    const int limit = 12;
    const wchar_t* prefixes[] = {L"", L"た", L"か", L"こ", L"し", L"き", L"て", L"な", L"食べ"};
    for (const FuzzySearch_Info& rule : rules.fuzzysearchInfo) {
        for (const wchar_t* prefix : prefixes) {
            std::wstring input = prefix + rule.expression.substr(1);
            EXPECT_LT(longestChain(input, limit), limit) << testing::PrintToString(input);
            EXPECT_LT(generate(input).size(), 60u) << testing::PrintToString(input);
        }
    }
}

TEST_F(ShippedRulesTest, InflectedWordsLeadBackToTheirDictionaryForm)
{
    const wchar_t* cases[][2] = {
        // ichidan, in every form the rules know
        {L"たべました", L"たべる"}, {L"たべます", L"たべる"}, {L"たべません", L"たべる"},
        {L"たべませんでした", L"たべる"}, {L"たべましょう", L"たべる"}, {L"たべない", L"たべる"},
        {L"たべなかった", L"たべる"}, {L"たべなくて", L"たべる"}, {L"たべた", L"たべる"},
        {L"たべて", L"たべる"}, {L"たべたい", L"たべる"}, {L"たべたかった", L"たべる"},
        {L"たべたくない", L"たべる"}, {L"たべよう", L"たべる"}, {L"たべられる", L"たべる"},
        {L"たべさせる", L"たべる"}, {L"たべれば", L"たべる"}, {L"たべたら", L"たべる"},
        {L"たべろ", L"たべる"}, {L"たべている", L"たべる"}, {L"たべていた", L"たべる"},
        {L"たべてる", L"たべる"}, {L"食べました", L"食べる"}, {L"見た", L"見る"},
        // godan: every row, with the sound changes of past and te forms
        {L"かった", L"かう"}, {L"かいて", L"かく"}, {L"およいだ", L"およぐ"},
        {L"はなして", L"はなす"}, {L"まった", L"まつ"}, {L"しんだ", L"しぬ"},
        {L"あそんで", L"あそぶ"}, {L"のんだ", L"のむ"}, {L"かえった", L"かえる"},
        {L"いった", L"いく"}, {L"行って", L"行く"}, {L"かきます", L"かく"},
        {L"よまない", L"よむ"}, {L"およがない", L"およぐ"}, {L"のみたくない", L"のむ"},
        {L"はなそう", L"はなす"}, {L"かえろう", L"かえる"}, {L"よめる", L"よむ"},
        {L"よまれる", L"よむ"}, {L"よませる", L"よむ"}, {L"かけば", L"かく"}, {L"まて", L"まつ"},
        {L"よんでいる", L"よむ"}, {L"のみませんでした", L"のむ"}, {L"はなされる", L"はなす"},
        // する and くる
        {L"しました", L"する"}, {L"しない", L"する"}, {L"して", L"する"}, {L"しよう", L"する"},
        {L"しろ", L"する"}, {L"させる", L"する"}, {L"すれば", L"する"},
        {L"べんきょうしました", L"べんきょうする"}, {L"きました", L"くる"}, {L"こない", L"くる"},
        {L"きて", L"くる"}, {L"こよう", L"くる"}, {L"こい", L"くる"}, {L"こられる", L"くる"},
        {L"くれば", L"くる"},
        // i-adjectives
        {L"たかかった", L"たかい"}, {L"たかくない", L"たかい"}, {L"たかくなかった", L"たかい"},
        {L"たかくて", L"たかい"}, {L"たかく", L"たかい"}, {L"たかさ", L"たかい"},
        {L"たかすぎる", L"たかい"}, {L"たかければ", L"たかい"}, {L"よかった", L"よい"},
    };
    ASSERT_GE(sizeof cases / sizeof cases[0], 40u);
    for (const auto& pair : cases) {
        WideStrings variants = generate(pair[0]);
        EXPECT_EQ(std::count(variants.begin(), variants.end(), std::wstring(pair[1])), 1)
            << testing::PrintToString(std::wstring(pair[0])) << " does not lead to "
            << testing::PrintToString(std::wstring(pair[1])) << " once";
        EXPECT_LT(variants.size(), 30u);
        EXPECT_LT(longestChain(pair[0], 12), 12);
    }
}

// Forms built on other forms: the auxiliaries after the te form, nouns and
// な-adjectives with する or the copula, polite adjectives, and chains of
// them. Each reaches its dictionary word, and on one path only, since a
// word reached twice is searched and listed twice.
TEST_F(ShippedRulesTest, ComposedFormsReachTheirDictionaryWordOnce)
{
    const wchar_t* cases[][2] = {
        // nouns used with する, to the noun
        {L"運動します", L"運動"}, {L"運動しました", L"運動"}, {L"運動している", L"運動"},
        {L"運動できる", L"運動"}, {L"運動できません", L"運動"}, {L"運動された", L"運動"},
        {L"運動しない", L"運動"}, {L"運動させる", L"運動"}, {L"運動すれば", L"運動"},
        {L"運動しませんでした", L"運動"}, {L"運動しろ", L"運動"}, {L"運動したかった", L"運動"},
        // な-adjectives with the copula, as attributives and adverbs
        {L"大事でした", L"大事"}, {L"大事じゃない", L"大事"}, {L"大事ではありません", L"大事"},
        {L"大事だろう", L"大事"}, {L"大事でしょう", L"大事"}, {L"大事なら", L"大事"},
        {L"大事に", L"大事"}, {L"大事な", L"大事"}, {L"大事だった", L"大事"},
        {L"大事じゃなかった", L"大事"}, {L"大事です", L"大事"}, {L"大事だ", L"大事"},
        {L"大事ではなかった", L"大事"}, {L"大事じゃありませんでした", L"大事"},
        // てしまう, ちゃう, じゃう: one verb of every class
        {L"言ってしまった", L"言う"}, {L"泣いちゃった", L"泣く"}, {L"注いじゃう", L"注ぐ"},
        {L"押してしまいました", L"押す"}, {L"打っちゃった", L"打つ"}, {L"死んじゃった", L"死ぬ"},
        {L"学んでしまう", L"学ぶ"}, {L"噛んじゃいました", L"噛む"}, {L"切ってしまって", L"切る"},
        {L"着てしまった", L"着る"}, {L"しちゃった", L"する"}, {L"来ちゃった", L"来る"},
        // ておく, とく, どく
        {L"言っておく", L"言う"}, {L"泣いといた", L"泣く"}, {L"注いでおいた", L"注ぐ"},
        {L"押しとく", L"押す"}, {L"打っておきます", L"打つ"}, {L"学んどく", L"学ぶ"},
        {L"噛んでおいて", L"噛む"}, {L"切っとく", L"切る"}, {L"着ておこう", L"着る"},
        {L"しておいた", L"する"}, {L"来ておく", L"来る"},
        // てください, ないでください, and other auxiliaries
        {L"言ってください", L"言う"}, {L"泣かないでください", L"泣く"}, {L"注いでください", L"注ぐ"},
        {L"押してください", L"押す"}, {L"打たないでください", L"打つ"}, {L"学んでください", L"学ぶ"},
        {L"噛まないでください", L"噛む"}, {L"切ってくださいませんか", L"切る"},
        {L"着てください", L"着る"}, {L"してください", L"する"}, {L"来てください", L"来る"},
        {L"泣いてみた", L"泣く"}, {L"言ってはいけません", L"言う"}, {L"着なさい", L"着る"},
        {L"押してもいい", L"押す"}, {L"押して下さい", L"押す"}, {L"切ってくれた", L"切る"},
        {L"学んでもらいました", L"学ぶ"}, {L"着てはならない", L"着る"},
        // short causative-passive of godan verbs, long one of the others
        {L"言わされた", L"言う"}, {L"泣かされる", L"泣く"}, {L"注がされた", L"注ぐ"},
        {L"打たされた", L"打つ"}, {L"死なされる", L"死ぬ"}, {L"学ばされた", L"学ぶ"},
        {L"噛まされた", L"噛む"}, {L"切らされた", L"切る"}, {L"着させられた", L"着る"},
        {L"させられる", L"する"}, {L"来させられた", L"来る"},
        // polite adjective forms
        {L"暗くありません", L"暗い"}, {L"暗くありませんでした", L"暗い"}, {L"暗かったです", L"暗い"},
        {L"暗いです", L"暗い"}, {L"暗くないです", L"暗い"}, {L"暗くなかったです", L"暗い"},
        // chains with なる, なければならない, ていました and each other
        {L"暗くなりました", L"暗い"}, {L"大事になった", L"大事"}, {L"言わなければならない", L"言う"},
        {L"着なければなりません", L"着る"}, {L"言わなければいけません", L"言う"}, {L"押していました", L"押す"},
        {L"切っていませんでした", L"切る"}, {L"運動しておきました", L"運動"},
        {L"学ばされてしまった", L"学ぶ"}, {L"噛まなくてもいいです", L"噛む"},
    };
    for (const auto& pair : cases) {
        WideStrings variants = generate(pair[0]);
        EXPECT_EQ(std::count(variants.begin(), variants.end(), std::wstring(pair[1])), 1)
            << testing::PrintToString(std::wstring(pair[0])) << " reaches "
            << testing::PrintToString(std::wstring(pair[1])) << " other than once";
        EXPECT_LT(variants.size(), 30u) << testing::PrintToString(std::wstring(pair[0]));
    }
}
