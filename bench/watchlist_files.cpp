// Loading and saving watch lists with their change logs: N objects (in
// folders of 100) with 10 checks of 5 changes each, through streams alone
// and through the files of a program directory.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchLists.h"
#include "platform/Files.h"
#include "stream/MemStream.h"
#include "support/TempDir.h"
#include "watchlist/ItemList.h"
#include "watchlist/WatchListFile.h"

namespace {

std::unique_ptr<ItemList> MakeList(long objects) {
    return MakeFolderedList(objects, [](ItemNode& page, long i) {
        page.properties.name = AStr::Format("Page number %ld", i);
        page.properties.address = AStr::Format("http://site%ld.example/news/index.html", i);
        page.properties.timedelta = 21600;
        page.properties.keywords = "weather | forecast";
        page.title = "A page title of ordinary length";
        page.copyNumber = static_cast<uint16_t>(i % 9999 + 1);
        AddChangeLog(
            page, 10, 5, [](int c) { return 1039089600u + static_cast<uint32_t>(c) * 3600u; },
            "A changed paragraph of the page, as long as a sentence or two of news text.",
            "http://site.example/news/item.html");
    });
}

struct Saved {
    std::string tree, log;
};

Saved SaveToMemory(const ItemList& list) {
    omwstream tree, log;
    list.Save(tree);
    list.SaveChangeLog(log);
    return {std::string(tree.Data(), static_cast<size_t>(tree.Size())),
            std::string(log.Data(), static_cast<size_t>(log.Size()))};
}

// Takes every byte and keeps none: saving measured without the growth of
// a memory block.
class DiscardBuffer : public wstreambuf {
  public:
    long Write(const void*, long count) override {
        size_ += count;
        return count;
    }
    long Seek(long offset, int origin) override { return origin == 0 ? offset : size_; }
    long size_ = 0;
};

class DiscardStream : public owstream {
  public:
    DiscardStream() { Attach(&buffer_); }
    long Size() const { return buffer_.size_; }

  private:
    DiscardBuffer buffer_;
};

void BM_Save(benchmark::State& state) {
    auto list = MakeList(state.range(0));
    for (auto _ : state) {
        DiscardStream out;
        list->Save(out);
        list->SaveChangeLog(out);
        benchmark::DoNotOptimize(out.Size());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Save)
    ->RangeMultiplier(2)
    ->Range(1250, 10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state) {
    Saved s = SaveToMemory(*MakeList(state.range(0)));
    for (auto _ : state) {
        ItemList list;
        imwstream tree(s.tree.data(), static_cast<long>(s.tree.size()));
        imwstream log(s.log.data(), static_cast<long>(s.log.size()));
        if (list.Load(tree) != 0 || list.LoadChangeLog(log) != 0)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Load)
    ->RangeMultiplier(2)
    ->Range(1250, 10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

void BM_SaveFiles10000(benchmark::State& state) {
    TempDir dir;
    WatchListPaths paths(dir.Path());
    platform::MakeDirectory(paths.userFolder.c_str());
    auto list = MakeList(10000);
    for (auto _ : state)
        if (!SaveWatchList(*list, paths)) state.SkipWithError("save failed");
}

void BM_OpenFiles10000(benchmark::State& state) {
    TempDir dir;
    WatchListPaths paths(dir.Path());
    platform::MakeDirectory(paths.userFolder.c_str());
    SaveWatchList(*MakeList(10000), paths);
    for (auto _ : state) {
        ItemList list;
        if (!OpenWatchList(list, paths)) state.SkipWithError("open failed");
        benchmark::DoNotOptimize(list.Count());
    }
}

}  // namespace

BENCHMARK(BM_SaveFiles10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFiles10000)->Unit(benchmark::kMillisecond);
