#include "TextReader.h"

#include "Deinflector.h"
#include "Edict.h"
#include "PartsOfSpeech.h"
#include "WordDictionaryCollection.h"
#include "WordEntry.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

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

    std::string split(const std::string& text)
    {
        const std::wstring input = wide(text);
        const std::vector<TextToken> tokens = reader.read(input);
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
    for (const auto& example : cases) {
        EXPECT_EQ(split(example.text), example.tokens) << example.text;
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

}  // namespace
