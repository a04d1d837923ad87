#include "ui/FrameLayout.h"

#include <windows.h>

#include <algorithm>

FrameLayout LayOutFrame(int width, int height, int toolbarHeight, int statusHeight,
                        int splitPercent) {
    FrameLayout l;
    int band = std::max(0, height - toolbarHeight - statusHeight);
    int left = std::min(MulDiv(width, splitPercent, 100), width - 100);
    left = std::max(left, 100);
    l.toolbar = {0, 0, width, toolbarHeight};
    l.status = {0, height - statusHeight, width, statusHeight};
    l.itemPane = {0, toolbarHeight, left, band};
    l.resultPane = {left, toolbarHeight, width - left, band};
    l.separator = {left - 2, toolbarHeight, 4, band};
    return l;
}

int SplitFromSeparator(int position, int width) {
    return width > 0 ? MulDiv(position, 100, width) : 33;
}
