#pragma once
// Breaking a node text into lines at words for a given width, with the
// widths measured by whoever draws the text (a device context on screen, a
// fixed-width rule in tests).
#include <cstddef>
#include <cstdint>
#include <vector>

class TextMeasurer {
  public:
    virtual ~TextMeasurer() = default;
    // Height of one line of text, in pixels.
    virtual int LineHeight() = 0;
    virtual int AverageCharWidth() = 0;
    // Width of n bytes of a 1251 (or UTF-8, by the display rule) text drawn
    // in the font of the given node class.
    virtual int Width(int nodeClass, const char* text, size_t n) = 0;
};

struct WrappedText {
    std::vector<uint32_t> starts;  // byte offset of each line
    std::vector<uint32_t> ends;    // end of each line's drawn bytes (blanks at the break left off)
    int width = 0;                 // the widest line
};

// Greedy breaking at blanks; "\n" (and "\r\n") always break; a word wider
// than maxWidth is broken between characters (never inside a UTF-8
// sequence when the text is shown as UTF-8). An empty text is one empty line.
WrappedText WrapText(TextMeasurer& m, int nodeClass, const char* text, size_t n, int maxWidth);
