#include "CharacterDictionaryCollection.h"
#include "HandwritingRecognizer.h"
#include "Kanjidic.h"
#include "Log.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

using testfiles::euc;
using testfiles::TempDir;
typedef HandwritingRecognizer::Drawing Drawing;

namespace {

bool modelInstalled()
{
    return access(HandwritingRecognizer::DEFAULT_MODEL, R_OK) == 0;
}

// A recognizer on the installed model, with no character dictionary: every
// kanji and kana of the model is kept.
class RecognizerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!modelInstalled()) {
            GTEST_SKIP() << "the Zinnia model of tegaki-zinnia-japanese is not installed";
        }
        testing::internal::CaptureStderr();
        const int opened = recognizer.open();
        testing::internal::GetCapturedStderr();
        ASSERT_EQ(opened, 0) << recognizer.getError();
    }

    // The candidates of a drawing in the stroke text format, as a string.
    std::wstring candidates(const std::string& strokes, std::size_t count = 10)
    {
        Drawing drawing;
        std::string error;
        EXPECT_TRUE(HandwritingRecognizer::parseStrokes(strokes, &drawing, &error)) << error;
        std::vector<wchar_t> found;
        EXPECT_TRUE(recognizer.recognize(drawing, count, &found, &error)) << error;
        return std::wstring(found.begin(), found.end());
    }

    HandwritingRecognizer recognizer;
};

std::string narrow(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t c : text) {
        bytes += testfiles::convert(std::string(reinterpret_cast<const char*>(&c), sizeof c), "UTF-8", "WCHAR_T");
    }
    return bytes;
}

}  // namespace

TEST(HandwritingStrokeTextTest, ReadsTheFormatAndItsEdgeCases)
{
    struct Case
    {
        const char* text;
        std::vector<std::vector<std::pair<float, float>>> strokes;
    };
    const Case cases[] = {
        {"100,480 880,420;480,100 495,910", {{{100, 480}, {880, 420}}, {{480, 100}, {495, 910}}}},
        {"", {}},
        {"   ", {}},
        {"juu\t", {}},
        {"\r", {}},
        {"juu-1\t100,480 880,420", {{{100, 480}, {880, 420}}}},
        {"12.5,0.25", {{{12.5f, 0.25f}}}},
        {"+3,-0", {{{3, 0}}}},
        {"-20,500 1200,1000.5", {{{0, 500}, {1000, 1000}}}},
        {"999999,-999999", {{{1000, 0}}}},
        {"1,2  3,4 ;  5,6", {{{1, 2}, {3, 4}}, {{5, 6}}}},
        {"1,2;3,4\r", {{{1, 2}}, {{3, 4}}}},
        {"7.,.5", {{{7, 0.5f}}}},
    };
    for (const Case& c : cases) {
        Drawing drawing;
        std::string error;
        ASSERT_TRUE(HandwritingRecognizer::parseStrokes(c.text, &drawing, &error)) << c.text << ": " << error;
        ASSERT_EQ(drawing.size(), c.strokes.size()) << c.text;
        for (std::size_t s = 0; s < drawing.size(); ++s) {
            ASSERT_EQ(drawing[s].size(), c.strokes[s].size()) << c.text;
            for (std::size_t p = 0; p < drawing[s].size(); ++p) {
                EXPECT_FLOAT_EQ(drawing[s][p].x, c.strokes[s][p].first) << c.text;
                EXPECT_FLOAT_EQ(drawing[s][p].y, c.strokes[s][p].second) << c.text;
            }
        }
    }
}

TEST(HandwritingStrokeTextTest, RefusesWhatIsNotStrokesWithTheReason)
{
    const std::string manyStrokes = testfiles::repeat("1,1;", 100) + "1,1";
    const std::string manyPoints = testfiles::repeat("1,1 ", 20000) + "1,1";
    const std::string millionPoints = testfiles::repeat("1,1 ", 1000000);
    const struct
    {
        std::string text;
        const char* reason;
    } cases[] = {
        {"1,2;", "number is expected"},
        {";1,2", "number is expected"},
        {"1,2;;3,4", "number is expected"},
        {"1 2", "\",\" is expected"},
        {"1,2,3", "space or \";\" is expected"},
        {"1,2x", "space or \";\" is expected"},
        {"a,b", "number is expected"},
        {"nan,1", "number is expected"},
        {"1,inf", "number is expected"},
        {"1e3,4", "\",\" is expected"},
        {"0x10,4", "\",\" is expected"},
        {"1000001,4", "out of range"},
        {"4,-1000001", "out of range"},
        {"1" + std::string(40, '0') + ",4", "too long"},
        {"十", "number is expected"},
        {manyStrokes, "more than 100 strokes"},
        {manyPoints, "more than 20000 points"},
        {millionPoints, "more than 20000 points"},
    };
    for (const auto& c : cases) {
        Drawing drawing;
        std::string error;
        EXPECT_FALSE(HandwritingRecognizer::parseStrokes(c.text, &drawing, &error)) << c.text.substr(0, 40);
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.text.substr(0, 40) << ": " << error;
    }
}

TEST(HandwritingStrokeTextTest, WritesBackWhatItReads)
{
    for (const char* text : {"100,480 880,420;480,100 495,910", "", "0,0", "1,2 3,4;5,6;7,8 9,10 11,12"}) {
        Drawing drawing;
        ASSERT_TRUE(HandwritingRecognizer::parseStrokes(text, &drawing));
        EXPECT_EQ(HandwritingRecognizer::formatStrokes(drawing), text);
    }
}

TEST(HandwritingRecognizerTest, WithoutAModelSaysItCannotRecognise)
{
    HandwritingRecognizer unopened;
    EXPECT_FALSE(unopened.canRecognize());
    EXPECT_FALSE(unopened.getError().empty());

    TempDir dir;
    for (const std::string& path : {std::string("/nonexistent/handwriting-ja.model"),
                                    dir.write("broken.model", "not a model at all")}) {
        HandwritingRecognizer recognizer;
        testing::internal::CaptureStderr();
        EXPECT_EQ(recognizer.open(path), -1) << path;
        testing::internal::GetCapturedStderr();
        EXPECT_FALSE(recognizer.canRecognize());
        std::vector<wchar_t> found{L'x'};
        std::string error;
        EXPECT_FALSE(recognizer.recognize({{{1, 1}, {2, 2}}}, 10, &found, &error));
        EXPECT_TRUE(found.empty());
        EXPECT_EQ(error, recognizer.getError());
        EXPECT_FALSE(error.empty());
    }
}

// Characters drawn by hand: as written, with two strokes joined (the line
// between them drawn too) and with two strokes in the wrong order. Each
// must be found among the first `within` candidates.
TEST_F(RecognizerTest, FindsCharactersDrawnByHandAndAsAHandGoesWrong)
{
    const struct
    {
        const wchar_t* character;
        const char* strokes;
        std::size_t within;
    } cases[] = {
        // As written.
        {L"十", "100,480 900,480;500,100 500,920", 1},
        {L"木", "100,350 900,350;500,80 500,930;500,350 150,780;500,350 880,780", 1},
        {L"山", "500,100 500,820;180,350 180,820 820,820;820,350 820,820", 1},
        {L"月", "300,120 300,700 180,920;300,120 750,120 750,850 680,900;300,380 750,380;300,620 750,620", 1},
        {L"右", "450,100 100,850;100,350 900,350;350,550 350,900;350,550 800,550 800,900;350,870 800,870", 1},
        {L"左", "100,350 900,350;450,100 100,850;400,600 800,600;600,600 600,880;300,880 900,880", 5},
        {L"し", "300,100 300,700 500,850 800,700", 1},
        {L"い", "250,200 250,700 350,800;700,300 800,600", 10},
        // Small and in a corner, as a learner draws in a large pad.
        {L"木", "10,35 90,35;50,8 50,93;50,35 15,78;50,35 88,78", 1},
        {L"山", "650,600 650,710;590,640 590,710 710,710;710,640 710,710", 1},
        // Two strokes joined.
        {L"十", "100,480 900,480 500,100 500,920", 5},
        {L"大", "100,380 900,380 500,100 480,500 130,900;500,480 880,900", 5},
        {L"木", "100,350 900,350;500,80 500,930;500,350 150,780 500,350 880,780", 5},
        {L"土", "200,420 800,420 500,100 500,850;100,850 900,850", 5},
        {L"二", "250,330 750,330 120,700 880,700", 5},
        // Two strokes swapped.
        {L"十", "500,100 500,920;100,480 900,480", 5},
        {L"土", "500,100 500,850;200,420 800,420;100,850 900,850", 5},
        {L"木", "500,80 500,930;100,350 900,350;500,350 150,780;500,350 880,780", 5},
    };
    for (const auto& c : cases) {
        const std::wstring found = candidates(c.strokes);
        const std::size_t at = found.find(c.character);
        EXPECT_LT(at, c.within) << narrow(c.character) << " in " << narrow(found) << " for " << c.strokes;
    }
}

TEST_F(RecognizerTest, GivesAtMostTheCountAskedForEachOnceBestFirst)
{
    const std::string juu = "100,480 900,480;500,100 500,920";
    for (std::size_t count : {1u, 3u, 10u, 50u}) {
        const std::wstring found = candidates(juu, count);
        EXPECT_EQ(found.size(), count);
        EXPECT_EQ(found[0], L'十');
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found.find(found[i]), i) << "twice: " << narrow(found);
        }
    }
    EXPECT_TRUE(candidates(juu, 0).empty());
    EXPECT_TRUE(candidates("").empty());
    // A single dot, a stroke of one point, strokes that repeat a point.
    for (const char* few : {"500,500", "500,500;500,500", "0,0 0,0 0,0;1000,1000"}) {
        EXPECT_LE(candidates(few).size(), 10u) << few;
    }
}

TEST_F(RecognizerTest, RefusesHostileDrawingsQuicklyWithAClearError)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    Drawing thousandsOfStrokes(5000, HandwritingRecognizer::Stroke{{1, 1}, {5, 5}});
    Drawing millionPoints{HandwritingRecognizer::Stroke(1000000, {3, 3})};
    const struct
    {
        Drawing drawing;
        const char* reason;
    } cases[] = {
        {{{{nan, 3}, {4, 4}}}, "not a number"},
        {{{{3, 4}}, {{infinity, 4}}}, "not a number"},
        {{{{3, -infinity}}}, "not a number"},
        {{{{1e30f, 4}}}, "not a number in range"},
        {thousandsOfStrokes, "more than 100 strokes"},
        {millionPoints, "more than 20000 points"},
    };
    for (const auto& c : cases) {
        std::vector<wchar_t> found{L'x'};
        std::string error;
        EXPECT_FALSE(recognizer.recognize(c.drawing, 10, &found, &error));
        EXPECT_TRUE(found.empty());
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    // Points outside the square are put on its edge; a hundred strokes pass.
    std::vector<wchar_t> found;
    EXPECT_TRUE(recognizer.recognize({{{-5000, 480}, {90000, 480}}, {{500, -1e5f}, {500, 1e5f}}}, 5, &found));
    EXPECT_EQ(found.size(), 5u);
    EXPECT_TRUE(recognizer.recognize(Drawing(100, HandwritingRecognizer::Stroke{{1, 1}, {900, 900}}), 5, &found));
    // Strokes with more corners than any kanji: spirals, a scribble.
    for (int points : {60, 200, 20000}) {
        HandwritingRecognizer::Stroke spiral;
        for (int i = 0; i < points; ++i) {
            const float radius = 450.0f * i / points;
            spiral.push_back({500 + radius * std::cos(i * 2.5f), 500 + radius * std::sin(i * 2.5f)});
        }
        EXPECT_TRUE(recognizer.recognize({spiral}, 5, &found)) << points;
        EXPECT_EQ(found.size(), 5u) << points;
        // Forty of them: within the limit of points, or refused.
        EXPECT_EQ(recognizer.recognize(Drawing(40, spiral), 5, &found), points * 40 <= 20000) << points;
    }
}

TEST_F(RecognizerTest, ZinniaAloneNeedsTheStrokesInOrder)
{
    recognizer.setPlainZinnia(true);
    EXPECT_EQ(candidates("100,480 900,480;500,100 500,920", 1), L"十");
    EXPECT_EQ(candidates("100,480 900,480 500,100 500,920").find(L'十'), std::wstring::npos);
}

// With a character dictionary only its kanji (and kana) are candidates.
TEST(HandwritingRecognizerKanjiTest, KeepsOnlyTheKanjiOfTheDictionaryAndKana)
{
    if (!modelInstalled()) {
        GTEST_SKIP() << "the Zinnia model of tegaki-zinnia-japanese is not installed";
    }
    TempDir dir;
    auto* kanjidic = new Kanjidic();
    kanjidic->setFilename(dir.write("kanjidic", euc("十 3d3d U5341 S2 {ten}\n"
                                                    "土 455a U571f S3 {soil}\n"
                                                    "千 4069 U5343 S3 {thousand}\n"
                                                    "干 3433 U5e72 S3 {dry}\n")));
    CharacterDictionaryCollection collection;
    collection.addDictionary(kanjidic);
    testing::internal::CaptureStderr();
    collection.load();
    HandwritingRecognizer recognizer(&collection);
    ASSERT_EQ(recognizer.open(), 0);
    testing::internal::GetCapturedStderr();

    for (const char* strokes : {"100,480 900,480;500,100 500,920", "200,420 800,420;500,100 500,850;100,850 900,850",
                                "300,100 300,700 500,850 800,700"}) {
        Drawing drawing;
        ASSERT_TRUE(HandwritingRecognizer::parseStrokes(strokes, &drawing));
        std::vector<wchar_t> found;
        ASSERT_TRUE(recognizer.recognize(drawing, 30, &found));
        ASSERT_FALSE(found.empty());
        for (wchar_t c : found) {
            const bool kana = (c >= 0x3041 && c <= 0x3096) || (c >= 0x30A1 && c <= 0x30FC);
            EXPECT_TRUE(kana || std::wstring(L"十土千干").find(c) != std::wstring::npos) << strokes;
        }
    }
}
