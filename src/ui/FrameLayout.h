#pragma once
// Where the main window puts its children for a client size: toolbar on
// top, status bar at the bottom, the two panes side by side between them
// split by a percentage, and the separator over the seam.
struct LayoutBox {
    int x = 0, y = 0, width = 0, height = 0;
};

struct FrameLayout {
    LayoutBox toolbar, status, itemPane, resultPane, separator;
};

// Client width and height, the toolbar's and status bar's own heights and
// the item pane's share in percent. The item pane is at most the width
// less 100 pixels and never below 100 pixels.
FrameLayout LayOutFrame(int width, int height, int toolbarHeight, int statusHeight,
                        int splitPercent);
// The percentage a separator at `position` in a client `width` stands for.
int SplitFromSeparator(int position, int width);
