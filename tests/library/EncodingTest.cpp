#include "Encoding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

namespace {

// Holds the result of one convert call; the buffer is released with delete[].
struct Converted
{
    int status = 0;
    char* data = nullptr;
    int size = -7;

    Converted(const char* from, const std::string& bytes, const char* to)
    {
        std::string copy = bytes;
        status = Encoding::convert(from, copy.empty() ? nullptr : &copy[0],
                                   static_cast<int>(copy.size()), to, &data, &size);
    }
    ~Converted() { delete[] data; }
    Converted(const Converted&) = delete;
    Converted& operator=(const Converted&) = delete;

    const wchar_t* wide() const { return reinterpret_cast<const wchar_t*>(data); }
};

const std::string KANA_EUC = "\xa4\xab\xa4\xca";  // かな

}  // namespace

TEST(EncodingTest, EucJpToWideCharacters)
{
    Converted result("euc-jp", KANA_EUC, "WCHAR_T");
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.size, 8);
    EXPECT_EQ(result.wide()[0], L'\x304B');
    EXPECT_EQ(result.wide()[1], L'\x306A');
    EXPECT_EQ(result.wide()[2], L'\0');
}

TEST(EncodingTest, RepeatedAndAlternatingConversionsGiveTheSameResults)
{
    for (int i = 0; i < 3; ++i) {
        Converted wide("EUC-JP", KANA_EUC, "WCHAR_T");
        ASSERT_EQ(wide.status, 0);
        EXPECT_STREQ(wide.wide(), L"かな");

        Converted utf8("UTF-8", "ねこ", "WCHAR_T");
        ASSERT_EQ(utf8.status, 0);
        EXPECT_STREQ(utf8.wide(), L"ねこ");

        std::wstring text = L"かな";
        char* data = nullptr;
        int size = 0;
        ASSERT_EQ(Encoding::convert("WCHAR_T", reinterpret_cast<char*>(&text[0]),
                                    static_cast<int>(text.size() * sizeof(wchar_t)), "euc-jp",
                                    &data, &size), 0);
        EXPECT_EQ(std::string(data, size), KANA_EUC);
        EXPECT_EQ(data[size], '\0');
        delete[] data;
    }
}

TEST(EncodingTest, ResultIsTerminatedAsNarrowAndWideString)
{
    Converted result("WCHAR_T", std::string(reinterpret_cast<const char*>(L"ab"), 8), "UTF-8");
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.size, 2);
    EXPECT_EQ(std::memcmp(result.data, "ab\0\0\0\0", 6), 0);
}

TEST(EncodingTest, EmptyInputGivesAnEmptyTerminatedBuffer)
{
    Converted result("euc-jp", "", "WCHAR_T");
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.size, 0);
    ASSERT_NE(result.data, nullptr);
    EXPECT_EQ(std::memcmp(result.data, "\0\0\0\0\0\0\0\0\0\0\0\0", 12), 0);
}

TEST(EncodingTest, UnknownEncodingFailsAndLeavesOutputsAlone)
{
    char text[] = "abc";
    char sentinel = 'x';
    char* data = &sentinel;
    int size = 42;
    testing::internal::CaptureStderr();
    EXPECT_EQ(Encoding::convert("no-such-encoding", text, 3, "WCHAR_T", &data, &size), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "convert: errno == EINVAL.\n"
              "convert: conversion from 'no-such-encoding' to 'WCHAR_T' not available.\n");
    EXPECT_EQ(data, &sentinel);
    EXPECT_EQ(size, 42);
}

TEST(EncodingTest, InvalidSequenceFailsWithEilseq)
{
    char text[] = "\xa4\xab\xff\xfe";
    char* data = nullptr;
    int size = 42;
    testing::internal::CaptureStderr();
    EXPECT_EQ(Encoding::convert("euc-jp", text, 4, "WCHAR_T", &data, &size), -1);
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("convert: Iconv: inbytes is not zero; it is 2.\n"), std::string::npos) << log;
    EXPECT_NE(log.find("ERROR: convert: nconv == -1 | errno == EILSEQ (Input conversion stopped "
                       "due to an input byte that does not belong to the input codeset.)\n"),
              std::string::npos) << log;
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 42);

    // The same descriptor serves the next call from its initial state.
    Converted after("euc-jp", KANA_EUC, "WCHAR_T");
    ASSERT_EQ(after.status, 0);
    EXPECT_STREQ(after.wide(), L"かな");
}

TEST(EncodingTest, TruncatedCharacterFailsWithInval)
{
    char text[] = "\xa4\xab\xa4";
    char* data = nullptr;
    int size = 42;
    testing::internal::CaptureStderr();
    EXPECT_EQ(Encoding::convert("euc-jp", text, 3, "WCHAR_T", &data, &size), -1);
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("ERROR: convert: nconv == -1 | errno == INVAL (Input conversion stopped "
                       "due to an incomplete character or shift sequence at the end of the input "
                       "buffer.)\n"), std::string::npos) << log;
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 42);

    // A truncated character must not leak into the next conversion.
    Converted after("euc-jp", "\xa4\xca", "WCHAR_T");
    ASSERT_EQ(after.status, 0);
    EXPECT_STREQ(after.wide(), L"な");
}

TEST(EncodingTest, IrreversibleConversionFailsWithoutData)
{
    Converted result("UTF-8", "caf\xc3\xa9", "ASCII//TRANSLIT");
    EXPECT_EQ(result.status, -1);
    EXPECT_EQ(result.data, nullptr);
}

TEST(EncodingTest, NegativeSizeIsRefused)
{
    char text[] = "a";
    char* data = nullptr;
    int size = 42;
    testing::internal::CaptureStderr();
    EXPECT_EQ(Encoding::convert("UTF-8", text, -5, "WCHAR_T", &data, &size), -1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 42);
}

TEST(EncodingTest, ThreadsConvertIndependently)
{
    auto work = [](bool* ok) {
        *ok = true;
        for (int i = 0; i < 200; ++i) {
            Converted result("euc-jp", KANA_EUC, "WCHAR_T");
            *ok = *ok && result.status == 0 && std::wcscmp(result.wide(), L"かな") == 0;
        }
    };
    bool ok1 = false, ok2 = false;
    std::thread first(work, &ok1), second(work, &ok2);
    first.join();
    second.join();
    EXPECT_TRUE(ok1);
    EXPECT_TRUE(ok2);
}

TEST(EncodingTest, EucKanaAndAlphanumericsToUnicode)
{
    EXPECT_EQ(EUCToUNICODE(0xA4A1), 0x3041);
    EXPECT_EQ(EUCToUNICODE(0xA4A2), 0x3042);  // あ
    EXPECT_EQ(EUCToUNICODE(0xA4F3), 0x3093);  // ん
    EXPECT_EQ(EUCToUNICODE(0xA5A1), 0x30A1);
    EXPECT_EQ(EUCToUNICODE(0xA5F6), 0x30F6);  // ヶ
    EXPECT_EQ(EUCToUNICODE(0xA3B0), '0');
    EXPECT_EQ(EUCToUNICODE(0xA3C1), 'A');
    EXPECT_EQ(EUCToUNICODE(0xA3FA), 'z');
    EXPECT_EQ(EUCToUNICODE(0xA3BA), 0x3A);
    EXPECT_EQ(EUCToUNICODE(0xA3E0), 0x60);
    for (uint16_t none : {0xA4F4, 0xA4A0, 0xA5F7, 0xA3AF, 0xA3FB, 0xB0A1, 0x0041, 0x0000}) {
        EXPECT_EQ(EUCToUNICODE(none), 0) << std::hex << none;
    }
}
