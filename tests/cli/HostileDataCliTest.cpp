// dexaru2 against generated bad data files: random high bytes, files of
// nothing but line ends or "$" lines, truncated EUC-JP, NUL bytes inside
// lines, 1 MB lines, oversized numbers, 10,000 radicals of one kanji and
// fuzzy rules that never stop rewriting. Every run must finish, exit with
// status 0 and print only what the data holds. In the sanitizer build the
// program also fails (and so does the test) on any leak or bad access.

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testfiles::convert;
using testfiles::euc;
using testfiles::repeat;

std::string randomHighBytes(size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0x80, 0x100);
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        int value = byte(random);
        text += value == 0x100 ? '\n' : char(value);
    }
    return text + "\n";
}

bool isValidUtf8(const std::string& text)
{
    return !convert(text, "UTF-8", "UTF-8").empty() || text.empty();
}

// Everything but the glosses of the word block, which keep the bytes of the
// dictionary file and so need not be UTF-8.
std::string withoutGlosses(const std::string& output)
{
    std::istringstream lines(output);
    std::string line, kept;
    bool wordBlock = false;
    while (std::getline(lines, line)) {
        wordBlock = wordBlock || line == "Search Results:" || line == "<results>";
        bool gloss = wordBlock && ((line.size() > 3 && line.compare(0, 3, "   ") == 0 &&
                                    std::isdigit(static_cast<unsigned char>(line[3]))) ||
                                   line.find("<meaning>") != std::string::npos);
        if (!gloss) {
            kept += line + "\n";
        }
    }
    return kept;
}

// The entries of the word block: the text between ". " and "(" of each
// numbered entry line that follows "Search Results:".
std::vector<std::string> printedWords(const std::string& output)
{
    std::vector<std::string> words;
    size_t start = output.find("Search Results:\n");
    if (start == std::string::npos) {
        return words;
    }
    std::istringstream lines(output.substr(start));
    std::string line;
    while (std::getline(lines, line)) {
        size_t dot = line.find(". ");
        if (line.empty() || !std::isdigit(static_cast<unsigned char>(line[0])) || dot == std::string::npos ||
            line.back() != ':') {
            continue;
        }
        words.push_back(line.substr(dot + 2, line.rfind('(') - dot - 2));
    }
    return words;
}

// The lines between a heading of the kanji block and the next heading.
std::vector<std::string> kanjiSection(const std::string& output, const std::string& heading)
{
    std::vector<std::string> items;
    std::istringstream lines(output);
    std::string line;
    bool inside = false;
    while (std::getline(lines, line)) {
        if (line == "   " + heading + ":") {
            inside = true;
        } else if (inside && line.compare(0, 6, "      ") == 0) {
            items.push_back(line.substr(line.find(". ") + 2));
        } else if (inside) {
            break;
        }
    }
    return items;
}

const char* const emptyOutput = "Kanji Results:\nSearch Results:\n";

using Outcome = testfiles::ProgramRun;

class HostileDataCliTest : public testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* sub : {"dictionaries/edict", "dictionaries/kanjidic", "dictionaries/radical"}) {
            std::filesystem::create_directories(program.path() + "/" + sub);
        }
    }

    void write(const std::string& name, const std::string& bytes) { program.write(name, bytes); }
    void writeEdict(const std::string& bytes) { write("dictionaries/edict/edict", bytes); }
    void writeKanjidic(const std::string& bytes) { write("dictionaries/kanjidic/kanjidic.jis-x-0208-1990", bytes); }
    void writeRadkfile(const std::string& bytes) { write("dictionaries/radical/radkfile", bytes); }
    void writePartsOfSpeech(const std::string& bytes) { write("partsofspeech.drx", bytes); }
    void writeFuzzyRules(const std::string& bytes) { write("fuzzysearch.uni.dat", bytes); }
    void writeEverywhere(const std::string& bytes)
    {
        writeEdict(bytes);
        write("dictionaries/edict/compdic", bytes);
        writeKanjidic(bytes);
        writeRadkfile(bytes);
        write("dictionaries/radical/radkfile2", bytes);
        writePartsOfSpeech(bytes);
        writeFuzzyRules(bytes);
    }

    // The program must change into its own folder to find the data.
    Outcome run(const std::vector<std::string>& arguments) { return program.run(arguments); }

    // A run that finished normally and printed clean UTF-8.
    Outcome expectClean(std::vector<std::string> arguments)
    {
        Outcome result = run(arguments);
        std::string tail = result.err.size() > 3000 ? result.err.substr(result.err.size() - 3000) : result.err;
        EXPECT_TRUE(result.finished) << "dexaru2 did not finish";
        EXPECT_EQ(result.status, 0) << tail;
        EXPECT_EQ(result.out.find('\0'), std::string::npos) << "NUL byte in the output";
        EXPECT_TRUE(isValidUtf8(withoutGlosses(result.out))) << "the output is not UTF-8";
        return result;
    }

    // The searches and listings of every test.
    void expectNothingFound()
    {
        EXPECT_EQ(expectClean({"search", "neko"}).out, emptyOutput);
        EXPECT_EQ(expectClean({"search", "*", "--search-wildcard", "--search-word", "--search-kana"}).out, emptyOutput);
        EXPECT_EQ(expectClean({"search", "たべました", "--search-fuzzy", "--search-defaults"}).out, emptyOutput);
        EXPECT_EQ(expectClean({"search", "a", "--search-meaning", "--no-convert-to-kana", "-o", "xml"}).out,
                  "<kanjiresults>\n</kanjiresults>\n<results>\n</results>\n");
    }

    testfiles::ProgramFolder program;
};

const char* const catLine = "猫 [ねこ] /(n) cat/(P)/\n";
const char* const catKanji = "猫 4753 U732b B94 G8 S11 F1702 ビョウ ねこ {cat}\n";

}  // namespace

TEST_F(HostileDataCliTest, RandomHighBytesEverywhereFindNothing)
{
    writeEverywhere(randomHighBytes(300000, 7));
    expectNothingFound();
    EXPECT_EQ(expectClean({"list", "parts-of-speech"}).out, "");
    EXPECT_EQ(expectClean({"list", "dictionaries"}).out,
              "There are 3 dictionaries loaded.\nThe usual edict\nComputer terms\n4jwords\n");
}

TEST_F(HostileDataCliTest, LineEndsOnlyEverywhereFindNothing)
{
    writeEverywhere(std::string(100000, '\n'));
    expectNothingFound();
    EXPECT_EQ(expectClean({"list", "parts-of-speech"}).out, "");
}

TEST_F(HostileDataCliTest, DollarLinesOnlyEverywhereFindNothing)
{
    writeEverywhere(repeat("$\n$ \n$\r\n", 3000));
    EXPECT_EQ(expectClean({"search", "neko"}).out, emptyOutput);
    EXPECT_EQ(expectClean({"search", "たべました", "--search-fuzzy", "--search-defaults"}).out, emptyOutput);
    // "$ " is an EDICT line of the word "$" without meanings, and no more.
    for (const std::string& word : printedWords(expectClean({"search", "$", "--no-convert-to-kana"}).out)) {
        EXPECT_EQ(word, "$");
    }
    EXPECT_EQ(expectClean({"list", "parts-of-speech"}).out, "");
}

TEST_F(HostileDataCliTest, RadicalLineWithoutRadicalPrintsNoRadical)
{
    writeEdict(euc(catLine));
    writeKanjidic(euc(catKanji));
    writeRadkfile(euc("$\n猫\n$ 田 5\n猫\n"));
    Outcome result = expectClean({"search", "neko"});
    EXPECT_EQ(kanjiSection(result.out, "radicals"), std::vector<std::string>{"田"});
}

TEST_F(HostileDataCliTest, TruncatedEucJpPrintsTheIntactEntries)
{
    std::string dog = euc("犬");
    dog.pop_back();
    writeEdict(euc(catLine) + dog + euc(" [いぬ] /(n) dog/\n鳥 [とり] /bird/\n魚 [さか") + euc("な").substr(0, 1));
    writeKanjidic(euc(catKanji) + euc("犬 3824 U72ac S4 ケン ") + dog + "\n" + euc("鳥 443B U9ce5 S11 {bi"));
    writeRadkfile(euc("$ 田 5\n猫\n$ 鳥 11\n鳥") + dog);
    writePartsOfSpeech("n\tnoun\nv\tverb" + dog);
    writeFuzzyRules("*ました:*ます\n*て:*" + std::string(1, '\xE3'));

    Outcome result = expectClean({"search", "neko"});
    EXPECT_EQ(printedWords(result.out), std::vector<std::string>{"猫"});
    EXPECT_EQ(kanjiSection(result.out, "radicals"), std::vector<std::string>{"田"});
    // The broken headword is lost; its reading may still find the line.
    for (const std::string& word : printedWords(expectClean({"search", "inu"}).out)) {
        EXPECT_EQ(word, "");
    }
    expectClean({"search", "*", "--search-wildcard", "--search-word", "-o", "xml"});
    expectClean({"search", "たべて", "--search-fuzzy", "--search-defaults"});
}

TEST_F(HostileDataCliTest, NulBytesInsideLinesHideTheRest)
{
    std::string nul(1, '\0');
    writeEdict(euc(catLine) + repeat(euc("犬 [いぬ] /(n) dog/") + nul + "ghost/\n", 20) + nul + euc("幽霊 [ゆうれい] /ghost/\n"));
    writeKanjidic(euc(catKanji).substr(0, 20) + nul + "{ghost}\n" + nul + euc(" U5e7d S9 {ghost}\n"));
    writeRadkfile(euc("$ 田 5\n猫") + nul + euc("幽\n$") + nul + euc(" 幺 3\n幽\n"));
    writePartsOfSpeech("n\tnoun" + nul + "ghost\n" + repeat("ghost" + nul + "\tghost\n", 20));
    writeFuzzyRules("*ghost:*cat" + nul + "\n");

    Outcome result = expectClean({"search", "neko"});
    EXPECT_EQ(printedWords(result.out), std::vector<std::string>{"猫"});
    EXPECT_EQ(result.out.find("ghost"), std::string::npos) << result.out;
    EXPECT_EQ(expectClean({"search", "ghost", "--search-meaning", "--no-convert-to-kana"}).out, emptyOutput);
    EXPECT_EQ(expectClean({"search", "幽霊"}).out, emptyOutput);
    EXPECT_EQ(expectClean({"list", "parts-of-speech"}).out.find("ghost"), std::string::npos);
}

TEST_F(HostileDataCliTest, MegabyteLinesDoNotTurnIntoEntries)
{
    std::string ghost = euc(" 幽霊 [ゆうれい] /ghost/ U5e7d S9 {ghost} $ 幺 3 \tghost:*ghost,");
    std::string longLine = euc("長 [なが] /long/") + repeat(ghost, (1 << 20) / ghost.size()) + "\n";
    writeEdict(euc(catLine) + longLine + euc("鳥 [とり] /bird/\n"));
    writeKanjidic(euc("長 3139 U9577 S8 {long}") + repeat(euc(" {ghost} U5e7d T1 ゆう"), 40000) + "\n" + euc(catKanji));
    writeRadkfile(euc("$ 田 5\n猫\n") + longLine + euc("$ 長 8\n長\n"));
    writePartsOfSpeech("n\tnoun\n" + repeat("long ghost\tghost ", 1 << 16) + "\nv\tverb\n");
    writeFuzzyRules("*ました:*ます\n" + repeat("*x:*y,", 1 << 17) + "\n");

    Outcome result = expectClean({"search", "neko"});
    EXPECT_EQ(printedWords(result.out), std::vector<std::string>{"猫"});
    EXPECT_EQ(kanjiSection(result.out, "Meanings"), std::vector<std::string>{"cat"});
    EXPECT_EQ(kanjiSection(result.out, "radicals"), std::vector<std::string>{"田"});
    EXPECT_EQ(expectClean({"search", "幽霊"}).out, emptyOutput);
    EXPECT_EQ(printedWords(expectClean({"search", "鳥"}).out), std::vector<std::string>{"鳥"});
    expectClean({"search", "xxx", "--search-fuzzy", "--search-defaults", "--no-convert-to-kana"});
    // The long line may make one row or none, but not rows of its pieces.
    std::string listing = expectClean({"list", "parts-of-speech"}).out;
    EXPECT_EQ(listing.compare(0, 8, "n: noun\n"), 0) << listing.substr(0, 200);
    EXPECT_NE(listing.find("\nv: verb\n"), std::string::npos) << listing.substr(0, 200);
    EXPECT_LE(std::count(listing.begin(), listing.end(), '\n'), 3);
}

TEST_F(HostileDataCliTest, OversizedNumbersAreNotWrapped)
{
    writeEdict(euc("亜 [あ] /Asia/\n唖 [あ] /mute/\n娃 [あ] /pretty/\n"));
    writeKanjidic(euc("亜 3021 U4e9c S300 F70000 {Asia}\n"
                      "唖 3022 U5516 S99999999999999999999 F99999999999999999999 {mute}\n"
                      "娃 3023 Uffffffffffffffffffff S9 {beautiful}\n"
                      "娃 3023 U00000000000000005a03 S-9 F-1 {beauty}\n"));
    writeRadkfile(euc("$ 一 300\n亜\n$ 口 99999999999999999999\n唖\n"));

    Outcome result = expectClean({"search", "a"});
    EXPECT_EQ(printedWords(result.out), (std::vector<std::string>{"亜", "唖", "娃"}));
    std::istringstream lines(result.out);
    std::string line;
    int kanji = 0;
    while (std::getline(lines, line) && line != "Search Results:") {
        if (line.find(" strokes):") != std::string::npos) {
            ++kanji;
            EXPECT_TRUE(line.find("(0 strokes)") != std::string::npos ||
                        line.find("(255 strokes)") != std::string::npos) << line;
        }
        if (line.compare(0, 14, "   frequency: ") == 0) {
            EXPECT_TRUE(line == "   frequency: 0" || line == "   frequency: 65535") << line;
        }
    }
    EXPECT_EQ(kanji, 3);
    // The line whose code does not fit is not read as any kanji.
    EXPECT_EQ(result.out.find("beautiful"), std::string::npos);
}

TEST_F(HostileDataCliTest, TenThousandRadicalsOfOneKanjiAreAllPrinted)
{
    std::string radkfile;
    std::set<std::string> radicals;
    for (int lead3 = 0; lead3 < 2 && radicals.size() < 10000; ++lead3) {
        for (int first = 0xB0; first <= 0xF4 && radicals.size() < 10000; ++first) {
            for (int second = 0xA1; second <= 0xFE && radicals.size() < 10000; ++second) {
                std::string code = std::string(lead3 ? "\x8F" : "") + char(first) + char(second);
                std::string utf8 = convert(code, "UTF-8", "EUC-JP");
                if (utf8.empty() || utf8 == "亜" || utf8 == "犯" || utf8 == "阡" || utf8 == "化" ||
                    !radicals.insert(utf8).second) {
                    continue;
                }
                radkfile += "$ " + code + " 1\n" + euc("亜\n");
            }
        }
    }
    ASSERT_EQ(radicals.size(), 10000u);
    writeEdict(euc("亜 [あ] /Asia/\n"));
    writeKanjidic(euc("亜 3021 U4e9c S7 ア {Asia}\n"));
    writeRadkfile(radkfile);

    std::vector<std::string> printed = kanjiSection(expectClean({"search", "亜"}).out, "radicals");
    EXPECT_EQ(printed.size(), 10000u);
    EXPECT_EQ(std::set<std::string>(printed.begin(), printed.end()), radicals);
}

TEST_F(HostileDataCliTest, FuzzyRulesWithoutEndStillFinish)
{
    writeEdict("xa /first/\nxb /second/\nxab /third/\n");
    writeFuzzyRules("*a:*b\n*b:*a\n*:*a,*b\n*ab:*abab,*ba\n");
    Outcome result = expectClean({"search", "xa", "--search-fuzzy", "--search-defaults", "--no-convert-to-kana"});
    for (const std::string& word : printedWords(result.out)) {
        EXPECT_TRUE(word == "xa" || word == "xb" || word == "xab") << word;
    }
    EXPECT_FALSE(printedWords(result.out).empty());
    EXPECT_LE(printedWords(result.out).size(), 200u);
}
