// Pictures of the message window in both languages, for a person to look
// at: written as BMP files only when OVISTO_SHOT_DIR names a folder
// (scripts/screenshot.sh sets it and turns them into PNGs).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "ui/MessageBoxDialog.h"

namespace {

// What the screen shows of the window, as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT r;
    GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::vector<char> bits(static_cast<size_t>((w * 3 + 3) & ~3) * h);
    GetDIBits(memory, bitmap, 0, h, bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + bits.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
              std::fwrite(&info, sizeof info, 1, out) == 1 &&
              std::fwrite(bits.data(), bits.size(), 1, out) == 1;
    return std::fclose(out) == 0 && ok;
}

}  // namespace

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
                std::string(shots) + "\\message-" + (n++ ? "stop-" : "") + shot.code + ".bmp";
            EXPECT_TRUE(SaveWindowPicture(window->Handle(), path)) << path;
        }
    }
}
