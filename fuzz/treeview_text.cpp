// Node texts from outside (page paragraphs, links, mail lines) through the
// tree view: the display rule to UTF-16, word wrapping at several widths
// and the layout, hit testing and keys of a tree holding them. Checks that
// wrapped lines cover the text in order and that every row is reachable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/Cp1251.h"
#include "framework/TreeViewModel.h"

namespace {

class ByteMeasurer : public TextMeasurer {
  public:
    int LineHeight() override { return 13; }
    int AverageCharWidth() override { return 5; }
    int Width(int cls, const char* text, size_t n) override {
        int w = 0;
        for (size_t i = 0; i < n; ++i) w += 3 + static_cast<unsigned char>(text[i]) % 7 + cls;
        return w;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    cp1251::DisplayUtf16(text.data(), text.size());
    ByteMeasurer m;
    for (int width : {1, 40, 333}) {
        WrappedText w = WrapText(m, 0, text.data(), text.size(), width);
        if (w.starts.empty() || w.starts.size() != w.ends.size()) abort();
        for (size_t i = 0; i < w.starts.size(); ++i) {
            if (w.starts[i] > w.ends[i] || w.ends[i] > text.size()) abort();
            if (i && w.starts[i] < w.ends[i - 1]) abort();
        }
    }
    // Nodes made of the text's pieces, nested by their first byte.
    TreeViewNode root;
    TreeViewModel model(&root, &m);
    model.SetWrap(size % 2 == 0);
    model.SetClientSize(120, 80);
    TreeViewNode* last = &root;
    for (size_t i = 0; i < size; i += 7) {
        auto* n = new TreeViewNode(text.substr(i, 7 + data[i] % 40).c_str());
        TreeViewNode* parent = data[i] & 1 ? last : &root;
        model.Insert(parent, n);
        model.Expand(parent, true);
        last = n;
    }
    for (size_t row = 0; row < model.RowCount(); ++row)
        if (model.RowOf(model.RowNode(row)) != static_cast<long>(row)) abort();
    for (size_t i = 0; i < size && i < 64; ++i) {
        model.Key(static_cast<TreeKey>(data[i] % 10), data[i] & 16, data[i] & 32);
        TreeHitResult hit = model.HitTest(data[i] % 120, data[i] % 80);
        if (hit.node && model.RowOf(hit.node) < 0) abort();
    }
    model.ForEachVisibleRow([](const TreeRowView&) {});
    return 0;
}
