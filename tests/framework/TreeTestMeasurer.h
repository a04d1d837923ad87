#pragma once
// A text measurer for the tree view's tests: every byte 6 pixels wide,
// lines 14 pixels high; it counts what it was asked to measure.
#include <cstring>
#include <string>
#include <vector>

#include "framework/TextWrap.h"
#include "framework/TreeViewModel.h"

class FixedMeasurer : public TextMeasurer {
  public:
    int LineHeight() override { return 14; }
    int AverageCharWidth() override { return 6; }
    int Width(int, const char* text, size_t n) override {
        ++calls;
        measured.insert(measured.end(), text, text + n);
        return static_cast<int>(n) * 6;
    }
    long calls = 0;
    std::vector<char> measured;
};

struct EventLog : TreeViewEvents {
    void SelectionChanged() override { ++selection; }
    void ExpandChanged(TreeViewNode* n) override { expanded.push_back(n); }
    void Scrolled() override { ++scrolled; }
    int selection = 0, scrolled = 0;
    std::vector<TreeViewNode*> expanded;
};
