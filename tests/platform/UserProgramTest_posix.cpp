// A notification's program runs without a shell: its argument text is split
// into words and nothing in it ($(...), ;, quotes) is ever interpreted.
#include <gtest/gtest.h>

#include "platform/ChildProcess.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "support/TempDir.h"

namespace {

using Words = std::vector<std::string>;

TEST(SplitArguments, BlanksQuotesAndBackslashesAsWindowsProgramsReadThem) {
    EXPECT_EQ(Words{}, platform::SplitArguments("  \t "));
    EXPECT_EQ((Words{"a", "b c", "d"}), platform::SplitArguments(" a \"b c\"\td "));
    EXPECT_EQ((Words{"ab c"}), platform::SplitArguments("a\"b c\""));
    EXPECT_EQ((Words{"", "x"}), platform::SplitArguments("\"\" x"));
    EXPECT_EQ((Words{"a\"b"}), platform::SplitArguments("a\\\"b"));
    EXPECT_EQ((Words{"a\\\\b c"}), platform::SplitArguments("\"a\\\\b c\""));
    EXPECT_EQ((Words{"a\\", "b"}), platform::SplitArguments("\"a\\\\\" b"));
    EXPECT_EQ((Words{"c:\\dir\\"}), platform::SplitArguments("c:\\dir\\"));
    EXPECT_EQ((Words{"$(id)", ";", "`x`|y"}), platform::SplitArguments("$(id) ; `x`|y"));
}

bool AppearsWithin(const std::string& path, uint32_t ms) {
    for (uint32_t start = platform::TickCount(); platform::TickCount() - start < ms;
         platform::SleepMs(10))
        if (platform::FileExists(path.c_str())) return true;
    return false;
}

TEST(StartUserProgram, NoShellSeesTheArgumentText) {
    TempDir dir;
    const std::string d = dir.Path() + "/";
    std::string text = d + "one;touch " + d + "two \"" + d + "x$(touch " + "three)\" " + d + "`y`";
    ASSERT_EQ(0, platform::StartUserProgram("touch", text));
    EXPECT_TRUE(AppearsWithin(d + "`y`", 5000));
    EXPECT_TRUE(platform::FileExists((d + "one;touch").c_str()));
    EXPECT_TRUE(platform::FileExists((d + "two").c_str()));
    EXPECT_TRUE(platform::FileExists((d + "x$(touch three)").c_str()));
    EXPECT_FALSE(platform::FileExists((d + "one").c_str()));
    EXPECT_FALSE(platform::FileExists("three"));
    EXPECT_EQ(2, platform::StartUserProgram(d + "missing", ""));
}

}  // namespace
