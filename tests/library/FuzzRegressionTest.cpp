// Inputs that fuzzing found to break the library, kept as plain tests. Most
// of them fail only in the sanitizer build (scripts/sanitize-and-fuzz.sh),
// where undefined behaviour and bad memory accesses abort the test.
#include "Jwcs.h"

#include <gtest/gtest.h>

TEST(FuzzRegressionTest, XcmpOfCharactersFarApartDoesNotOverflow)
{
    // The difference of two code points must not overflow an int.
    const wchar_t target[] = {wchar_t(0x60300000), 0};
    const wchar_t expression[] = {wchar_t(-1665100288), 0};
    EXPECT_GT(Jwcs::xcmp(target, expression, CMP_CASE), 0);
    EXPECT_LT(Jwcs::xcmp(expression, target, CMP_CASE), 0);
    const wchar_t low[] = {wchar_t(-2147483647 - 1), 0};
    const wchar_t high[] = {wchar_t(2147483647), 0};
    EXPECT_LT(Jwcs::xcmp(low, high, CMP_CASE), 0);
    EXPECT_GT(Jwcs::xcmp(high, low, CMP_CASE), 0);
}

TEST(FuzzRegressionTest, UnknownCaseStyleIsAValueOfItsType)
{
    // Style 2 is answered with -1; passing it must itself be well defined.
    const JwcsCase unknown = static_cast<JwcsCase>(2);
    EXPECT_EQ(Jwcs::cmp(L"a", L"a", unknown), -1);
    EXPECT_EQ(Jwcs::xcmp(L"a", L"*", unknown), -1);
}
