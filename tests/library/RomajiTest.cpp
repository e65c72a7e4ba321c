#include "Romaji.h"

#include <gtest/gtest.h>

TEST(RomajiTest, LetterTests)
{
    EXPECT_EQ(Romaji::UNICODE_ENGLISH_START, 0x20);
    EXPECT_EQ(Romaji::UNICODE_ENGLISH_END, 0x7E);
    for (uint16_t v : {'a', 'i', 'u', 'e', 'o'}) {
        EXPECT_TRUE(Romaji::isVowel(v));
    }
    EXPECT_FALSE(Romaji::isVowel('A'));
    EXPECT_FALSE(Romaji::isVowel('y'));
    EXPECT_TRUE(Romaji::isRomaji(uint16_t(' ')));
    EXPECT_TRUE(Romaji::isRomaji(uint16_t('~')));
    EXPECT_FALSE(Romaji::isRomaji(uint16_t('\t')));
    EXPECT_FALSE(Romaji::isRomaji(uint16_t(0x7F)));
    EXPECT_TRUE(Romaji::isRomaji(std::wstring()));
    EXPECT_TRUE(Romaji::isRomaji(std::wstring(L"neko 2")));
    EXPECT_FALSE(Romaji::isRomaji(std::wstring(L"nekoね")));
    EXPECT_TRUE(Romaji::isRomajiLetter('z'));
    EXPECT_TRUE(Romaji::isRomajiLetter('A'));
    EXPECT_FALSE(Romaji::isRomajiLetter('_'));
    EXPECT_FALSE(Romaji::isRomajiLetter('@'));
    EXPECT_TRUE(Romaji::isUpper(uint16_t('Q')));
    EXPECT_FALSE(Romaji::isUpper(uint16_t('q')));
    EXPECT_TRUE(Romaji::isLower(uint16_t('q')));
}

TEST(RomajiTest, StringCaseTestsLookForTheOtherCase)
{
    std::wstring digits = L"123", empty, lower = L"neko1", upper = L"NEKO1", mixed = L"Neko";
    EXPECT_TRUE(Romaji::isLower(digits));
    EXPECT_TRUE(Romaji::isUpper(digits));
    EXPECT_TRUE(Romaji::isLower(empty));
    EXPECT_TRUE(Romaji::isUpper(empty));
    EXPECT_TRUE(Romaji::isLower(lower));
    EXPECT_FALSE(Romaji::isUpper(lower));
    EXPECT_TRUE(Romaji::isUpper(upper));
    EXPECT_FALSE(Romaji::isLower(mixed));
    EXPECT_FALSE(Romaji::isUpper(mixed));
}

TEST(RomajiTest, CaseMappingTouchesOnlyAsciiLetters)
{
    EXPECT_EQ(Romaji::toUpper(uint16_t('a')), 'A');
    EXPECT_EQ(Romaji::toLower(uint16_t('Z')), 'z');
    EXPECT_EQ(Romaji::toUpper(uint16_t(0xFF41)), 0xFF41);
    EXPECT_EQ(Romaji::toUpper(uint16_t('{')), '{');
    EXPECT_EQ(Romaji::toLower(uint16_t('@')), '@');
    EXPECT_EQ(Romaji::toLower(std::wstring(L"ネコNeko猫ＡB")), L"ネコneko猫Ａb");
    EXPECT_EQ(Romaji::toUpper(std::wstring(L"ねこneko")), L"ねこNEKO");
}

TEST(RomajiTest, SingleSyllableToKana)
{
    EXPECT_EQ(Romaji::romajiToKana_Single(L"ka"), L'か');
    EXPECT_EQ(Romaji::romajiToKana_Single(L"KA"), L'カ');
    EXPECT_EQ(Romaji::romajiToKana_Single(L"kA"), L'カ');
    EXPECT_EQ(Romaji::romajiToKana_Single(L"va"), L'ヷ');
    EXPECT_EQ(Romaji::romajiToKana_Single(L"VA"), L'ヷ');
    EXPECT_EQ(Romaji::romajiToKana_Single(L"n'"), L'ん');
    EXPECT_EQ(Romaji::romajiToKana_Single(L"n"), L'ん');
    EXPECT_EQ(Romaji::romajiToKana_Single(L"xtu"), L'っ');
    EXPECT_EQ(Romaji::romajiToKana_Single(L"ltu"), L'っ');
    EXPECT_EQ(Romaji::romajiToKana_Single(L"xke"), L'ゖ');
    EXPECT_EQ(Romaji::romajiToKana_Single(L"LWA"), L'ヮ');
    EXPECT_EQ(Romaji::romajiToKana_Single(L"-"), L'ー');
    EXPECT_EQ(Romaji::romajiToKana_Single(L"*"), L'・');
    EXPECT_EQ(Romaji::romajiToKana_Single(L"kya"), 0);
    EXPECT_EQ(Romaji::romajiToKana_Single(L""), 0);
    EXPECT_EQ(Romaji::romajiToKana_Single(L"shi"), 0);
    EXPECT_EQ(Romaji::romajiToKana_Single(L"kaka"), 0);
}

TEST(RomajiTest, FullwidthKeepsWildcardsAndRejectsSpace)
{
    EXPECT_EQ(Romaji::romajiToFullwidth(' '), 0);
    EXPECT_EQ(Romaji::romajiToFullwidth('?'), '?');
    EXPECT_EQ(Romaji::romajiToFullwidth('*'), '*');
    EXPECT_EQ(Romaji::romajiToFullwidth('A'), 0xFF21);
    EXPECT_EQ(Romaji::romajiToFullwidth('1'), 0xFF11);
    EXPECT_EQ(Romaji::romajiToFullwidth('.'), 0xFF0E);
    EXPECT_EQ(Romaji::romajiToFullwidth('~'), 0xFF5E);
    EXPECT_EQ(Romaji::romajiToFullwidth(0x7F), 0);
    EXPECT_EQ(Romaji::romajiToFullwidth(L'か'), 0);
}

TEST(RomajiTest, SyllableToKanaHandlesPalatalSyllables)
{
    EXPECT_EQ(Romaji::romajiToKana(L"kya"), L"きゃ");
    EXPECT_EQ(Romaji::romajiToKana(L"KYA"), L"キャ");
    EXPECT_EQ(Romaji::romajiToKana(L"nyo"), L"にょ");
    EXPECT_EQ(Romaji::romajiToKana(L"lya"), L"ゃ");
    EXPECT_EQ(Romaji::romajiToKana(L"xya"), L"ゃ");
    EXPECT_EQ(Romaji::romajiToKana(L"xyu"), L"ゅ");
    EXPECT_EQ(Romaji::romajiToKana(L"kye"), L"");
    EXPECT_EQ(Romaji::romajiToKana(L"QYA"), L"");
    EXPECT_EQ(Romaji::romajiToKana(L"VYA"), L"ヸャ");
    EXPECT_EQ(Romaji::romajiToKana(L"n'"), L"ん");
    EXPECT_EQ(Romaji::romajiToKana(L"-"), L"ー");
    EXPECT_EQ(Romaji::romajiToKana(L"qa"), L"");
}

namespace {

std::wstring finished(const wchar_t* romaji)
{
    return Romaji::romajiStringToKana(romaji, true);
}

std::wstring typing(const wchar_t* romaji)
{
    return Romaji::romajiStringToKana(romaji, false);
}

}  // namespace

TEST(RomajiTest, WordsToKana)
{
    const struct { const wchar_t* romaji; const wchar_t* kana; } cases[] = {
        {L"neko", L"ねこ"}, {L"NEKO", L"ネコ"}, {L"kyoto", L"きょと"}, {L"toukyou", L"とうきょう"},
        {L"shinbun", L"しんぶん"}, {L"kippu", L"きっぷ"}, {L"gakkou", L"がっこう"},
        {L"tsukue", L"つくえ"}, {L"chotto", L"ちょっと"}, {L"kon'nichiha", L"こんにちは"},
        {L"konnichiha", L"こんにちは"}, {L"honya", L"ほにゃ"}, {L"hon'ya", L"ほんや"},
        {L"firumu", L"ふぃるむ"}, {L"ja", L"じゃ"}, {L"KONPYU-TA-", L"コンピューター"},
        {L"KA-DO", L"カード"}, {L"kanjI", L"かんジ"}, {L"neko*", L"ねこ*"}, {L"2neko", L"２ねこ"},
        {L"xtsu", L"っ"}, {L"ltsu", L"っ"}, {L"dzu", L"づ"}, {L"fu", L"ふ"}, {L"FA", L"ファ"},
        {L"VO", L"ヴォ"}, {L"vu", L"ゔ"}, {L"ve", L"ゔぇ"}, {L"Kka", L"ッカ"}, {L"Nka", L"ンカ"},
        {L"nna", L"んな"}, {L"onna", L"おんな"}, {L"kanji", L"かんじ"}, {L"tanni", L"たんに"},
        {L"nn", L"んん"}, {L"n", L"ん"}, {L"nyan", L"にゃん"}, {L"honn", L"ほんん"}, {L"a-", L"あー"},
        {L"'", L"'"}, {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(finished(c.romaji), c.kana) << c.romaji;
    }
}

TEST(RomajiTest, UnfinishedTextKeepsAFinalLoneN)
{
    EXPECT_EQ(typing(L"nyan"), L"にゃn");
    EXPECT_EQ(typing(L"n"), L"n");
    EXPECT_EQ(typing(L"N"), L"N");
    EXPECT_EQ(typing(L"kekkon"), L"けっこn");
    EXPECT_EQ(typing(L"honn"), L"ほんn");
    EXPECT_EQ(typing(L"neko"), L"ねこ");
}

TEST(RomajiTest, LettersWithoutASyllablePassThrough)
{
    EXPECT_EQ(finished(L"qa"), L"qa");
    EXPECT_EQ(finished(L"matcha"), L"まtcha");
    EXPECT_EQ(finished(L"jya"), L"jya");
    EXPECT_EQ(finished(L"ye"), L"ye");
    EXPECT_EQ(finished(L"QA"), L"QA");
}

TEST(RomajiTest, OtherScriptsAndPunctuation)
{
    EXPECT_EQ(finished(L"ねこneko"), L"ねこねこ");
    EXPECT_EQ(finished(L"猫neko"), L"猫ねこ");
    EXPECT_EQ(finished(L"k1a"), L"１か");
    EXPECT_EQ(finished(L"ne?ko"), L"ね?こ");
    EXPECT_EQ(finished(L"neko!"), L"ねこ！");
    EXPECT_EQ(finished(L"a\ti"), L"あ\tい");
}

TEST(RomajiTest, PendingLoneNBeforeANonLetterBecomesN)
{
    EXPECT_EQ(finished(L"kan*"), L"かん*");
    EXPECT_EQ(finished(L"hon?"), L"ほん?");
    EXPECT_EQ(typing(L"hon?"), L"ほん?");
    EXPECT_EQ(finished(L"KAN*"), L"カン*");
    EXPECT_EQ(finished(L"n1"), L"ん１");
    EXPECT_EQ(finished(L"kan?a"), L"かん?あ");
    // Only a lone n is completed; ny still waits for its vowel.
    EXPECT_EQ(finished(L"ny1a"), L"１にゃ");
}

TEST(RomajiTest, LettersPendingAtTheEndAreNotLost)
{
    EXPECT_EQ(finished(L"tak."), L"た．k");
    EXPECT_EQ(finished(L"kk."), L"っ．k");
    EXPECT_EQ(finished(L"tsh?"), L"?tsh");
    EXPECT_EQ(finished(L"T1"), L"１T");
    EXPECT_EQ(finished(L"ch1i"), L"１ち");
}

TEST(RomajiTest, SpaceIsCopiedThrough)
{
    EXPECT_EQ(finished(L"neko inu"), L"ねこ いぬ");
    EXPECT_EQ(finished(L"kan ji"), L"かん じ");
    EXPECT_EQ(finished(L" "), L" ");
}
