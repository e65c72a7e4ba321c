#include "Kana.h"

#include <gtest/gtest.h>

TEST(KanaTest, ConstantsHaveTheirFixedValues)
{
    EXPECT_EQ(Kana::UNICODE_ENGLISH_START, 0x20);
    EXPECT_EQ(Kana::UNICODE_ENGLISH_END, 0x7E);
    EXPECT_EQ(Kana::UNICODE_HIRAGANA_START, 0x3040);
    EXPECT_EQ(Kana::UNICODE_HIRAGANA_END, 0x309F);
    EXPECT_EQ(Kana::UNICODE_KATAKANA_START, 0x30A0);
    EXPECT_EQ(Kana::UNICODE_KATAKANA_END, 0x30FF);
    EXPECT_EQ(Kana::KANA_OFFSET, 0x60);
    EXPECT_EQ(Kana::WC_QUES, '?');
    EXPECT_EQ(Kana::WC_STAR, '*');
}

TEST(KanaTest, HiraganaExcludesTheSoundAndIterationMarks)
{
    EXPECT_FALSE(Kana::isHiragana(uint16_t(0x3040)));
    EXPECT_TRUE(Kana::isHiragana(uint16_t(0x3041)));
    EXPECT_TRUE(Kana::isHiragana(uint16_t(0x3096)));
    EXPECT_FALSE(Kana::isHiragana(uint16_t(0x3097)));
    EXPECT_FALSE(Kana::isHiragana(uint16_t(0x309D)));
    EXPECT_FALSE(Kana::isKana(uint16_t(0x309D)));
}

TEST(KanaTest, KatakanaTakesTheWholeBlock)
{
    for (uint16_t c : {0x30A0, 0x30FB, 0x30FC, 0x30FF}) {
        EXPECT_TRUE(Kana::isKatakana(c)) << std::hex << c;
    }
    EXPECT_FALSE(Kana::isKatakana(uint16_t(0x309F)));
    EXPECT_FALSE(Kana::isKatakana(uint16_t(0x3100)));
    EXPECT_TRUE(Kana::isKana(uint16_t(0x30FC)));
}

TEST(KanaTest, StringTestsRequireEveryCharacterAndAcceptTheEmptyString)
{
    std::wstring empty, hiragana = L"かな", katakana = L"カナ", mixed = L"かナ";
    std::wstring wild = L"か*な?", plus = L"か+";
    EXPECT_TRUE(Kana::isHiragana(empty));
    EXPECT_TRUE(Kana::isKatakana(empty));
    EXPECT_TRUE(Kana::isKana(empty));
    EXPECT_TRUE(Kana::isHiragana(hiragana));
    EXPECT_FALSE(Kana::isHiragana(mixed));
    EXPECT_TRUE(Kana::isKatakana(katakana));
    EXPECT_FALSE(Kana::isKatakana(mixed));
    EXPECT_TRUE(Kana::isKana(mixed));
    EXPECT_FALSE(Kana::isKana(wild));
    EXPECT_TRUE(Kana::isKana_WildcardsOkay(wild));
    EXPECT_FALSE(Kana::isKana_WildcardsOkay(plus));
    EXPECT_TRUE(Kana::isKana_WildcardsOkay(empty));
}

TEST(KanaTest, FoldingShiftsWholeBlockToHiraganaButOnlyRealHiraganaToKatakana)
{
    EXPECT_EQ(Kana::toKatakana(uint16_t(0x3041)), 0x30A1);
    EXPECT_EQ(Kana::toKatakana(uint16_t(0x3096)), 0x30F6);
    EXPECT_EQ(Kana::toHiragana(uint16_t(0x30FC)), 0x309C);   // ー
    EXPECT_EQ(Kana::toKatakana(uint16_t(0x309C)), 0x309C);
    EXPECT_EQ(Kana::toHiragana(uint16_t(0x30A0)), 0x3040);   // ゠
    EXPECT_EQ(Kana::toHiragana(uint16_t(0x30F7)), 0x3097);   // ヷ
    EXPECT_EQ(Kana::toHiragana(uint16_t('a')), 'a');

    std::wstring text = L"ひらがなとカタカナx";
    EXPECT_EQ(Kana::toKatakana(text), L"ヒラガナトカタカナx");
    EXPECT_EQ(Kana::toHiragana(text), L"ひらがなとかたかなx");
    EXPECT_EQ(text, L"ひらがなとカタカナx");
}

TEST(KanaTest, StringConversionsReduceToSixteenBits)
{
    std::wstring wide = {wchar_t(0x1304B)};  // low bits are か
    EXPECT_EQ(Kana::toKatakana(wide), L"カ");
}

TEST(KanaTest, EqualityIgnoringKanaNeedsBothFoldingsToAgree)
{
    std::wstring a = L"かな", b = L"カナ", c = L"かなだ", empty1, empty2;
    EXPECT_TRUE(Kana::StringsAreEqual_IgnoreKana(a, b));
    EXPECT_FALSE(Kana::StringsAreEqual_IgnoreKana(a, c));
    EXPECT_TRUE(Kana::StringsAreEqual_IgnoreKana(empty1, empty2));
    std::wstring va = {wchar_t(0x30F7)}, unassigned = {wchar_t(0x3097)};
    EXPECT_FALSE(Kana::StringsAreEqual_IgnoreKana(va, unassigned));
}

TEST(KanaTest, SingleKanaToRomaji)
{
    EXPECT_EQ(Kana::kanaToRomaji_Single(L'か'), L"ka");
    EXPECT_EQ(Kana::kanaToRomaji_Single(L'カ'), L"KA");
    EXPECT_EQ(Kana::kanaToRomaji_Single(L'ん'), L"n");
    EXPECT_EQ(Kana::kanaToRomaji_Single(L'ぁ'), L"la");
    EXPECT_EQ(Kana::kanaToRomaji_Single(L'ゖ'), L"lke");
    EXPECT_EQ(Kana::kanaToRomaji_Single(L'ア'), L"A");
    EXPECT_EQ(Kana::kanaToRomaji_Single(L'ッ'), L"LTU");
    EXPECT_EQ(Kana::kanaToRomaji_Single(L'ヴ'), L"VU");
    EXPECT_EQ(Kana::kanaToRomaji_Single(L'ヵ'), L"LKA");
    EXPECT_EQ(Kana::kanaToRomaji_Single(L'ヷ'), L"va");
    EXPECT_EQ(Kana::kanaToRomaji_Single(L'ヺ'), L"vo");
    EXPECT_EQ(Kana::kanaToRomaji_Single(L'・'), L"*");
    EXPECT_EQ(Kana::kanaToRomaji_Single(L'ー'), L"-");
    EXPECT_EQ(Kana::kanaToRomaji_Single(0xFF21), L"A");   // Ａ
    EXPECT_EQ(Kana::kanaToRomaji_Single(0xFF01), L"!");
    EXPECT_EQ(Kana::kanaToRomaji_Single(0xFF5E), L"~");
    for (uint16_t none : {0x6F22, 0x309D, 0x30A0, 0x30FD, 0x30FE, 0x30FF, 0x3040, 0x61, 0xFF00, 0xFF5F}) {
        EXPECT_EQ(Kana::kanaToRomaji_Single(none), L"") << std::hex << none;
    }
}

TEST(KanaTest, EveryHiraganaHasRomajiAndItsKatakanaTheCapitals)
{
    for (uint16_t h = 0x3041; h <= 0x3096; ++h) {
        std::wstring romaji = Kana::kanaToRomaji_Single(h);
        ASSERT_FALSE(romaji.empty()) << std::hex << h;
        std::wstring upper = Kana::kanaToRomaji_Single(h + 0x60);
        ASSERT_EQ(upper.size(), romaji.size());
        for (size_t i = 0; i < romaji.size(); ++i) {
            EXPECT_EQ(upper[i], romaji[i] - 32) << std::hex << h;
        }
    }
}

TEST(KanaTest, StringToRomajiCombinesSyllables)
{
    const struct { const wchar_t* kana; const wchar_t* romaji; } cases[] = {
        {L"きゃく", L"kyaku"}, {L"しょ", L"syo"}, {L"ちゅ", L"tyu"}, {L"りゃ", L"rya"},
        {L"しぇ", L"sye"}, {L"ちぇ", L"tye"}, {L"じぇ", L"zye"}, {L"きぃ", L"kyi"},
        {L"き", L"ki"}, {L"きか", L"kika"},
        {L"ふぁいる", L"hairu"}, {L"ふぃ", L"hi"}, {L"ふぇ", L"he"}, {L"ふぉ", L"ho"},
        {L"ゔぁ", L"va"}, {L"ゔぉ", L"vo"}, {L"ふ", L"hu"},
        {L"きっぷ", L"kippu"}, {L"っか", L"kka"}, {L"っち", L"tti"}, {L"っきゃ", L"kkya"},
        {L"っ", L"ltu"}, {L"っ漢", L"ltu"},
        {L"ほんや", L"honya"}, {L"げんいん", L"gen'in"}, {L"こんな", L"kon'na"},
        {L"んあ", L"n'a"}, {L"んか", L"nka"},
        {L"漢字かな", L"kana"}, {L"", L""}, {L"ａｂ", L"ab"},
        {L"キゃ", L"Kya"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Kana::kanaStringToRomaji(c.kana), c.romaji) << c.kana;
    }
}

TEST(KanaTest, KatakanaTextDoesNotCombineWithFollowingKatakana)
{
    EXPECT_EQ(Kana::kanaStringToRomaji(L"キャ"), L"KILYA");
    EXPECT_EQ(Kana::kanaStringToRomaji(L"ファ"), L"HULA");
    EXPECT_EQ(Kana::kanaStringToRomaji(L"ンア"), L"NA");
    EXPECT_EQ(Kana::kanaStringToRomaji(L"ッカ"), L"KKA");
    EXPECT_EQ(Kana::kanaStringToRomaji(L"コーヒー"), L"KO-HI-");
}

TEST(KanaTest, SmallTsuBeforeAKanaWithoutRomajiIsWrittenOut)
{
    EXPECT_EQ(Kana::kanaStringToRomaji(L"っヽ"), L"ltu");
    EXPECT_EQ(Kana::kanaStringToRomaji(L"ッヾ"), L"LTU");
    EXPECT_EQ(Kana::kanaStringToRomaji(L"ッ゠か"), L"LTUka");
    EXPECT_EQ(Kana::kanaStringToRomaji(L"っヿ"), L"ltu");
}
