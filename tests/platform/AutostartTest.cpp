// The start-with-logon entry, kept in a place of the test's own.
#include "platform/Autostart.h"

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "support/TempDir.h"

namespace {

// A registry key below HKEY_CURRENT_USER on Windows, a folder elsewhere.
std::string TestPlace(const TempDir& dir) {
    if (platform::PathSeparator() == '\\')
        return "Software\\OvistoTests\\Run" + std::to_string(platform::TickCount());
    return dir.File("autostart");
}

}  // namespace

TEST(Autostart, SetQueryAndRemove) {
    TempDir dir;
    platform::SetAutostartPlace(TestPlace(dir));
    EXPECT_FALSE(platform::IsAutostart("Orvex Vistomer"));
    EXPECT_TRUE(platform::SetAutostart("Orvex Vistomer", platform::ExecutablePath().c_str(), true));
    EXPECT_TRUE(platform::IsAutostart("Orvex Vistomer"));
    EXPECT_FALSE(platform::IsAutostart("Another Program"));
    EXPECT_TRUE(platform::SetAutostart("Orvex Vistomer", "", false));
    EXPECT_FALSE(platform::IsAutostart("Orvex Vistomer"));
    EXPECT_TRUE(platform::SetAutostart("Orvex Vistomer", "", false));
    platform::SetAutostartPlace("");
}

TEST(Autostart, TheExecutablePathNamesThisTestProgram) {
    std::string path = platform::ExecutablePath();
    EXPECT_TRUE(platform::FileExists(path.c_str())) << path;
    EXPECT_NE(std::string::npos, path.find("test_platform"));
}
