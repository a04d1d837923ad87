// window-shot.exe CLASS OUT.BMP [WAIT_MS [OWNER_CLASS:COMMAND]]: first posts
// the command (WM_COMMAND) to the visible window of OWNER_CLASS when one is
// given, so that a dialog opens; then waits for the first visible
// top-level window of CLASS, brings it to the front, lets it paint and
// copies what the screen shows of it into a 24-bit BMP file. Built by
// scripts/screenshot.sh with the MinGW compiler and run under Wine.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

static HWND FindShown(const wchar_t* cls) {
    for (HWND w = FindWindowExW(nullptr, nullptr, cls, nullptr); w;
         w = FindWindowExW(nullptr, w, cls, nullptr))
        if (IsWindowVisible(w)) return w;
    return nullptr;
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window-shot CLASS OUT.BMP [WAIT_MS [OWNER_CLASS:COMMAND]]\n");
        return 2;
    }
    DWORD wait = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 30000;
    if (argc > 4) {
        std::wstring owner = argv[4];
        size_t colon = owner.rfind(L':');
        HWND target = nullptr;
        if (colon != std::wstring::npos) {
            for (DWORD start = GetTickCount();
                 !(target = FindShown(owner.substr(0, colon).c_str())) &&
                 GetTickCount() - start < wait;)
                Sleep(200);
        }
        if (!target) {
            std::fprintf(stderr, "window-shot: no window to send the command to\n");
            return 1;
        }
        PostMessageW(target, WM_COMMAND, static_cast<WPARAM>(_wtoi(owner.c_str() + colon + 1)), 0);
    }
    HWND w = nullptr;
    for (DWORD start = GetTickCount(); !(w = FindShown(argv[1])) && GetTickCount() - start < wait;)
        Sleep(200);
    if (!w) {
        std::fprintf(stderr, "window-shot: no window of that class\n");
        return 1;
    }
    SetForegroundWindow(w);
    RedrawWindow(w, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Sleep(1500);  // the program paints on its own thread

    RECT r;
    GetWindowRect(w, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    DWORD stride = ((width * 3 + 3) & ~3u);
    DWORD size = stride * height;
    BITMAPFILEHEADER head{};
    head.bfType = 0x4D42;
    head.bfOffBits = sizeof head + sizeof info.bmiHeader;
    head.bfSize = head.bfOffBits + size;
    info.bmiHeader.biSizeImage = size;
    FILE* out = _wfopen(argv[2], L"wb");
    if (!out) return 1;
    std::fwrite(&head, sizeof head, 1, out);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    std::fwrite(bits, 1, size, out);
    std::fclose(out);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return 0;
}
