#include "shell/gui/DImageList.h"

bool DImageList::Load(HINSTANCE instance, int bitmapId, int size) {
    Release();
    list_ = ImageList_LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), size, 0, RGB(255, 0, 255),
                                 IMAGE_BITMAP, LR_CREATEDIBSECTION);
    return list_ != nullptr;
}

void DImageList::Release() {
    if (list_) ImageList_Destroy(list_);
    list_ = nullptr;
}

void DImageList::Draw(int index, HDC dc, int x, int y) const {
    if (list_ && index >= 0 && index < Count()) ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
}
