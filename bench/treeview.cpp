// The tree view's model under load: refilling a pane with 5,000 change
// nodes under 100 checks and laying out its first screen (wrapped and
// single-line), and scrolling and hit testing over 10,000 nodes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/TreeViewModel.h"

namespace {

// Widths from a per-byte table, as a font's character widths would give.
class TableMeasurer : public TextMeasurer {
  public:
    TableMeasurer() {
        for (int i = 0; i < 256; ++i) widths_[i] = 4 + i % 5;
    }
    int LineHeight() override { return 16; }
    int AverageCharWidth() override { return 6; }
    int Width(int, const char* text, size_t n) override {
        int w = 0;
        for (size_t i = 0; i < n; ++i) w += widths_[static_cast<unsigned char>(text[i])];
        return w;
    }

  private:
    int widths_[256];
};

const char* kChange =
    "A changed paragraph of the page, as long as a sentence or two of news text, with a "
    "few more words so that it wraps on a pane of ordinary width.";

void Refill(TreeViewModel& model, TreeViewNode& root, int checks, int changesPerCheck) {
    model.RemoveAll();
    for (int c = 0; c < checks; ++c) {
        auto* check = new TreeViewNode("06.12.2026, 10:15   News of the day", 1);
        model.Insert(&root, check);
        for (int k = 0; k < changesPerCheck; ++k) model.Insert(check, new TreeViewNode(kChange, 2));
        model.Expand(check, true);
    }
    int rows = 0;
    model.ForEachVisibleRow([&](const TreeRowView&) { ++rows; });
    benchmark::DoNotOptimize(rows);
}

// A pane 500 by 700 pixels, wrapped or not.
struct Pane {
    explicit Pane(bool wrap) : model(&root, &measurer) {
        model.SetWrap(wrap);
        model.SetClientSize(500, 700);
    }
    TableMeasurer measurer;
    TreeViewNode root;
    TreeViewModel model;
};

void BM_RefillResultPane(benchmark::State& state) {
    Pane pane(state.range(0) != 0);
    for (auto _ : state) Refill(pane.model, pane.root, 100, 50);
    state.SetItemsProcessed(state.iterations() * 5100);
    state.SetLabel(state.range(0) ? "wrapped" : "single line");
}
BENCHMARK(BM_RefillResultPane)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ScrollAndHitTest(benchmark::State& state) {
    Pane pane(state.range(0) != 0);
    TreeViewModel& model = pane.model;
    Refill(model, pane.root, 200, 49);  // 10,000 nodes
    int maxY = model.MaxScrollY();
    unsigned seed = 1;
    for (auto _ : state) {
        seed = seed * 1103515245u + 12345u;
        model.ScrollTo(0, static_cast<int>(seed % static_cast<unsigned>(maxY + 1)));
        int rows = 0;
        model.ForEachVisibleRow([&](const TreeRowView&) { ++rows; });
        TreeHitResult hit = model.HitTest(120, static_cast<int>(seed % 700));
        benchmark::DoNotOptimize(hit);
        benchmark::DoNotOptimize(rows);
    }
    state.SetLabel(state.range(0) ? "wrapped" : "single line");
}
BENCHMARK(BM_ScrollAndHitTest)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_KeyboardThroughTenThousand(benchmark::State& state) {
    Pane pane(false);
    TreeViewModel& model = pane.model;
    Refill(model, pane.root, 200, 49);
    model.Key(TreeKey::Home, false, false);
    for (auto _ : state) {
        model.Key(TreeKey::PageDown, false, false);
        if (model.Caret() == model.RowNode(model.RowCount() - 1))
            model.Key(TreeKey::Home, false, false);
    }
}
BENCHMARK(BM_KeyboardThroughTenThousand)->Unit(benchmark::kMicrosecond);

}  // namespace
