#pragma once
// The picture the toolbar shows at its right end: resource 5 of type "GIF"
// in the language module, decoded by the system's picture loader.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

class Banner {
  public:
    Banner() = default;
    ~Banner() { Release(); }
    Banner(const Banner&) = delete;
    Banner& operator=(const Banner&) = delete;

    // False when the module has no such picture or it cannot be decoded.
    bool Load(HMODULE module, int id, const wchar_t* type);
    void Release();
    bool IsLoaded() const { return picture_ != nullptr; }
    SIZE Size() const { return size_; }
    // Draws it right-aligned `margin` pixels from the right edge of `area`,
    // vertically centred.
    void DrawRightAligned(HDC dc, const RECT& area, int margin) const;

  private:
    IPicture* picture_ = nullptr;
    SIZE size_{0, 0};  // pixels
};
