// The portable writer's bytes: every untouched line stays as it was, with
// its own line end; new lines end in CR LF as on Windows.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/Autostart.h"
#include "platform/Files.h"
#include "platform/Profile.h"
#include "support/TempDir.h"

TEST(ProfileLines, UntouchedLinesKeepTheirBytes) {
    TempDir dir;
    std::string path = dir.Write("a.ini",
                                 "; comment\n"
                                 "[Options]\n"
                                 "  width1 = 40 \n"
                                 "language=enu\n"
                                 "\n"
                                 "[Search]\r\n"
                                 "bCase=1");
    platform::ProfileFile ini(path);
    ASSERT_TRUE(ini.WriteText("options", "LANGUAGE", "rus"));
    ASSERT_TRUE(ini.WriteText("Options", "maxnews", "5"));
    ASSERT_TRUE(ini.WriteText("Default", "color", "0"));
    EXPECT_EQ(
        "; comment\n"
        "[Options]\n"
        "  width1 = 40 \n"
        "language=rus\n"
        "maxnews=5\r\n"
        "\n"
        "[Search]\r\n"
        "bCase=1\r\n"
        "[Default]\r\n"
        "color=0\r\n",
        TempDir::Read(path));
}

// Every write of the file replaces it by a new one; a key written with the
// value it has leaves the file as it is.
TEST(ProfileLines, AnUnchangedValueIsNotWrittenAgain) {
    TempDir dir;
    std::string path = dir.Write("a.ini", "[Options]\nlanguage=enu\nwidth1 = 40\n");
    auto fileId = [&path] {
        struct stat st {};
        return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
    };
    platform::ProfileFile ini(path);
    const auto before = fileId();
    ASSERT_NE(0u, before);
    ASSERT_TRUE(ini.WriteText("options", "Language", "enu"));
    EXPECT_EQ(before, fileId());
    ASSERT_TRUE(ini.WriteText("Options", "width1", "40"));  // spaced: written anew, once
    const auto respaced = fileId();
    EXPECT_NE(before, respaced);
    ASSERT_TRUE(ini.WriteText("Options", "width1", "40"));
    EXPECT_EQ(respaced, fileId());
    EXPECT_EQ("[Options]\nlanguage=enu\nwidth1=40\n", TempDir::Read(path));
}

TEST(ProfileLines, ARefusedWriteLeavesAReadOnlyFileAlone) {
    TempDir dir;
    std::string path = dir.Write("a.ini", "[A]\nx=1\n");
    platform::SetAttributes(path.c_str(), platform::kAttrReadOnly);
    platform::ProfileFile ini(path);
    EXPECT_FALSE(ini.WriteText("A", "x", "2"));
    EXPECT_EQ("[A]\nx=1\n", TempDir::Read(path));
    platform::SetAttributes(path.c_str(), platform::kAttrNormal);
}

TEST(AutostartEntry, IsADesktopEntryNamingTheProgram) {
    TempDir dir;
    std::string place = dir.File("config") + "/autostart";
    platform::SetAutostartPlace(place);
    EXPECT_FALSE(platform::IsAutostart("Orvex Vistomer"));
    ASSERT_TRUE(platform::SetAutostart("Orvex Vistomer", "/opt/ovisto/ovisto-cli", true));
    std::string entry = TempDir::Read(place + "/Orvex Vistomer.desktop");
    EXPECT_NE(std::string::npos, entry.find("[Desktop Entry]"));
    EXPECT_NE(std::string::npos, entry.find("Exec=\"/opt/ovisto/ovisto-cli\""));
    platform::SetAutostartPlace("");
}
