// Inputs that fuzzing found to break the library, kept as plain tests. Most
// of them fail only in the sanitizer build (scripts/sanitize-and-fuzz.sh),
// where undefined behaviour and bad memory accesses abort the test.
#include "FuzzySearch.h"
#include "Jwcs.h"
#include "RadicalTable.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// A file of the given bytes that lives as long as the object.
struct TemporaryFile {
    explicit TemporaryFile(const std::string& bytes)
        : path(folder.write("file", bytes))
    {
    }

    testfiles::TempDir folder; // before path, which is written into it
    std::string path;
};

}  // namespace

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

TEST(FuzzRegressionTest, FuzzyRulesThatLengthenEveryVariantStayCheap)
{
    // "*" appends to every string, so each variant is rewritten again; the
    // variants grew by 30 characters a step and every one was traced once
    // per ancestor: about 300 MB of messages for one search.
    testfiles::Utf8Locale locale;
    TemporaryFile rules("*:*aFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\n");
    FuzzySearch fuzzy;
    ASSERT_TRUE(fuzzy.loadFromFile(rules.path));
    testing::internal::CaptureStderr();
    std::vector<std::wstring> variants = fuzzy.generateStrings(L"x");
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_LE(variants.size(), size_t(FuzzySearch::MAX_VARIANTS));
    for (const std::wstring& variant : variants) {
        EXPECT_LE(variant.size(), 1u + 1022u);
    }
    EXPECT_LT(messages.size(), 1000000u);

    // A rule line may hold a replacement of 1,000 characters.
    TemporaryFile longRules("*:*" + std::string(1019, 'a') + "\n");
    FuzzySearch longFuzzy;
    ASSERT_TRUE(longFuzzy.loadFromFile(longRules.path));
    testing::internal::CaptureStderr();
    variants = longFuzzy.generateStrings(L"x");
    messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(variants, std::vector<std::wstring>{L"x" + std::wstring(1019, L'a')});
    EXPECT_LT(messages.size(), 1000000u);
}

TEST(FuzzRegressionTest, KanjiOfARadicalThatDidNotConvertHaveNoRadicalZero)
{
    // "$" followed by bytes that are not EUC-JP: the kanji after it belong
    // to no radical.
    TemporaryFile radkfile("$ \xff\xff 2\r\n\xb0\xa1\r\n$ \xb0\xec 1\r\n\xb0\xa1\r\n");
    RadicalTable table;
    ASSERT_EQ(table.addInformationFromFile(radkfile.path), 0);
    EXPECT_EQ(table.getRadicalsForKanji(L'亜'), L"一");
    EXPECT_EQ(table.getRadicals(), L"一");
}
