// End-to-end tests of "dexaru2 read": a folder with a small dictionary, the
// project's deinflection rules and parts-of-speech table, and the built
// program linked into it; text given on the command line or standard input.

#include "ProgramRun.h"
#include "Utf8Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <unistd.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

using testfiles::euc;

const char* const edictLines =
    "猫 [ねこ] /(n) cat/(P)/\n"
    "が /(prt) subject marker/(P)/\n"
    "を /(prt) object marker/(P)/\n"
    "魚 [さかな] /(n) fish/(P)/\n"
    "食べる [たべる] /(v1,vt) (1) to eat/(2) to live on/(P)/\n"
    "勉強 [べんきょう] /(n,vs) study/(P)/\n"
    "日本 [にほん] /(n) Japan (日本国)/(P)/\n";

class ReadCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        program.write("partsofspeech.drx",
                      testfiles::readFile(DEXARU_SOURCE_DIR "/data/partsofspeech.drx"));
        program.write("deinflection.dat",
                      testfiles::readFile(DEXARU_SOURCE_DIR "/data/deinflection.dat"));
        program.write("dictionaries/edict/edict", euc(edictLines));
    }

    // Runs "dexaru2 ARGUMENTS" with the bytes on standard input.
    testfiles::ProgramRun runWithInput(const std::vector<std::string>& arguments,
                                       const std::string& input)
    {
        const std::string file = program.write("input.txt", input);
        std::vector<std::string> shell = {"-c", "program=\"$1\"; input=\"$2\"; shift 2; "
                                                "exec \"$program\" \"$@\" < \"$input\"",
                                          "sh", program.program(), file};
        shell.insert(shell.end(), arguments.begin(), arguments.end());
        return testfiles::runProgram("/bin/sh", shell);
    }

    testfiles::ProgramFolder program;
};

const std::string sentenceText =
    "猫\t猫\tねこ\t\tcat\tねこ\n"
    "が\tが\tが\t\tsubject marker\tが\n"
    "魚\t魚\tさかな\t\tfish\tさかな\n"
    "を\tを\tを\t\tobject marker\tを\n"
    "食べさせられなかった\t食べる\tたべる\tcausative,passive,negative,past\tto eat\t"
    "たべさせられなかった\n"
    "。\t\t\t\t\t\n"
    "\n";

TEST_F(ReadCliTest, PrintsOneLinePerTokenAndAnEmptyLinePerLineOfText)
{
    const struct {
        std::vector<std::string> arguments;
        std::string input;
        std::string output;
        int status;
    } cases[] = {
        {{"read", "猫が魚を食べさせられなかった。"}, "", sentenceText, 0},
        {{"read", "-"}, "猫が魚を食べさせられなかった。\n", sentenceText, 0},
        // Line ends of either kind, a last line without one, empty lines.
        {{"read", "-"}, "猫が魚を食べさせられなかった。\r\n\n猫", sentenceText + "\n猫\t猫\tねこ\t\tcat\tねこ\n\n", 0},
        {{"read", "-"}, "", "", 0},
        {{"read", "猫\n猫"}, "", "猫\t猫\tねこ\t\tcat\tねこ\n\n猫\t猫\tねこ\t\tcat\tねこ\n\n", 0},
        // Unknown runs and spaces; a TAB or backslash inside a field is escaped.
        {{"read", "ｶﾈｺ\t\\1x"}, "",
         "ｶﾈｺ\t\t\t\t\t\n\\t\t\t\t\t\t\n\\\\\t\t\t\t\t\n1\t\t\t\t\t\nx\t\t\t\t\t\n\n", 0},
        {{"read", "勉強しました"}, "", "勉強しました\t勉強\tべんきょう\tpolite,past\tstudy\tべんきょうしました\n\n", 0},
        // A gloss in the dictionary's own encoding is printed in UTF-8.
        {{"read", "日本"}, "", "日本\t日本\tにほん\t\tJapan (日本国)\tにほん\n\n", 0},
        // A line that is not UTF-8 is skipped, the others are read.
        {{"read", "-"}, "猫\n\xff\xfe\n猫\xe3\x81\n猫\n",
         "猫\t猫\tねこ\t\tcat\tねこ\n\n\n\n猫\t猫\tねこ\t\tcat\tねこ\n\n", 3},
        {{"read", "\xc0\xaf"}, "", "\n", 3},
    };
    for (const auto& example : cases) {
        const testfiles::ProgramRun result = runWithInput(example.arguments, example.input);
        const std::string shown = testing::PrintToString(example.arguments) + " < "
                                  + testing::PrintToString(example.input);
        EXPECT_EQ(result.out, example.output) << shown;
        EXPECT_EQ(result.status, example.status) << shown;
        EXPECT_EQ(result.err.find("is not UTF-8") != std::string::npos, example.status == 3)
            << shown << result.err;
    }
    // The wrong byte is counted from the start of its line, also in a line
    // long enough to be read in pieces (the bad byte in the second piece
    // or in the last bytes).
    const struct {
        std::string input;
        const char* message;
    } wrongBytes[] = {
        {"猫\n\xff\n", "dexaru2: line 2 of the text is not UTF-8 (byte 1 is wrong)"},
        {"猫\n" + testfiles::repeat("x", 90000) + "\xff" + testfiles::repeat("x", 100000) + "\n",
         "dexaru2: line 2 of the text is not UTF-8 (byte 90001 is wrong)"},
        {testfiles::repeat("x", 70000) + "\xff\n",
         "dexaru2: line 1 of the text is not UTF-8 (byte 70001 is wrong)"},
    };
    for (const auto& wrong : wrongBytes) {
        const testfiles::ProgramRun bad = runWithInput({"read", "-"}, wrong.input);
        EXPECT_NE(bad.err.find(wrong.message), std::string::npos) << wrong.message << "\n" << bad.err;
    }
}

TEST_F(ReadCliTest, PrintsXmlWithEscapedValues)
{
    const testfiles::ProgramRun result = runWithInput({"-o", "xml", "read", "-"}, "猫を&<\n魚\n");
    EXPECT_EQ(result.out,
              "<read>\n"
              "\t<line>\n"
              "\t\t<token kind=\"word\">\n\t\t\t<surface>猫</surface>\n"
              "\t\t\t<dictionaryform>猫</dictionaryform>\n\t\t\t<reading>ねこ</reading>\n"
              "\t\t\t<gloss>cat</gloss>\n\t\t\t<surfacereading>ねこ</surfacereading>\n\t\t</token>\n"
              "\t\t<token kind=\"word\">\n\t\t\t<surface>を</surface>\n"
              "\t\t\t<dictionaryform>を</dictionaryform>\n\t\t\t<reading>を</reading>\n"
              "\t\t\t<gloss>object marker</gloss>\n\t\t\t<surfacereading>を</surfacereading>\n"
              "\t\t</token>\n"
              "\t\t<token kind=\"punctuation\">\n\t\t\t<surface>&amp;</surface>\n\t\t</token>\n"
              "\t\t<token kind=\"punctuation\">\n\t\t\t<surface>&lt;</surface>\n\t\t</token>\n"
              "\t</line>\n"
              "\t<line>\n"
              "\t\t<token kind=\"word\">\n\t\t\t<surface>魚</surface>\n"
              "\t\t\t<dictionaryform>魚</dictionaryform>\n\t\t\t<reading>さかな</reading>\n"
              "\t\t\t<gloss>fish</gloss>\n\t\t\t<surfacereading>さかな</surfacereading>\n\t\t</token>\n"
              "\t</line>\n"
              "</read>\n");
    EXPECT_EQ(result.status, 0);

    const testfiles::ProgramRun inflected =
        program.run({"read", "-o", "xml", "食べた"});
    EXPECT_NE(inflected.out.find("<dictionaryform>食べる</dictionaryform>\n\t\t\t<reading>たべる"
                                 "</reading>\n\t\t\t<reason>past</reason>\n"),
              std::string::npos)
        << inflected.out;
}

// Lines longer than a piece are read and printed in pieces, cut after a
// space or punctuation mark, or else where the words before the cut are
// sure: the words and the line give back the same as short lines do.
TEST_F(ReadCliTest, ReadsLongLinesInPiecesThatNoWordCrosses)
{
    const std::string sentence = "猫が魚を食べさせられなかった。";
    const std::string noStop = "猫が魚を食べさせられなかった";
    const struct {
        std::string line;
        std::string unit;  // the line is this, over and over
    } cases[] = {
        {testfiles::repeat(sentence, 12000), sentence},  // 540 KB, cut after 。
        {testfiles::repeat(noStop, 12000), noStop},  // no space nor punctuation
        {testfiles::repeat(noStop + " ", 12000), noStop + " "},
        {testfiles::repeat("x", 300000), ""},  // one unknown run longer than a piece
        {testfiles::repeat("ねこ", 100000), ""},
    };
    for (const auto& example : cases) {
        for (const std::string& format : {std::string("text"), std::string("xml")}) {
            const testfiles::ProgramRun result =
                runWithInput({"-o", format, "read", "-"}, example.line + "\n猫\n");
            ASSERT_EQ(result.status, 0) << result.err;
            if (format == "xml") {
                EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n') > 0, true);
                EXPECT_EQ(result.out.find("<line>"), result.out.rfind("<line>", result.out.rfind("<line>") - 1));
                continue;
            }
            // The surfaces of the first line of tokens give back the line.
            const std::size_t lineEnd = result.out.find("\n\n");
            ASSERT_NE(lineEnd, std::string::npos);
            std::string surfaces;
            std::vector<std::string> rows;
            for (std::size_t start = 0; start <= lineEnd;) {
                const std::size_t end = result.out.find('\n', start);
                const std::string row = result.out.substr(start, end - start);
                surfaces += row.substr(0, row.find('\t'));
                rows.push_back(row);
                start = end + 1;
            }
            EXPECT_TRUE(surfaces == example.line);  // (no diff of a megabyte)
            EXPECT_EQ(result.out.substr(lineEnd), "\n\n猫\t猫\tねこ\t\tcat\tねこ\n\n");
            if (!example.unit.empty()) {
                // Every repetition reads as the text alone does.
                const testfiles::ProgramRun alone = program.run({"read", example.unit});
                const std::string unitRows = alone.out.substr(0, alone.out.size() - 1);
                std::string expected;
                for (int i = 0; i < 12000; ++i) {
                    expected += unitRows;
                }
                const std::string rowsRead = result.out.substr(0, lineEnd + 1);
                const auto differ = std::mismatch(rowsRead.begin(), rowsRead.end(), expected.begin(), expected.end());
                EXPECT_TRUE(rowsRead == expected)
                    << example.unit << " differs at byte " << (differ.first - rowsRead.begin()) << ": "
                    << rowsRead.substr(differ.first - rowsRead.begin(), 200);
            }
        }
    }
}

// XML 1.0 cannot hold most control characters, not even as references:
// those of the input are written as their pictures, a CR as a reference.
TEST_F(ReadCliTest, XmlStaysWellFormedWhateverControlCharactersTheTextHolds)
{
    const struct {
        std::string input;
        std::string surface;
    } cases[] = {
        {std::string("猫\0猫\n", 8), "<surface>\xE2\x90\x80</surface>"},  // ␀
        {"猫\x1b猫\n", "<surface>\xE2\x90\x9B</surface>"},  // ␛
        {"猫\x01\x1f猫\n", "<surface>\xE2\x90\x81</surface>"},
        {"猫\r猫\n", "<surface>&#13;</surface>"},
        {"猫\t猫\n", "<surface>\t</surface>"},
        {"猫\xEF\xBF\xBF猫\n", "<surface>\xEF\xBF\xBD</surface>"},  // U+FFFF
    };
    for (const auto& example : cases) {
        const testfiles::ProgramRun result = runWithInput({"-o", "xml", "read", "-"}, example.input);
        EXPECT_EQ(result.status, 0) << testing::PrintToString(example.input);
        EXPECT_NE(result.out.find(example.surface), std::string::npos)
            << testing::PrintToString(example.input) << result.out;
        for (unsigned char byte : result.out) {
            ASSERT_TRUE(byte >= 0x20 || byte == '\t' || byte == '\n') << testing::PrintToString(example.input);
        }
        EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n') > 0, true);
    }
    // Text output keeps them as they are (TAB, CR and LF escaped).
    const testfiles::ProgramRun text = runWithInput({"read", "-"}, std::string("猫\0\n", 5));
    const char expected[] = "猫\t猫\tねこ\t\tcat\tねこ\n\0\t\t\t\t\t\n\n";
    EXPECT_EQ(text.out, std::string(expected, sizeof(expected) - 1));
}

TEST_F(ReadCliTest, BadReadCommandLinesPrintTheReadUsage)
{
    const std::vector<std::vector<std::string>> badCommandLines = {
        {"read"}, {"read", ""}, {"read", "a", "b"}, {"read", "猫", "--help"}, {"--help", "read", "-"},
        {"-o", "html", "read", "猫"}, {"read", "猫", "-o"},
    };
    for (const std::vector<std::string>& arguments : badCommandLines) {
        const testfiles::ProgramRun result = program.run(arguments);
        EXPECT_EQ(result.out.rfind("Usage:\n   dexaru2 [-o {text|xml}] read {<text>|-}\n", 0), 0u)
            << testing::PrintToString(arguments) << result.out;
        EXPECT_EQ(result.status, 1) << testing::PrintToString(arguments);
    }
    // Without dictionaries every run of text is unknown, and still whole.
    std::filesystem::remove_all(program.path() + "/dictionaries");
    const testfiles::ProgramRun bare = program.run({"read", "猫が"});
    EXPECT_EQ(bare.out, "猫\t\t\t\t\t\nが\t\t\t\t\t\n\n");
    EXPECT_EQ(bare.status, 0);
}

TEST(Utf8TextTest, DecodesOnlyUtf8AndEncodesEveryCharacter)
{
    const struct {
        std::string bytes;
        bool valid;
        std::size_t badOffset;
    } cases[] = {
        {"", true, 0},
        {"abc", true, 0},
        {"猫😺é", true, 0},
        {"a\xff", false, 1},
        {"ab\xe3\x81", false, 2},  // cut short
        {"\xc0\xaf", false, 0},  // overlong "/"
        {"\xe0\x80\xaf", false, 0},  // overlong
        {"x\xed\xa0\x80", false, 1},  // a surrogate
        {"\xf4\x90\x80\x80", false, 0},  // beyond U+10FFFF
        {"\x80", false, 0},  // a continuation byte alone
        {"\xe3\x81\x41", false, 0},  // a lead byte without its continuation
    };
    for (const auto& example : cases) {
        std::wstring wide;
        std::size_t badOffset = 0;
        EXPECT_EQ(dexaru2::decodeUtf8(example.bytes, &wide, &badOffset), example.valid)
            << testing::PrintToString(example.bytes);
        if (example.valid) {
            EXPECT_EQ(dexaru2::encodeUtf8(wide), example.bytes);
        } else {
            EXPECT_EQ(badOffset, example.badOffset) << testing::PrintToString(example.bytes);
        }
    }
    EXPECT_EQ(dexaru2::encodeUtf8(std::wstring{wchar_t(0xD800), wchar_t(0x110000), L'a'}),
              "\xef\xbf\xbd\xef\xbf\xbd" "a");
}

}  // namespace

namespace {

// Runs the program built on the real dictionaries beside it; a test is
// skipped where they are not set up.
class ReadRealDictionariesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string tree = std::filesystem::path(program).parent_path();
        if (access((tree + "/dictionaries/edict/edict").c_str(), R_OK) != 0) {
            GTEST_SKIP() << "the real dictionaries are not set up beside " << program;
        }
    }

    const std::string program = DEXARU_PROGRAM;
};

// The lines of the output, empty ones included.
std::vector<std::string> linesOf(const std::string& output)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = output.find('\n', start);
        lines.push_back(output.substr(start, end - start));
        start = end == std::string::npos ? output.size() : end + 1;
    }
    return lines;
}

// The words of each line of text as "surface>dictionary form", or the
// surface alone where the two are the same or there is no word.
std::vector<std::string> wordsOf(const std::string& output)
{
    std::vector<std::string> words;
    for (const std::string& row : linesOf(output)) {
        if (row.empty()) {
            continue;
        }
        const std::size_t tab = row.find('\t');
        const std::string surface = row.substr(0, tab);
        const std::string form = row.substr(tab + 1, row.find('\t', tab + 1) - tab - 1);
        words.push_back(form.empty() || form == surface ? surface : surface + ">" + form);
    }
    return words;
}

TEST_F(ReadRealDictionariesTest, ReadsEverydaySentencesAsALearnerExpects)
{
    const struct {
        const char* text;
        std::vector<std::string> words;
    } cases[] = {
        {"猫が魚を食べさせられなかった。", {"猫", "が", "魚", "を", "食べさせられなかった>食べる", "。"}},
        {"本を読んでいる", {"本", "を", "読んでいる>読む"}},
        {"日本語はとても難しいですが、面白いです。",
         {"日本語", "は", "とても", "難しいです>難しい", "が", "、", "面白いです>面白い", "。"}},
        {"雨が降っているので、傘を持っていきます。",
         {"雨", "が", "降っている>降る", "ので", "、", "傘", "を", "持っていきます>持っていく", "。"}},
        {"宿題を忘れてしまった。", {"宿題", "を", "忘れてしまった>忘れる", "。"}},
        {"毎日日本語を勉強しています。", {"毎日", "日本語", "を", "勉強しています>勉強", "。"}},
        {"ここで待ってください", {"ここ", "で", "待ってください>待つ"}},
    };
    for (const auto& example : cases) {
        const testfiles::ProgramRun result = testfiles::runProgram(program, {"read", example.text});
        EXPECT_EQ(wordsOf(result.out), example.words) << example.text;
        EXPECT_EQ(result.status, 0) << example.text;
    }
    const testfiles::ProgramRun inflected =
        testfiles::runProgram(program, {"read", "食べさせられなかった"});
    EXPECT_EQ(inflected.out.substr(0, inflected.out.find('\t', inflected.out.find("たべる"))),
              "食べさせられなかった\t食べる\tたべる")
        << inflected.out;
    EXPECT_NE(inflected.out.find("\tcausative,passive,negative,past\t"), std::string::npos)
        << inflected.out;
}

}  // namespace

namespace {

// Each word of the output as "surface>dictionary form[reading/reading as
// written]", or the surface alone for anything but a word; lines of text
// apart.
std::vector<std::string> sentencesOf(const std::string& output)
{
    std::vector<std::string> sentences(1);
    for (const std::string& row : linesOf(output)) {
        if (row.empty()) {
            sentences.emplace_back();
            continue;
        }
        std::vector<std::string> fields;
        std::size_t from = 0;
        for (std::size_t tab; (tab = row.find('\t', from)) != std::string::npos; from = tab + 1) {
            fields.push_back(row.substr(from, tab - from));
        }
        fields.push_back(row.substr(from));
        std::string& sentence = sentences.back();
        sentence += sentence.empty() ? "" : "|";
        sentence += fields.size() == 6 && !fields[1].empty()
                        ? fields[0] + ">" + fields[1] + "[" + fields[2] + "/" + fields[5] + "]"
                        : fields[0];
    }
    sentences.pop_back();
    return sentences;
}

// Sentences a longest match over the dictionary misread; with the analyser
// each word is the one the sentence means, read as the sentence reads it.
TEST_F(ReadRealDictionariesTest, ReadsWordsAsTheSentenceMeansThem)
{
    const struct {
        const char* text;
        const char* words;
    } cases[] = {
        // Hiragana across a particle: に|ない, こう|する, こと|で, うち|に, ない|よう.
        {"そこにない。", "そこ>そこ[そこ/そこ]|に>に[に/に]|ない>ない[ない/ない]|。"},
        {"こうすることで速くなる。",
         "こう>こう[こう/こう]|する>する[する/する]|こと>こと[こと/こと]|で>で[で/で]|"
         "速く>速い[はやい/はやく]|なる>なる[なる/なる]|。"},
        {"明るいうちに帰ろう。",
         "明るい>明るい[あかるい/あかるい]|うち>うち[うち/うち]|に>に[に/に]|帰ろう>帰る[かえる/かえろう]|。"},
        {"忘れないように書く。",
         "忘れない>忘れる[わすれる/わすれない]|よう>よう[よう/よう]|に>に[に/に]|書く>書く[かく/かく]|。"},
        // Bound suffixes as the analyser reads them.
        {"ファイル中の設定", "ファイル>ファイル[ファイル/ファイル]|中>中[ちゅう/ちゅう]|の>の[の/の]|設定>設定[せってい/せってい]"},
        {"ホスト上で動く", "ホスト>ホスト[ホスト/ホスト]|上>上[じょう/じょう]|で>で[で/で]|動く>動く[うごく/うごく]"},
        {"配布者に", "配布>配布[はいふ/はいふ]|者>者[しゃ/しゃ]|に>に[に/に]"},
        {"発生時に", "発生>発生[はっせい/はっせい]|時>時[じ/じ]|に>に[に/に]"},
        // Inflected forms taken back to their word.
        {"何もありません。", "何>何[なに/なに]|も>も[も/も]|ありません>ある[ある/ありません]|。"},
        {"例を示している", "例>例[れい/れい]|を>を[を/を]|示している>示す[しめす/しめしている]"},
        {"確認してください", "確認してください>確認[かくにん/かくにんしてください]"},
        {"言いたそうだった", "言いたそうだった>言う[いう/いいたそうだった]"},
        // Readings and entries the sentence needs.
        {"人が多い", "人>人[ひと/ひと]|が>が[が/が]|多い>多い[おおい/おおい]"},
        {"私は学生です", "私>私[わたし/わたし]|は>は[は/は]|学生>学生[がくせい/がくせい]|です>です[です/です]"},
        {"得られる結果", "得られる>得る[える/えられる]|結果>結果[けっか/けっか]"},
        {"日が暮れる", "日>日[ひ/ひ]|が>が[が/が]|暮れる>暮れる[くれる/くれる]"},
        {"三日かかった", "三日>三日[みっか/みっか]|かかった>かかる[かかる/かかった]"},
        {"上手だそうです", "上手>上手[じょうず/じょうず]|だ>だ[だ/だ]|そう>そう[そう/そう]|です>です[です/です]"},
        {"消すのを", "消す>消す[けす/けす]|の>の[の/の]|を>を[を/を]"},
        {"来てから", "来て>来る[くる/きて]|から>から[から/から]"},
        {"値を返す", "値>値[あたい/あたい]|を>を[を/を]|返す>返す[かえす/かえす]"},
        {"肉のほうが好き", "肉>肉[にく/にく]|の>の[の/の]|ほう>方[ほう/ほう]|が>が[が/が]|好き>好き[すき/すき]"},
        {"地震があった時", "地震>地震[じしん/じしん]|が>が[が/が]|あった>ある[ある/あった]|時>時[とき/とき]"},
        {"日本人です", "日本人>日本人[にほんじん/にほんじん]|です>です[です/です]"},
        {"学校に行きます", "学校>学校[がっこう/がっこう]|に>に[に/に]|行きます>行く[いく/いきます]"},
        {"また来ます", "また>また[また/また]|来ます>来る[くる/きます]"},
        // Compounds and a known word in an unknown katakana run.
        {"いくらか安い", "いくらか>いくらか[いくらか/いくらか]|安い>安い[やすい/やすい]"},
        {"壊れるおそれ", "壊れる>壊れる[こわれる/こわれる]|おそれ>恐れ[おそれ/おそれ]"},
        {"お薦めの店", "お薦め>お薦め[おすすめ/おすすめ]|の>の[の/の]|店>店[みせ/みせ]"},
        {"スティッキビット", "スティッキ|ビット>ビット[ビット/ビット]"},
    };
    std::string input;
    for (const auto& example : cases) {
        input += std::string(example.text) + "\n";
    }
    testfiles::TempDir folder;
    const std::string file = folder.write("sentences.txt", input);
    const testfiles::ProgramRun result = testfiles::runProgram(
        "/bin/sh", {"-c", "exec \"$1\" read - < \"$2\"", "sh", program, file});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> sentences = sentencesOf(result.out);
    ASSERT_EQ(sentences.size(), std::size(cases)) << result.out;
    for (std::size_t i = 0; i < sentences.size(); ++i) {
        EXPECT_EQ(sentences[i], cases[i].words) << cases[i].text;
    }
    // ある is the verb 有る before ます, 或る before a noun.
    const testfiles::ProgramRun certain = testfiles::runProgram(program, {"read", "ある本があります"});
    EXPECT_NE(certain.out.find("ある\tある\tある\t\ta certain"), std::string::npos) << certain.out;
    EXPECT_NE(certain.out.find("あります\tある\tある\tpolite\t(uk) to be"), std::string::npos) << certain.out;
}

}  // namespace
