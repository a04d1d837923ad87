// Building an AStr a piece at a time, as the report and record writers do:
// single characters, short pieces, and the length asked after each piece.
#include <benchmark/benchmark.h>

#include "framework/AStr.h"

static void BM_AppendCharacters(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        AStr s;
        for (int i = 0; i < count; ++i) s += static_cast<char>('a' + i % 26);
        benchmark::DoNotOptimize(s.c_str());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_AppendCharacters)->Arg(64)->Arg(4096);

static void BM_AppendPiecesAndAskTheLength(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    size_t total = 0;
    for (auto _ : state) {
        AStr s;
        for (int i = 0; i < count; ++i) {
            s += "<td>a cell</td>";
            total += s.Length();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_AppendPiecesAndAskTheLength)->Arg(64)->Arg(1024);
