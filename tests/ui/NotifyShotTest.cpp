// Pictures of the message window in both languages, for a person to look
// at: written as PNG files only when OVISTO_SHOT_DIR names a folder
// (scripts/screenshot.sh sets it).
#include <cstdlib>
#include <string>

#include "MainWindowFixture.h"
#include "support/WindowShot.h"
#include "ui/MessageBoxDialog.h"

TEST_F(MainWindowTest, MessageWindowPicturesInBothLanguages) {
    const char* shots = std::getenv("OVISTO_SHOT_DIR");
    if (!shots) GTEST_SKIP() << "OVISTO_SHOT_DIR is not set";
    struct Shot {
        const char* code;
        const char* message;
        const char* failure;
    };
    const Shot kShots[] = {
        {"enu", "Weather report\nRain tomorrow: take an umbrella and look at the radar page.",
         "The program or file was not found.\nC:\\Program Files\\Viewer\\view.exe"},
        {"rus", "Прогноз погоды\nЗавтра дождь: возьмите зонт и посмотрите карту осадков.",
         "Программа или файл не найдены.\nC:\\Program Files\\Viewer\\view.exe"},
    };
    for (const Shot& shot : kShots) {
        AStr code(shot.code);
        ASSERT_TRUE(LoadLanguage(code, platform::ProgramDirectory().c_str()));
        int n = 0;
        for (auto [text, flags] : {std::make_pair(shot.message, kMessageIconInformation),
                                   std::make_pair(shot.failure, kMessageIconStop)}) {
            auto window = ShowMessageWindow(nullptr, nullptr, AStr(text), flags);
            ASSERT_NE(nullptr, window);
            PumpUntil([] { return false; }, 300);
            std::string path =
                std::string(shots) + "\\message-" + (n++ ? "stop-" : "") + shot.code + ".png";
            EXPECT_TRUE(SaveWindowShot(window->Handle(), path)) << path;
        }
    }
}
