#include "TextReader.h"

#include "Deinflector.h"
#include "Edict.h"
#include "PartsOfSpeech.h"
#include "WordDictionaryCollection.h"
#include "WordEntry.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

using testfiles::TempDir;
using testfiles::Utf8Locale;
using testfiles::euc;

namespace {

// The fixture dictionary, written here in UTF-8 and stored in EUC-JP.
const char* const edictLines =
    "猫 [ねこ] /(n) cat/(P)/\n"
    "猫舌 [ねこじた] /(n) aversion to hot food/\n"
    "が /(prt) subject marker/(P)/\n"
    "魚 [さかな] /(n) fish/(P)/\n"
    "を /(prt) object marker/(P)/\n"
    "は /(prt) topic marker/(P)/\n"
    "に /(prt) at, in/(P)/\n"
    "の /(prt) possessive/(P)/\n"
    "です /(exp) to be/(P)/\n"
    "食べる [たべる] /(v1,vt) to eat/(P)/\n"
    "本 [ほん] /(n) book/(P)/\n"
    "読む [よむ] /(v5m,vt) to read/(P)/\n"
    "勉強 [べんきょう] /(n,vs) study/(P)/\n"
    "為る [する] /(vs-i) (uk) to do/(P)/\n"
    "刷る [する] /(v5r,vt) to print/(P)/\n"
    "出来る [できる] /(v1,vi) (uk) to be able to/(P)/\n"
    "派手 [はで] /(adj-na,n) showy/(P)/\n"
    "東京 [とうきょう] /(n) Tokyo/(P)/\n"
    "ファイル /(n) file/(P)/\n"
    "システム /(n) system/(P)/\n"
    "ＣＤ [シーディー] /(n) compact disc/(P)/\n"
    "全て [すべて] /(n-adv) (uk) all/(P)/\n"
    "熨す [のす] /(v5s) to smooth out/\n"
    "行く [いく] /(v5k-s,vi) to go/(P)/\n"
    "個々 [ここ] /(n) individual/(P)/\n"
    "此処 [ここ] /(pn) (1) (uk) here/(2) (uk) this point/(P)/\n"
    "で /(prt) at/(P)/\n"
    "鳩 [はと] /(n) pigeon/(P)/\n"
    "迚も [とても] /(adv) (1) (uk) very/(2) (uk) (not) at all/\n"
    "ても /(prt) even if/\n"
    "は行 [はぎょう] /(n) the ha column/\n"
    "行う [おこなう] /(v5u,vt) to perform/(P)/\n"
    "居る [いる] /(v1,vi) (uk) to be/(P)/\n"
    "成す [なす] /(v5s,vt) (uk) to form/\n";

// A line longer than an entry is read from, its common mark at the end.
const std::string overLongLine = "為す [なす] /(v5s,vt) (1) (uk) to accomplish/"
                                 + testfiles::repeat("(2) to do something of some length/", 40)
                                 + "(P)/\n";

// A token as the cases write it: "?" before an unknown run, "_" before
// spaces, "surface>dictionary form" for a word not written as the
// dictionary writes it, the surface alone otherwise.
std::string shown(const TextToken& token)
{
    const std::string surface = testfiles::convert(
        std::string(reinterpret_cast<const char*>(token.surface.data()),
                    token.surface.size() * sizeof(wchar_t)),
        "UTF-8", "WCHAR_T");
    switch (token.kind) {
    case TextToken::UNKNOWN:
        return "?" + surface;
    case TextToken::SPACE:
        return "_" + surface;
    case TextToken::PUNCTUATION:
        return surface;
    case TextToken::WORD:
        break;
    }
    if (token.dictionaryForm == token.surface) {
        return surface;
    }
    return surface + ">"
           + testfiles::convert(std::string(reinterpret_cast<const char*>(token.dictionaryForm.data()),
                                            token.dictionaryForm.size() * sizeof(wchar_t)),
                                "UTF-8", "WCHAR_T");
}

std::string utf8(const std::wstring& text)
{
    return testfiles::convert(std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)),
                              "UTF-8", "WCHAR_T");
}

std::wstring wide(const std::string& utf8)
{
    const std::string bytes = testfiles::convert(utf8, "WCHAR_T");
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

class TextReaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(partsOfSpeech.load(DEXARU_SOURCE_DIR "/data/partsofspeech.drx"), 0);
        ASSERT_EQ(deinflector.loadFromFile(DEXARU_SOURCE_DIR "/data/deinflection.dat"), 0);
        edict = new Edict();
        edict->setName("fixture");
        edict->setFilename(folder.write("edict", euc(edictLines + overLongLine)));
        collection.setPartsOfSpeech(&partsOfSpeech);
        collection.addDictionary(edict);
        collection.load();
        ASSERT_TRUE(edict->isLoaded);
    }

    std::string split(const std::string& text) { return split(reader, text); }

    std::string split(TextReader& with, const std::string& text)
    {
        const std::wstring input = wide(text);
        const std::vector<TextToken> tokens = with.read(input);
        EXPECT_EQ(TextReader::joined(tokens), input) << text;
        std::string result;
        std::size_t position = 0;
        for (const TextToken& token : tokens) {
            EXPECT_EQ(token.start, position) << text;
            position += token.surface.size();
            result += (result.empty() ? "" : "|") + shown(token);
        }
        return result;
    }

    Utf8Locale locale;
    TempDir folder;
    PartsOfSpeech partsOfSpeech;
    Deinflector deinflector;
    WordDictionaryCollection collection;
    Edict* edict = nullptr;  // owned by the collection
    TextReader reader{&collection, &deinflector};
    // The same without the morphological analyser: its dictionary is missing.
    TextReader alone{&collection, &deinflector, "/nonexistent/mecab-dictionary"};
};

TEST_F(TextReaderTest, SplitsSentencesIntoDictionaryWords)
{
    const struct {
        const char* text;
        const char* tokens;
    } cases[] = {
        {"", ""},
        {"猫が魚を食べさせられなかった。", "猫|が|魚|を|食べさせられなかった>食べる|。"},
        {"本を読んでいる", "本|を|読んでいる>読む"},
        {"勉強しました", "勉強しました>勉強"},
        {"勉強をする", "勉強|を|する"},
        {"猫舌です", "猫舌|です"},  // the longest word, not 猫 and 舌
        {"はできません", "は|できません>できる"},  // not 派手 and 来る
        {"猫のすべて", "猫|の|すべて"},  // not 熨す
        {"猫はとても", "猫|は|とても"},  // not 鳩 and ても
        {"此処で", "此処|で"},
        {"は行いません", "は|行いません>行う"},  // not は行 and 居る
        {"東京に行きます", "東京|に|行きます>行く"},
        {"ファイルシステム", "ファイル|システム"},
        {"ファイルシステムヌーボ", "ファイル|システム|?ヌーボ"},
        {"猫鬱猫", "猫|?鬱|猫"},
        {"ＣＤを", "ＣＤ|を"},
        {"abc123猫", "?abc|?123|猫"},
        {"東京はTokyoです", "東京|は|?Tokyo|です"},
        {"ﾌｧｲﾙ猫", "?ﾌｧｲﾙ|猫"},
        {"。、！？「」…", "。|、|！|？|「|」|…"},
        {"猫  が\t魚\n", "猫|_  |が|_\t|魚|_\n"},
        {"　猫　", "_　|猫|_　"},
        {"😺猫", "?😺|猫"},
    };
    // With the analyser and without it alike.
    EXPECT_FALSE(alone.usesAnalyser());
    for (const auto& example : cases) {
        EXPECT_EQ(split(example.text), example.tokens) << example.text;
        EXPECT_EQ(split(alone, example.text), example.tokens) << example.text << " without the analyser";
    }
}

TEST_F(TextReaderTest, TokensCarryTheEntryTheDictionaryFormTheReadingAndTheReasons)
{
    std::vector<TextToken> tokens;
    {
        TextReader shortLived(&collection, &deinflector);
        tokens = shortLived.read(wide("猫が食べさせられなかった"));
    }
    ASSERT_EQ(tokens.size(), 3u);
    const TextToken& cat = tokens[0];
    ASSERT_TRUE(cat.isWord());
    EXPECT_EQ(cat.dictionaryForm, wide("猫"));
    EXPECT_EQ(cat.reading, wide("ねこ"));
    EXPECT_TRUE(cat.reasons.empty());
    // The entry outlives the reader and is the collection's entry.
    ASSERT_TRUE(cat.entry);
    EXPECT_EQ(cat.entry->word, wide("猫"));
    EXPECT_EQ(cat.entry->kanaRomaji, "neko");
    EXPECT_EQ(cat.entry->dictionaryName, "fixture");
    EXPECT_EQ(cat.entry->dictionaryIndex, 0);
    ASSERT_EQ(cat.entry->meaningsSize, 1);
    EXPECT_EQ(cat.entry->meanings[0], "cat");

    const TextToken& eaten = tokens[2];
    EXPECT_EQ(eaten.dictionaryForm, wide("食べる"));
    EXPECT_EQ(eaten.reading, wide("たべる"));
    EXPECT_EQ(eaten.reasons,
              (std::vector<std::string>{"causative", "passive", "negative", "past"}));

    // A word usually written in kana keeps its kana as the dictionary form.
    tokens = reader.read(wide("する"));
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0].dictionaryForm, wide("する"));
    EXPECT_EQ(tokens[0].entry->word, wide("為る"));
    // Also when the mark stands inside the glosses, after a sense number.
    tokens = reader.read(wide("ここで"));
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].entry->word, wide("此処"));
    EXPECT_EQ(tokens[0].dictionaryForm, wide("ここ"));
    // 為す is common by the mark at the end of its over-long line, and wins
    // over the uncommon 成す found first.
    tokens = reader.read(wide("なさない"));
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0].entry->word, wide("為す"));
    EXPECT_TRUE(tokens[0].entry->isCommon);
}

TEST_F(TextReaderTest, UsesOnlyEnabledLoadedDictionariesAndFollowsReloads)
{
    edict->disable();
    EXPECT_EQ(split("猫が"), "?猫|?が");
    edict->enable();
    EXPECT_EQ(split("猫が"), "猫|が");

    // A reloaded index gets a table of its own.
    edict->setFilename(folder.write("edict2", euc("鬱 [うつ] /(n) depression/\n")));
    ASSERT_EQ(edict->load(), 0);
    EXPECT_EQ(split("猫が鬱"), "?猫|?が|鬱");

    // Without a deinflector words are found only as written.
    TextReader plain(&collection);
    EXPECT_EQ(TextReader::joined(plain.read(wide("猫が食べた"))), wide("猫が食べた"));
    TextReader nothing(nullptr);
    std::vector<TextToken> tokens = nothing.read(wide("猫、ねこ"));
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[1].kind, TextToken::PUNCTUATION);
    EXPECT_EQ(tokens[2].kind, TextToken::UNKNOWN);
}

TEST_F(TextReaderTest, GivesBackAnyTextWhole)
{
    // Characters of every class, odd code points included: surrogates, a
    // NUL, code points beyond Unicode.
    const std::wstring alphabet = wide("猫がを食べさせられなかったするファイル ﾌｧｲﾙ。「」abc123ーゝ々")
                                  + std::wstring{wchar_t(0), wchar_t(0xD800), wchar_t(0x110000),
                                                 wchar_t(0x7F), wchar_t(0xFFFF)};
    std::mt19937 random(22);
    for (int round = 0; round < 300; ++round) {
        std::wstring text;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            text += alphabet[random() % alphabet.size()];
        }
        const std::vector<TextToken> tokens = reader.read(text);
        ASSERT_EQ(TextReader::joined(tokens), text) << round;
        for (const TextToken& token : tokens) {
            ASSERT_FALSE(token.surface.empty()) << round;
            ASSERT_EQ(token.isWord(), static_cast<bool>(token.entry)) << round;
        }
    }
}

// Words the analyser reads differently from a longest match: what it tells
// of boundaries, parts of speech and readings decides. Each case also
// names what the reader alone makes of it where that differs.
TEST_F(TextReaderTest, TheAnalyserDecidesWordsEntriesAndReadings)
{
    if (!reader.usesAnalyser()) {
        GTEST_SKIP() << "MeCab or its IPA dictionary is not installed";
    }
    edict->setFilename(folder.write("choice", euc(
        "人 [じん] /(suf) -ian/(P)/\n"
        "人 [ひと] /(n) man/person/(P)/\n"
        "人 [にん] /(ctr) counter for people/(P)/\n"
        "者 [もの] /(n) person/(P)/\n"
        "者 [しゃ] /(suf) person/-er/\n"
        "中 [じゅう] /(suf) throughout/(P)/\n"
        "中 [ちゅう] /(n,pref,suf) medium/(n-suf) during/(P)/\n"
        "中 [なか] /(n) inside/(P)/\n"
        "或る [ある] /(adj-pn) (uk) a certain/\n"
        "有る [ある] /(v5r-i,vi) (uk) to be/(P)/\n"
        "私 [あたし] /(pn) (fem) (uk) I/(P)/\n"
        "私 [わたし] /(pn) I/(P)/\n"
        "得る [うる] /(v-unspec,suf) to be able to/(P)/\n"
        "得る [える] /(v1,vt) to get/(P)/\n"
        "担う [になう] /(v5u,vt) to carry/(P)/\n"
        "打ち荷 [うちに] /(n) deck cargo/\n"
        "内 [うち] /(n) (uk) inside/(P)/\n"
        "内容 [ないよう] /(n) contents/(P)/\n"
        "仕手 [して] /(n) doer/\n"
        "為る [する] /(vs-i) (uk) to do/(P)/\n"
        "示す [しめす] /(v5s,vt) to show/(P)/\n"
        "示し [しめし] /(n) lesson/\n"
        "幾らか [いくらか] /(adv,n-t) (uk) some/\n"
        "幾ら [いくら] /(adv,n) (uk) how much/(P)/\n"
        "ビット /(n) bit/(P)/\n"
        "ファイル /(n) file/(P)/\n"
        "配布 [はいふ] /(n,vs) distribution/(P)/\n"
        "日本 [にっぽん] /(n) Japan/\n"
        "日本 [にほん] /(n) Japan/(P)/\n"
        "行く [いく] /(v5k-s,vi) to go/(P)/\n"
        "来る [くる] /(vk,vi) to come/(P)/\n"
        "無い [ない] /(adj-i) (uk) nonexistent/(P)/\n"
        "ない /(aux-adj) not/(P)/\n"
        "様 [よう] /(n,adj-na) (uk) appearing/(P)/\n"
        "に /(prt) at/(P)/\n"
        "が /(prt) subject/(P)/\n"
        "は /(prt) topic/(P)/\n"
        "を /(prt) object/(P)/\n"
        "で /(prt) at/(P)/\n"
        "か /(prt) question/(P)/\n"
        "ます /(aux-v) polite/(P)/\n"
        "多い [おおい] /(adj-i) many/(P)/\n"
        "忘れる [わすれる] /(v1,vt) to forget/(P)/\n"
        "帰る [かえる] /(v5r,vi) to return/(P)/\n"
        "明るい [あかるい] /(adj-i) light/(P)/\n"
        "ある /(adj-pn) ZZZ/\n")));
    ASSERT_EQ(edict->load(), 0);
    // A token as "surface>entry word[entry reading/reading as written]".
    auto read = [](TextReader& with, const std::string& text) {
        std::string result;
        for (const TextToken& token : with.read(wide(text))) {
            result += (result.empty() ? "" : "|") + std::string(token.isWord() ? "" : "?") + utf8(token.surface);
            if (token.isWord()) {
                result += ">" + utf8(token.entry->word + L"[" + token.reading + L"/" + token.surfaceReading + L"]");
            }
        }
        return result;
    };
    const struct {
        const char* text;
        const char* analysed;
    } cases[] = {
        // Hiragana across a particle stays a particle and a word.
        {"そこにない", "?そ|?こ|に>に[に/に]|ない>無い[ない/ない]"},
        {"明るいうちに帰る", "明るい>明るい[あかるい/あかるい]|うち>内[うち/うち]|に>に[に/に]|帰る>帰る[かえる/かえる]"},
        {"忘れないように", "忘れない>忘れる[わすれる/わすれない]|よう>様[よう/よう]|に>に[に/に]"},
        // A bound suffix as the analyser reads it.
        {"ファイル中", "ファイル>ファイル[ファイル/ファイル]|中>中[ちゅう/ちゅう]"},
        {"配布者に", "配布>配布[はいふ/はいふ]|者>者[しゃ/しゃ]|に>に[に/に]"},
        // An inflected form taken back to its word, not read as another.
        {"示している", "示している>示す[しめす/しめしている]"},
        {"して", "して>為る[する/して]"},
        {"ありません", "ありません>有る[ある/ありません]"},
        // The reading and the entry the sentence needs.
        {"人が多い", "人>人[ひと/ひと]|が>が[が/が]|多い>多い[おおい/おおい]"},
        {"私は", "私>私[わたし/わたし]|は>は[は/は]"},
        {"得られる", "得られる>得る[える/えられる]"},
        {"ある人", "ある>或る[ある/ある]|人>人[ひと/ひと]"},
        {"日本に行きます", "日本>日本[にほん/にほん]|に>に[に/に]|行きます>行く[いく/いきます]"},
        {"来ます", "来ます>来る[くる/きます]"},
        // Words across morphemes: a compound of an adverbial particle, and a
        // known word at the end of an unknown katakana run.
        {"いくらか", "いくらか>幾らか[いくらか/いくらか]"},
        {"スティッキビット", "?スティッキ|ビット>ビット[ビット/ビット]"},
    };
    for (const auto& example : cases) {
        const std::vector<TextToken> tokens = reader.read(wide(example.text));
        EXPECT_EQ(TextReader::joined(tokens), wide(example.text));
        EXPECT_EQ(read(reader, example.text), example.analysed) << example.text;
    }
}

TEST_F(TextReaderTest, ReadsAloneWhereTheAnalyserCannotServeAndSaysSoOnce)
{
    const char* saved = std::getenv("DEXARU_MECAB_DICTIONARY");
    const std::string savedValue = saved != nullptr ? saved : "";
    setenv("DEXARU_MECAB_DICTIONARY", "", 1);
    TextReader chosenByEnvironment(&collection, &deinflector);
    EXPECT_FALSE(chosenByEnvironment.usesAnalyser());
    setenv("DEXARU_MECAB_DICTIONARY", folder.path.c_str(), 1);  // no sys.dic there
    TextReader notADictionary(&collection, &deinflector);
    EXPECT_FALSE(notADictionary.usesAnalyser());
    if (saved != nullptr) {
        setenv("DEXARU_MECAB_DICTIONARY", savedValue.c_str(), 1);
    } else {
        unsetenv("DEXARU_MECAB_DICTIONARY");
    }

    TextReader missing(&collection, &deinflector, "/nonexistent/mecab-dictionary");
    testing::internal::CaptureStderr();
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(split(missing, "猫が魚を食べさせられなかった。"),
                  "猫|が|魚|を|食べさせられなかった>食べる|。");
    }
    const std::string log = testing::internal::GetCapturedStderr();
    const std::string told = "words are found without it";
    ASSERT_NE(log.find(told), std::string::npos) << log;
    EXPECT_EQ(log.find(told, log.find(told) + 1), std::string::npos) << log;
    EXPECT_NE(log.find("/nonexistent/mecab-dictionary"), std::string::npos) << log;
}

// A long text without space or punctuation is analysed in runs; the words
// at the cuts between runs are read whole.
TEST_F(TextReaderTest, ReadsALongTextWithoutStopsAsItsPartsAlone)
{
    for (TextReader* with : {&reader, &alone}) {
        const std::string unit = "猫が魚を食べさせられなかった";
        const std::string once = split(*with, unit);
        std::string expected;
        std::string text;
        for (int i = 0; i < 400; ++i) {
            expected += (i == 0 ? "" : "|") + once;
            text += unit;
        }
        EXPECT_TRUE(split(*with, text) == expected);
    }
}

// Tables and entries belong to a dictionary, not to its place in the
// collection: a dictionary removed takes them along, one reloaded gets new
// ones, also where its new index lies where the old one lay.
TEST_F(TextReaderTest, EntriesFollowTheDictionaryNotItsPlace)
{
    collection.removeDictionary(edict);
    delete edict;
    edict = nullptr;
    auto* first = new Edict();
    first->setName("A");
    first->setFilename(folder.write("a", euc("猫 [ねこ] /(n) cat/(P)/\n")));
    auto* second = new Edict();
    second->setName("B");
    second->setFilename(folder.write("b", euc("犬 [いぬ] /(n) dog/(P)/\n")));
    collection.addDictionary(first);
    collection.addDictionary(second);
    collection.load();
    for (TextReader* with : {&reader, &alone}) {
        std::vector<TextToken> tokens = with->read(wide("猫犬"));
        ASSERT_EQ(tokens.size(), 2u);
        EXPECT_EQ(tokens[1].entry->word, wide("犬"));
        EXPECT_EQ(tokens[1].entry->dictionaryIndex, 1);
    }
    collection.removeDictionary(first);
    delete first;
    for (TextReader* with : {&reader, &alone}) {
        const std::vector<TextToken> tokens = with->read(wide("犬猫"));
        ASSERT_EQ(tokens.size(), 2u);
        ASSERT_TRUE(tokens[0].isWord());
        EXPECT_EQ(tokens[0].entry->word, wide("犬"));
        EXPECT_EQ(tokens[0].entry->meanings[0], "dog");
        EXPECT_EQ(tokens[0].entry->dictionaryName, "B");
        EXPECT_EQ(tokens[0].entry->dictionaryIndex, 0);
        EXPECT_EQ(tokens[1].kind, TextToken::UNKNOWN);
    }
    // Reloaded with a file of the same size: other words on the same lines.
    for (int round = 0; round < 3; ++round) {
        const char* const lines[] = {"犬 [いぬ] /(n) dog/(P)/\n", "鳥 [とり] /(n) cat/(P)/\n"};
        second->setFilename(folder.write("b", euc(lines[round % 2])));
        ASSERT_EQ(second->load(), 0);
        for (TextReader* with : {&reader, &alone}) {
            const std::vector<TextToken> tokens = with->read(wide(round % 2 == 0 ? "犬" : "鳥"));
            ASSERT_EQ(tokens.size(), 1u) << round;
            ASSERT_TRUE(tokens[0].isWord()) << round;
            EXPECT_EQ(tokens[0].entry->word, wide(round % 2 == 0 ? "犬" : "鳥")) << round;
        }
    }
}

}  // namespace
