// End-to-end tests of dexaru2: each test builds a folder with small
// dictionaries, links the built program into it (the program reads its data
// beside itself), runs it and compares standard output and exit status.

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using testfiles::euc;

const char* const usageText =
    "Dexaru2 r410\n"
    "\n"
    "Usage:\n"
    "   dexaru2 [<option>[ ...]] <command>\n"
    "\n"
    "<command> may be:\n"
    "   list {dictionaries|parts-of-speech}\n"
    "   search <search-text>\n"
    "\n"
    "<option> may include:\n"
    "       --help               | Show this help and exit.\n"
    "(When using <command> = 'search')\n"
    "       --convert-to-kana    | Convert the search text to kana before searching.\n"
    "       --match-all-info     | All of the info filters must be matched.\n"
    "       --no-convert-to-kana | Do not convert the search text to kana before searching.\n"
    "       --no-match-all-info  | Not all of the info filters must be matched.\n"
    "   -o  --output <format>    | Change the result output format.  <format> may be 'text' or 'xml'.\n"
    "       --search-common      | Search only for common text.\n"
    "       --search-defaults    | Shortcut for --search-kana, --search-word.\n"
    "       --search-fuzzy       | Perform a fuzzy search.\n"
    "       --search-ignore-case | Ignore case (especially kana) when searching.\n"
    "       --search-info <abbr> | Add this abbreviation to the list of abbreviations to match.\n"
    "       --search-kana        | Search for the text in the kana.\n"
    "       --search-meaning     | Search for the text in the meaning(s).\n"
    "       --search-uncommon    | Search only for uncommon text.\n"
    "       --search-wildcard    | Search using the wildcards '?' and '*'.\n"
    "       --search-word        | Search for the text in the word.\n"
    "\n"
    "Examples:\n"
    "   To search for the word 'iku' ('to go'),\n"
    "      dexaru2 search 'iku'\n"
    "   To search for words with 'iku' anywhere in them,\n"
    "      dexaru2 search '*iku*'\n"
    "   To limit that search to nouns,\n"
    "      dexaru2 search '*iku*' --searach-info 'n'\n"
    "   To list the parts of speech available for searching,\n"
    "      dexaru2 list parts-of-speech\n";

// The fixture dictionaries, written here in UTF-8 and stored in EUC-JP.
const char* const edictLines =
    "猫 [ねこ] /(n) cat/\n"
    "ネコ /(n) cat (colloquial)/(P)/\n"
    "子猫 [こねこ] /(n) kitten/(P)/\n"
    "犬 [いぬ] /(n) dog/(P)/\n"
    "大犬 [おおいぬ] /(n) large dog/\n"
    "行く [いく] /(v5k-s,vi) to go/(P)/\n"
    "生く [いく] /(v5k-s,vi) (arch) to live/\n"
    "勉強 [べんきょう] /(n,vs) study/(P)/\n"
    "食べる [たべる] /(v1) to eat/(P)/\n"
    "口 [くち] /(n) mouth/(P)/\n";

const char* const compdicLines =
    "猫 [ねこ] /(n) cat (Unix command)/(P)/\n"
    "ファイル /(n) file/data <&> \"stream\"/\n";

// Stroke counts and frequencies exercise every tie-break of the kanji order:
// 口 and 子 share strokes and (no) frequency, 大 has the same strokes with a
// rank, 強 and 猫 differ only in rank.
const char* const kanjidicLines =
    "# KANJIDIC fixture\n"
    "口 387D U53e3 B30 G1 S3 コウ ク くち {mouth}\n"
    "子 3B52 U5b50 B39 G1 S3 シ ス こ -こ T1 し ちか {child}\n"
    "大 4267 U5927 B37 G1 S3 F1 ダイ タイ おお- おお.きい {large} {big}\n"
    "犬 3824 U72ac B94 G1 S4 F1326 ケン いぬ {dog}\n"
    "生 405A U751f B100 G1 S5 F29 セイ ショウ い.きる なま- T1 いく {life} {birth}\n"
    "行 3954 U884c B144 G2 S6 F20 コウ ギョウ い.く おこな.う {going} {journey}\n"
    "食 3F29 U98df B184 G2 S9 F328 ショク く.う た.べる {eat} {food}\n"
    "勉 4A59 U52c9 B19 G3 S10 F1066 ベン つと.める {exertion}\n"
    "強 362F U5f37 B57 G2 S11 F125 キョウ ゴウ つよ.い T2 ゆみ {strong}\n"
    "猫 4753 U732b B94 G8 S11 F1702 ビョウ ねこ {cat}\n";

// 犯 stands for the radical ⺨ in radical files.
const char* const radkfileLines =
    "# RADKFILE fixture\n"
    "$ 一 1\n生\n"
    "$ 丶 1\n犬\n"
    "$ 口 3\n口\n"
    "$ 子 3\n子\n"
    "$ 大 3\n大犬\n"
    "$ 犯 3\n猫\n"
    "$ 田 5\n猫\n"
    "$ 生 5\n生\n"
    "$ 行 6\n行\n"
    "$ 力 2\n勉\n"
    "$ 弓 3\n強\n"
    "$ 食 9\n食\n";

const char* const radkfile2Lines =
    "$ 人 2\n食\n"
    "$ 大 3\n大\n";

const char* const partsOfSpeechLines =
    "# Parts of speech of the fixture dictionaries\n"
    "n\tnoun\n"
    "vs\tverbal noun (takes suru)\n"
    "v1\tIchidan verb\n"
    "v5k-s\tGodan verb (iku)\n"
    "vi\tintransitive verb\n";

const char* const fuzzyRules =
    "# Past tense back to the dictionary form\n"
    "*た:*る\n";

class Dexaru2Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        program.write("partsofspeech.drx", partsOfSpeechLines);
        program.write("fuzzysearch.uni.dat", fuzzyRules);
        program.write("dictionaries/edict/edict", euc(edictLines));
        program.write("dictionaries/edict/compdic", euc(compdicLines));
        program.write("dictionaries/kanjidic/kanjidic.jis-x-0208-1990", euc(kanjidicLines));
        program.write("dictionaries/radical/radkfile", euc(radkfileLines));
        program.write("dictionaries/radical/radkfile2", euc(radkfile2Lines));
    }

    void writeFile(const std::string& name, const std::string& content) { program.write(name, content); }

    void expectOutput(const std::vector<std::string>& arguments, const std::string& expected,
                      int expectedStatus = 0)
    {
        const testfiles::ProgramRun result = program.run(arguments);
        std::string shown;
        for (const std::string& argument : arguments) {
            shown += " '" + argument + "'";
        }
        EXPECT_EQ(result.out, expected) << "dexaru2" << shown;
        EXPECT_EQ(result.status, expectedStatus) << "dexaru2" << shown;
    }

    testfiles::ProgramFolder program;
    const std::string& folder = program.path();
};

// How the text format prints each fixture kanji, after its number.
const std::map<std::string, std::string> kanjiText = {
    {"口", "口(3 strokes):\n   frequency: 0\n"
           "   ON readings:\n      1. コウ\n      2. ク\n"
           "   KUN readings:\n      1. くち\n   nanori readings:\n"
           "   radicals:\n      1. 口\n   Meanings:\n      1. mouth\n"},
    {"子", "子(3 strokes):\n   frequency: 0\n"
           "   ON readings:\n      1. シ\n      2. ス\n"
           "   KUN readings:\n      1. こ\n      2. -こ\n"
           "   nanori readings:\n      1. し\n      2. ちか\n"
           "   radicals:\n      1. 子\n   Meanings:\n      1. child\n"},
    {"大", "大(3 strokes):\n   frequency: 1\n"
           "   ON readings:\n      1. ダイ\n      2. タイ\n"
           "   KUN readings:\n      1. おお-\n      2. おお.きい\n   nanori readings:\n"
           "   radicals:\n      1. 大\n   Meanings:\n      1. large\n      2. big\n"},
    {"犬", "犬(4 strokes):\n   frequency: 1326\n"
           "   ON readings:\n      1. ケン\n   KUN readings:\n      1. いぬ\n   nanori readings:\n"
           "   radicals:\n      1. 丶\n      2. 大\n   Meanings:\n      1. dog\n"},
    {"生", "生(5 strokes):\n   frequency: 29\n"
           "   ON readings:\n      1. セイ\n      2. ショウ\n"
           "   KUN readings:\n      1. い.きる\n      2. なま-\n"
           "   nanori readings:\n      1. いく\n"
           "   radicals:\n      1. 一\n      2. 生\n   Meanings:\n      1. life\n      2. birth\n"},
    {"行", "行(6 strokes):\n   frequency: 20\n"
           "   ON readings:\n      1. コウ\n      2. ギョウ\n"
           "   KUN readings:\n      1. い.く\n      2. おこな.う\n   nanori readings:\n"
           "   radicals:\n      1. 行\n   Meanings:\n      1. going\n      2. journey\n"},
    {"食", "食(9 strokes):\n   frequency: 328\n"
           "   ON readings:\n      1. ショク\n"
           "   KUN readings:\n      1. く.う\n      2. た.べる\n   nanori readings:\n"
           "   radicals:\n      1. 食\n      2. 人\n   Meanings:\n      1. eat\n      2. food\n"},
    {"勉", "勉(10 strokes):\n   frequency: 1066\n"
           "   ON readings:\n      1. ベン\n   KUN readings:\n      1. つと.める\n   nanori readings:\n"
           "   radicals:\n      1. 力\n   Meanings:\n      1. exertion\n"},
    {"強", "強(11 strokes):\n   frequency: 125\n"
           "   ON readings:\n      1. キョウ\n      2. ゴウ\n"
           "   KUN readings:\n      1. つよ.い\n   nanori readings:\n      1. ゆみ\n"
           "   radicals:\n      1. 弓\n   Meanings:\n      1. strong\n"},
    {"猫", "猫(11 strokes):\n   frequency: 1702\n"
           "   ON readings:\n      1. ビョウ\n   KUN readings:\n      1. ねこ\n   nanori readings:\n"
           "   radicals:\n      1. ⺨\n      2. 田\n   Meanings:\n      1. cat\n"},
};

const char* const usualEdict = "   [Edict@0: The usual edict]\n";

// How the text format prints each fixture word entry, after its number. The
// two entries of 猫 are told apart by their dictionary.
const std::map<std::string, std::string> wordText = {
    {"猫@0", std::string("猫(ねこ):\n   [neko]\n   + (n) noun\n   1. cat\n") + usualEdict},
    {"猫@1", "猫(ねこ):\n   [neko]\n   * Common.\n   + (n) noun\n   1. cat (Unix command)\n"
             "   [Edict@1: Computer terms]\n"},
    {"ネコ", std::string("ネコ(ネコ):\n   [NEKO]\n   * Common.\n   + (n) noun\n"
                         "   1. cat (colloquial)\n") + usualEdict},
    {"子猫", std::string("子猫(こねこ):\n   [koneko]\n   * Common.\n   + (n) noun\n   1. kitten\n") +
                 usualEdict},
    {"犬", std::string("犬(いぬ):\n   [inu]\n   * Common.\n   + (n) noun\n   1. dog\n") + usualEdict},
    {"大犬", std::string("大犬(おおいぬ):\n   [ooinu]\n   + (n) noun\n   1. large dog\n") + usualEdict},
    {"行く", std::string("行く(いく):\n   [iku]\n   * Common.\n   + (v5k-s) Godan verb (iku)\n"
                         "   + (vi) intransitive verb\n   1. to go\n") + usualEdict},
    {"生く", std::string("生く(いく):\n   [iku]\n   + (v5k-s) Godan verb (iku)\n"
                         "   + (vi) intransitive verb\n   1. (arch) to live\n") + usualEdict},
    {"勉強", std::string("勉強(べんきょう):\n   [benkyou]\n   * Common.\n   + (n) noun\n"
                         "   + (vs) verbal noun (takes suru)\n   1. study\n") + usualEdict},
    {"食べる", std::string("食べる(たべる):\n   [taberu]\n   * Common.\n   + (v1) Ichidan verb\n"
                           "   1. to eat\n") + usualEdict},
    {"口", std::string("口(くち):\n   [kuti]\n   * Common.\n   + (n) noun\n   1. mouth\n") + usualEdict},
    {"ファイル", "ファイル(ファイル):\n   [HULAIRU]\n   + (n) noun\n   1. file\n"
                 "   2. data <&> \"stream\"\n   [Edict@1: Computer terms]\n"},
};

// The whole text output of a search: the kanji block, then the word block.
std::string textOutput(const std::vector<std::string>& kanji, const std::vector<std::string>& words)
{
    std::string output = "Kanji Results:\n";
    for (size_t i = 0; i < kanji.size(); ++i) {
        output += std::to_string(i + 1) + ". " + kanjiText.at(kanji[i]);
    }
    output += "Search Results:\n";
    for (size_t i = 0; i < words.size(); ++i) {
        output += std::to_string(i + 1) + ". " + wordText.at(words[i]);
    }
    return output;
}

const std::string nothingFound = textOutput({}, {});

TEST_F(Dexaru2Test, PrintsTheUsageForEveryBadCommandLine)
{
    const std::vector<std::vector<std::string>> badCommandLines = {
        {},
        {"--help"},
        {"search", "neko", "--help"},
        {"--search-kana", "--help", "list", "dictionaries"},
        {"list"},
        {"list", "kanji"},
        {"list", "dictionaries", "parts-of-speech"},
        {"search"},
        {"search", ""},
        {"search", "neko", "inu"},
        {"find", "neko"},
        {"neko", "search"},
        {"--unknown", "search", "neko"},
        {"search", "neko", "-o"},
        {"search", "neko", "--output"},
        {"search", "neko", "--search-info"},
    };
    for (const std::vector<std::string>& arguments : badCommandLines) {
        expectOutput(arguments, usageText, 1);
    }
}

TEST_F(Dexaru2Test, HelpAsTheValueOfAnOptionIsAValue)
{
    // "--help" given to -o is the output format, which prints nothing.
    expectOutput({"-o", "--help", "search", "neko"}, "");
    expectOutput({"--search-info", "--help", "search", "neko"}, nothingFound);
}

TEST_F(Dexaru2Test, ListsTheDictionariesAndThePartsOfSpeech)
{
    const std::string dictionaries =
        "There are 3 dictionaries loaded.\nThe usual edict\nComputer terms\n4jwords\n";
    expectOutput({"list", "dictionaries"}, dictionaries);
    const std::string partsOfSpeech =
        "n: noun\nvs: verbal noun (takes suru)\nv1: Ichidan verb\n"
        "v5k-s: Godan verb (iku)\nvi: intransitive verb\n";
    expectOutput({"list", "parts-of-speech"}, partsOfSpeech);
    expectOutput({"--search-meaning", "list", "parts-of-speech", "-o", "xml"}, partsOfSpeech);

    // Without any data files the lists still print, the count unchanged.
    std::filesystem::remove_all(folder + "/dictionaries");
    std::filesystem::remove(folder + "/partsofspeech.drx");
    expectOutput({"list", "dictionaries"}, dictionaries);
    expectOutput({"list", "parts-of-speech"}, "");
    expectOutput({"search", "neko"}, nothingFound);
}

TEST_F(Dexaru2Test, SearchesRomajiAsHiragana)
{
    const std::string expected = textOutput({"猫"}, {"猫@1", "猫@0"});
    expectOutput({"search", "neko"}, expected);
    expectOutput({"search", "ねこ"}, expected);
    expectOutput({"--search-kana", "--search-kana", "search", "neko"}, expected);
    expectOutput({"--search-defaults", "search", "iku"}, textOutput({"生", "行"}, {"生く", "行く"}));
}

TEST_F(Dexaru2Test, UpperCaseRomajiSearchesKatakana)
{
    expectOutput({"search", "NEKO"}, textOutput({}, {"ネコ"}));
    expectOutput({"search", "IKU"}, nothingFound);
    expectOutput({"--search-defaults", "--search-ignore-case", "search", "NEKO"},
                 textOutput({"猫"}, {"猫@1", "猫@0", "ネコ"}));
    // Ignoring case alone selects no field to search.
    expectOutput({"--search-ignore-case", "search", "NEKO"}, nothingFound);
}

TEST_F(Dexaru2Test, SearchesInXml)
{
    const std::string nekoEntry =
        "\t<entry>\n"
        "\t\t<word>猫</word>\n"
        "\t\t<kana romaji=\"neko\">ねこ</kana>\n";
    expectOutput({"-o", "xml", "search", "neko"},
                 "<kanjiresults>\n"
                 "\t<kanjientry>\n"
                 "\t\t<kanji>猫</kanji>\n"
                 "\t\t<strokecount>11</strokecount>\n"
                 "\t\t<frequency>1702</frequency>\n"
                 "\t\t<on>ビョウ</on>\n"
                 "\t\t<kun>ねこ</kun>\n"
                 "\t\t<radical>⺨</radical>\n"
                 "\t\t<radical>田</radical>\n"
                 "\t\t<meaning>cat</meaning>\n"
                 "\t</kanjientry>\n"
                 "</kanjiresults>\n"
                 "<results>\n" +
                     nekoEntry +
                     "\t\t<common />\n"
                     "\t\t<info abbreviation=\"n\">noun</info>\n"
                     "\t\t<meaning>cat (Unix command)</meaning>\n"
                     "\t\t<dictionary index=\"1\">Computer terms</dictionary>\n"
                     "\t</entry>\n" +
                     nekoEntry +
                     "\t\t<info abbreviation=\"n\">noun</info>\n"
                     "\t\t<meaning>cat</meaning>\n"
                     "\t\t<dictionary index=\"0\">The usual edict</dictionary>\n"
                     "\t</entry>\n"
                     "</results>\n");
    expectOutput({"-o", "xml", "search", "sakana"},
                 "<kanjiresults>\n</kanjiresults>\n<results>\n</results>\n");
}

TEST_F(Dexaru2Test, XmlValuesAreWrittenUnescaped)
{
    // Callers of the XML format read the values as they are.
    expectOutput({"--output", "xml", "--search-word", "search", "FAIRU"},
                 "<kanjiresults>\n"
                 "</kanjiresults>\n"
                 "<results>\n"
                 "\t<entry>\n"
                 "\t\t<word>ファイル</word>\n"
                 "\t\t<kana romaji=\"HULAIRU\">ファイル</kana>\n"
                 "\t\t<info abbreviation=\"n\">noun</info>\n"
                 "\t\t<meaning>file</meaning>\n"
                 "\t\t<meaning>data <&> \"stream\"</meaning>\n"
                 "\t\t<dictionary index=\"1\">Computer terms</dictionary>\n"
                 "\t</entry>\n"
                 "</results>\n");
}

TEST_F(Dexaru2Test, SearchesMeaningsAsTypedWithoutKanaConversion)
{
    const std::string dogs = textOutput({"大", "犬"}, {"犬", "大犬"});
    expectOutput({"--search-meaning", "--no-convert-to-kana", "search", "dog"}, dogs);
    // English that leaves letters behind as kana ("dog" as どg) is searched as
    // typed, whether conversion is asked for or not.
    expectOutput({"--search-meaning", "search", "dog"}, dogs);
    expectOutput({"--no-convert-to-kana", "--convert-to-kana", "--search-meaning", "search", "dog"},
                 dogs);
}

TEST_F(Dexaru2Test, WildcardsNeedTheWildcardOptionAndAField)
{
    expectOutput({"--search-defaults", "--search-wildcard", "search", "*inu*"},
                 textOutput({"大", "犬"}, {"犬", "大犬"}));
    // Without the option the stars are compared as they are.
    expectOutput({"search", "*inu*"}, nothingFound);
    // The wildcard option alone selects no field to search.
    expectOutput({"--search-wildcard", "search", "*inu*"}, nothingFound);
}

TEST_F(Dexaru2Test, FiltersCommonAndUncommonEntries)
{
    const std::string common = textOutput({"猫"}, {"猫@1"});
    const std::string uncommon = textOutput({"猫"}, {"猫@0"});
    expectOutput({"--search-common", "search", "neko"}, common);
    expectOutput({"--search-uncommon", "search", "neko"}, uncommon);
    expectOutput({"--search-uncommon", "--search-common", "search", "neko"}, common);
    expectOutput({"--search-common", "--search-uncommon", "search", "neko"}, uncommon);
}

TEST_F(Dexaru2Test, FiltersByPartsOfSpeech)
{
    const std::vector<std::string> everyWord = {"--search-word", "--search-wildcard", "search", "*"};
    std::vector<std::string> anyOf = everyWord;
    anyOf.insert(anyOf.end(), {"--search-info", "vs", "--search-info", "v1"});
    expectOutput(anyOf, textOutput({"食", "勉", "強"}, {"食べる", "勉強"}));

    std::vector<std::string> allOf = anyOf;
    allOf.push_back("--match-all-info");
    expectOutput(allOf, nothingFound);
    allOf.push_back("--no-match-all-info");
    expectOutput(allOf, textOutput({"食", "勉", "強"}, {"食べる", "勉強"}));

    std::vector<std::string> nounAndVerbalNoun = everyWord;
    nounAndVerbalNoun.insert(nounAndVerbalNoun.end(),
                             {"--search-info", "n", "--match-all-info", "--search-info", "vs"});
    expectOutput(nounAndVerbalNoun, textOutput({"勉", "強"}, {"勉強"}));
}

TEST_F(Dexaru2Test, FuzzySearchFindsTheDictionaryForm)
{
    expectOutput({"--search-kana", "--search-fuzzy", "search", "tabeta"},
                 textOutput({"食"}, {"食べる"}));
    expectOutput({"search", "tabeta"}, nothingFound);
    expectOutput({"--search-fuzzy", "search", "tabeta"}, nothingFound);
}

TEST_F(Dexaru2Test, UnknownFormatPrintsNothing)
{
    expectOutput({"-o", "json", "search", "neko"}, "");
    expectOutput({"-o", "XML", "search", "neko"}, "");
    expectOutput({"-o", "xml", "-o", "text", "search", "neko"}, textOutput({"猫"}, {"猫@1", "猫@0"}));
}

TEST_F(Dexaru2Test, SearchThatFindsNothingPrintsEmptyBlocks)
{
    expectOutput({"search", "sakana"}, nothingFound);
    // Text that is not UTF-8 is searched as the empty text.
    expectOutput({"search", "\xff\xfe"}, nothingFound);
}

TEST_F(Dexaru2Test, BothBlocksAreSorted)
{
    // Words by reading, then written form, then common entries first;
    // kanji by stroke count, then frequency rank (none first), then code point.
    expectOutput({"--search-word", "--search-wildcard", "search", "*"},
                 textOutput({"口", "子", "大", "犬", "生", "行", "食", "勉", "強", "猫"},
                            {"生く", "行く", "犬", "大犬", "口", "子猫", "食べる", "猫@1", "猫@0",
                             "勉強", "ネコ", "ファイル"}));
}

TEST_F(Dexaru2Test, KeepsTheFirst200EntriesFoundAcrossTwoDictionaries)
{
    // 150 entries in each dictionary, all read ご: the first dictionary's
    // 150 and the second's first 50 are kept, then sorted by written form.
    std::string edict;
    std::string compdic;
    for (int i = 1; i <= 300; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "語%03d [ご] /(n) word %03d/\n", i, i);
        (i <= 150 ? edict : compdic) += line;
    }
    writeFile("dictionaries/edict/edict", euc(edict));
    writeFile("dictionaries/edict/compdic", euc(compdic));

    std::string expected = nothingFound;
    for (int i = 1; i <= 200; ++i) {
        char entry[256];
        std::snprintf(entry, sizeof entry,
                      "%d. 語%03d(ご):\n   [go]\n   + (n) noun\n   1. word %03d\n   [Edict@%s]\n", i, i,
                      i, i <= 150 ? "0: The usual edict" : "1: Computer terms");
        expected += entry;
    }
    expectOutput({"search", "go"}, expected);
}

TEST_F(Dexaru2Test, ResultsThatCannotBeWrittenAreAFailure)
{
    const std::string command = "'" + folder + "/dexaru2' search neko >/dev/full 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

TEST_F(Dexaru2Test, KeepsTheWorkingDirectoryWhenStartedThroughThePath)
{
    const std::string command = "cd '" + folder + "' && PATH='" + folder +
                                "' && export PATH && exec dexaru2 list dictionaries 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(output, "There are 3 dictionaries loaded.\nThe usual edict\nComputer terms\n4jwords\n");
}

} // namespace
