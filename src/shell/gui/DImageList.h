#pragma once
// An image list made from one bitmap strip of square images; magenta
// pixels are transparent.
#include <windows.h>
#include <commctrl.h>

class DImageList {
  public:
    DImageList() = default;
    ~DImageList() { Release(); }
    DImageList(const DImageList&) = delete;
    DImageList& operator=(const DImageList&) = delete;

    bool Load(HINSTANCE instance, int bitmapId, int size);
    void Release();
    HIMAGELIST Handle() const { return list_; }
    int Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }
    void Draw(int index, HDC dc, int x, int y) const;

  private:
    HIMAGELIST list_ = nullptr;
};
