// The check engine's scheduling pass over a large watch list of which no
// object is due, and the memory that a loaded watch list of that size takes.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "BenchLists.h"
#include "engine/CheckEngine.h"
#include "platform/HostQueue.h"
#include "stream/MemStream.h"
#include "watchlist/ItemList.h"

namespace {

std::atomic<long long> g_liveBytes{0};

constexpr uint32_t kNow = 1709287200;  // 2024-03-01 10:00:00 UTC

struct QuietHost : EngineHost {
    TextLogSettings TextLogSetup(uint32_t now) override { return TextLogSettings(); }
};

// Ten thousand pages and mailboxes in folders of 100, each checked a
// minute ago with two checks of three changes in its change log.
std::unique_ptr<ItemList> MakeList(long objects) {
    return MakeFolderedList(objects, [](ItemNode& page, long i) {
        page.properties.address = i % 10 ? AStr::Format("http://site%ld.example/news/index.html", i)
                                         : AStr::Format("mailto:user%ld:pw@mail.example:110", i);
        page.properties.timedelta = 3600;
        page.properties.lastCheck = kNow - 60;
        page.title = "A page title of ordinary length";
        page.copyNumber = static_cast<uint16_t>(i % 9999 + 1);
        AddChangeLog(
            page, 2, 3, [](int c) { return kNow - 3600u * static_cast<uint32_t>(c + 1); },
            "A changed paragraph of news text, a sentence long.",
            "http://site.example/news/item.html#part");
    });
}

void SchedulingPassNoneDue(benchmark::State& state) {
    auto list = MakeList(state.range(0));
    Options options;
    QuietHost host;
    CheckEngine engine(*list, options, host, std::make_shared<platform::HostQueue>(),
                       [] { return kNow; });
    for (auto _ : state) {
        engine.SchedulingPass(0);
        benchmark::DoNotOptimize(engine.RunningDownloads());
    }
    if (engine.RunningDownloads() != 0) state.SkipWithError("an object was due");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(SchedulingPassNoneDue)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Loads the watch list and change log of N objects from memory and reports
// the bytes the loaded tree holds.
void LoadedListMemory(benchmark::State& state) {
    auto source = MakeList(state.range(0));
    omwstream list(1 << 20), log(1 << 20);
    source->Save(list);
    source->SaveChangeLog(log);
    long long bytes = 0;
    for (auto _ : state) {
        long long before = g_liveBytes.load();
        auto loaded = std::make_unique<ItemList>();
        imwstream inList(list.Data(), list.Size());
        imwstream inLog(log.Data(), log.Size());
        loaded->Load(inList);
        loaded->LoadChangeLog(inLog);
        bytes = g_liveBytes.load() - before;
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["bytes_per_object"] =
        static_cast<double>(bytes) / static_cast<double>(state.range(0));
}
BENCHMARK(LoadedListMemory)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

// Every allocation of the program is counted with its size in front of it.
// The replacement delete frees what the replacement new took from malloc;
// GCC cannot see that the two belong together.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::max_align_t)));
    if (!block) throw std::bad_alloc();
    *block = size;
    g_liveBytes += static_cast<long long>(size);
    return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}
void operator delete(void* p) noexcept {
    if (!p) return;
    auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(p) - sizeof(std::max_align_t));
    g_liveBytes -= static_cast<long long>(*block);
    std::free(block);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}
