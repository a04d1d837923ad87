#include "platform/Files.h"

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "support/TempDir.h"

TEST(PlatformFiles, WriteTimeRoundTrips) {
    TempDir dir;
    std::string f = dir.Write("t", "x");
    ASSERT_TRUE(platform::SetWriteTime(f.c_str(), 1133481600u));  // 2005-12-02 00:00 UTC
    uint32_t t = 0;
    ASSERT_TRUE(platform::GetWriteTime(f.c_str(), &t));
    EXPECT_EQ(1133481600u, t);
}

TEST(PlatformFiles, MissingFilesReportWindowsCodes) {
    TempDir dir;
    EXPECT_EQ(platform::kInvalidFile, platform::OpenForRead(dir.File("none").c_str(), false));
    EXPECT_EQ(platform::kErrFileNotFound, platform::LastError());
    EXPECT_EQ(platform::kInvalidAttributes, platform::GetAttributes(dir.File("none").c_str()));
    EXPECT_EQ(-1, platform::FileSize(dir.File("none").c_str()));
    EXPECT_EQ(1, platform::FileSize(dir.Write("one", "1").c_str()));
}

TEST(PlatformFiles, NamesAreFoundWithoutRegardToCase) {
    TempDir dir;
    dir.Write("OVISTO.CFG", "cfg");
    platform::FileHandle h = platform::OpenForRead(dir.File("ovisto.cfg").c_str(), false);
    ASSERT_NE(platform::kInvalidFile, h);
    char b[8];
    EXPECT_EQ(3, platform::Read(h, b, 8));
    platform::Close(h);
    EXPECT_TRUE(platform::FileExists(dir.File("Ovisto.Cfg").c_str()));
}

TEST(PlatformClock, CalendarMomentsAreUtc) {
    EXPECT_EQ(0u, platform::FromUtc(1970, 1, 1, 0, 0, 0));
    EXPECT_EQ(1133481600u, platform::FromUtc(2005, 12, 2, 0, 0, 0));
    EXPECT_EQ(951782400u, platform::FromUtc(2000, 2, 29, 0, 0, 0));
    uint32_t a = platform::TickCount();
    platform::SleepMs(60);  // longer than any tick granularity
    EXPECT_GE(platform::TickCount() - a, 30u);
}
