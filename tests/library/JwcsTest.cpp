#include "Jwcs.h"

#include <gtest/gtest.h>

#include <string>

TEST(JwcsTest, EnumeratorValues)
{
    EXPECT_EQ(CMP_CASE, 0);
    EXPECT_EQ(CMP_IGNORE_CASE, 1);
}

TEST(JwcsTest, CmpWithCaseIsWcscmp)
{
    EXPECT_EQ(Jwcs::cmp(L"neko", L"neko", CMP_CASE), 0);
    EXPECT_LT(Jwcs::cmp(L"Tokyo", L"tokyo", CMP_CASE), 0);
    EXPECT_NE(Jwcs::cmp(L"かな", L"カナ", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::cmp(L"", L"", CMP_CASE), 0);
}

TEST(JwcsTest, CmpIgnoringCaseFoldsLettersAndKana)
{
    EXPECT_EQ(Jwcs::cmp(L"Tokyo", L"tokyo", CMP_IGNORE_CASE), 0);
    EXPECT_EQ(Jwcs::cmp(L"かな", L"カナ", CMP_IGNORE_CASE), 0);
    EXPECT_EQ(Jwcs::cmp(L"カナ", L"かな", CMP_IGNORE_CASE), 0);
    EXPECT_EQ(Jwcs::cmp(L"", L"", CMP_IGNORE_CASE), 0);
    EXPECT_EQ(Jwcs::cmp(L"かな", L"かなだ", CMP_IGNORE_CASE), -1);
    EXPECT_EQ(Jwcs::cmp(L"かなだ", L"かな", CMP_IGNORE_CASE), 1);
    EXPECT_EQ(Jwcs::cmp(L"か", L"a", CMP_IGNORE_CASE), 1);
    EXPECT_LT(Jwcs::cmp(L"a", L"か", CMP_IGNORE_CASE), 0);
    EXPECT_EQ(Jwcs::cmp(L"か", L"が", CMP_IGNORE_CASE), L'カ' - L'ガ');
    EXPECT_LT(Jwcs::cmp(L"abc", L"ABD", CMP_IGNORE_CASE), 0);
}

TEST(JwcsTest, UnknownStyleLogsAndNeverMatches)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(Jwcs::cmp(L"a", L"a", static_cast<JwcsCase>(2)), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cmp: !!! An unspecified case style was given: 2.\n");

    testing::internal::CaptureStderr();
    EXPECT_EQ(Jwcs::xcmp(L"a", L"a", static_cast<JwcsCase>(2)), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "xcmp: !!! An unspecified case style was given: 2.\n");

    // Also where no character would be compared: a bad style is never a match.
    testing::internal::CaptureStderr();
    EXPECT_EQ(Jwcs::xcmp(L"", L"", static_cast<JwcsCase>(2)), -1);
    EXPECT_EQ(Jwcs::xcmp(L"abc", L"*", static_cast<JwcsCase>(2)), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "xcmp: !!! An unspecified case style was given: 2.\n"
              "xcmp: !!! An unspecified case style was given: 2.\n");
}

TEST(JwcsTest, XcmpEmptyStrings)
{
    EXPECT_EQ(Jwcs::xcmp(L"", L"", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"", L"*", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"", L"***", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"", L"?", CMP_CASE), -1);
    EXPECT_EQ(Jwcs::xcmp(L"", L"*a", CMP_CASE), -1);
    EXPECT_EQ(Jwcs::xcmp(L"a", L"", CMP_CASE), -1);
}

TEST(JwcsTest, XcmpWildcards)
{
    EXPECT_EQ(Jwcs::xcmp(L"たべる", L"たべ*", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"たべる", L"*べる", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"たべる", L"た?る", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"たべる", L"たべる*", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"たべる", L"*", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"たべる", L"???", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"たべる", L"たべ", CMP_CASE), -1);
    EXPECT_EQ(Jwcs::xcmp(L"たべる", L"たべるる", CMP_CASE), -1);
    EXPECT_EQ(Jwcs::xcmp(L"たべる", L"?", CMP_CASE), -1);
    EXPECT_EQ(Jwcs::xcmp(L"たべる", L"*る*る", CMP_CASE), -1);
    EXPECT_EQ(Jwcs::xcmp(L"abcbc", L"*bc", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"abcbd", L"a*b?", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"aXbYc", L"a*b*c", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"aXbYcZ", L"a*b*c", CMP_CASE), -1);
}

TEST(JwcsTest, XcmpIgnoringCaseFoldsKana)
{
    EXPECT_EQ(Jwcs::xcmp(L"タベル", L"たべ*", CMP_IGNORE_CASE), 0);
    EXPECT_NE(Jwcs::xcmp(L"タベル", L"たべ*", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"TaBeRu", L"*bEr?", CMP_IGNORE_CASE), 0);
    EXPECT_NE(Jwcs::xcmp(L"TaBeRu", L"*bEr?", CMP_CASE), 0);
}

TEST(JwcsTest, QuestionMarkInTheTargetIsAnOrdinaryCharacter)
{
    EXPECT_NE(Jwcs::xcmp(L"a?c", L"abc", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(L"abc", L"a?c", CMP_CASE), 0);
}

TEST(JwcsTest, XcmpResultBeforeTheFirstStarIsTheCharacterDifference)
{
    EXPECT_EQ(Jwcs::xcmp(L"abd", L"abc", CMP_CASE), 1);
    EXPECT_EQ(Jwcs::xcmp(L"abc", L"abz*", CMP_CASE), 'c' - 'z');
    EXPECT_EQ(Jwcs::xcmp(L"a?x", L"a?c*", CMP_CASE), 'x' - 'c');
    EXPECT_EQ(Jwcs::xcmp(L"ab", L"abc", CMP_CASE), -1);
    EXPECT_EQ(Jwcs::xcmp(L"abc", L"ab", CMP_CASE), -1);
    EXPECT_EQ(Jwcs::xcmp(L"か", L"a", CMP_IGNORE_CASE), 1);
    // After a star only match or no match is reported.
    EXPECT_EQ(Jwcs::xcmp(L"abz", L"a*c", CMP_CASE), -1);
}

TEST(JwcsTest, ManyStarsAgainstALongTargetAnswerCorrectly)
{
    const std::wstring as(2000, L'a');
    EXPECT_EQ(Jwcs::xcmp(as.c_str(), L"*a*a*a*a*a*a*a*a*b", CMP_CASE), -1);
    EXPECT_EQ(Jwcs::xcmp(as.c_str(), L"*a*a*a*a*a*a*a*a*", CMP_IGNORE_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp((as + L"b").c_str(), L"*a*a*a*a*a*a*a*a*b", CMP_CASE), 0);
    EXPECT_EQ(Jwcs::xcmp(as.c_str(), L"*A*A*?*A*A*", CMP_IGNORE_CASE), 0);
}
