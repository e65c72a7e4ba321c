#include "Log.h"

#include <gtest/gtest.h>

TEST(LogTest, WritesMessageAndLineEndToStandardError)
{
    testing::internal::CaptureStderr();
    int written = Log::write(3, "%s: Opening file '%s'.", "load", "x");
    std::string output = testing::internal::GetCapturedStderr();
    EXPECT_EQ(output, "load: Opening file 'x'.\n");
    EXPECT_EQ(written, static_cast<int>(output.size()));
}

TEST(LogTest, DropsMessagesAboveTheGlobalLevel)
{
    EXPECT_EQ(Log::globalLevel, 7);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Log::write(8, "%s", "hidden"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
