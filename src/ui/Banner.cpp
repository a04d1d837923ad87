#include "ui/Banner.h"

#include <cstring>

bool Banner::Load(HMODULE module, int id, const wchar_t* type) {
    Release();
    if (!module) return false;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    DWORD size = found ? SizeofResource(module, found) : 0;
    const void* bytes = size ? LockResource(LoadResource(module, found)) : nullptr;
    if (!bytes) return false;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return false;
    std::memcpy(GlobalLock(copy), bytes, size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        GlobalFree(copy);
        return false;
    }
    HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&picture_));
    stream->Release();
    if (FAILED(hr) || !picture_) {
        picture_ = nullptr;
        return false;
    }
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture_->get_Width(&w);
    picture_->get_Height(&h);
    HDC screen = GetDC(nullptr);
    size_.cx = MulDiv(w, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    size_.cy = MulDiv(h, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    ReleaseDC(nullptr, screen);
    return true;
}

void Banner::Release() {
    if (picture_) picture_->Release();
    picture_ = nullptr;
    size_ = {0, 0};
}

void Banner::DrawRightAligned(HDC dc, const RECT& area, int margin) const {
    if (!picture_) return;
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture_->get_Width(&w);
    picture_->get_Height(&h);
    int x = area.right - margin - size_.cx;
    int y = area.top + (area.bottom - area.top - size_.cy) / 2;
    picture_->Render(dc, x, y, size_.cx, size_.cy, 0, h, w, -h, nullptr);
}
