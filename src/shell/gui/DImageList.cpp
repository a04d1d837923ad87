#include "shell/gui/DImageList.h"

bool DImageList::Load(HINSTANCE instance, int bitmapId, int size) {
    Release();
    // The strips are 8-bit pictures; the list keeps them in true colour so
    // that no palette of the list's own changes their colours.
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return false;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    int count = size > 0 ? info.bmWidth / size : 0;
    list_ = count > 0 ? ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0) : nullptr;
    if (list_ && ImageList_AddMasked(list_, bitmap, RGB(255, 0, 255)) < 0) Release();
    DeleteObject(bitmap);
    return list_ != nullptr;
}

void DImageList::Release() {
    if (list_) ImageList_Destroy(list_);
    list_ = nullptr;
}

void DImageList::Draw(int index, HDC dc, int x, int y) const {
    if (list_ && index >= 0 && index < Count())
        ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
}
