// Throughput of the stream library: strings through a memory stream and a
// buffered file stream.
#include <benchmark/benchmark.h>

#include "stream/BinIo.h"
#include "stream/FileStream.h"
#include "stream/MemStream.h"
#include "support/TempDir.h"

static void BM_StringsThroughMemory(benchmark::State& state) {
    AStr text("A paragraph of moderate length, as pages and change records hold them.");
    for (auto _ : state) {
        omwstream out;
        for (int i = 0; i < 1000; ++i) WriteString(out, text);
        imwstream in(out.Data(), out.Size());
        AStr back;
        for (int i = 0; i < 1000; ++i) ReadString(in, back);
        benchmark::DoNotOptimize(back.Length());
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_StringsThroughMemory);

static void BM_FileWriteRead1MB(benchmark::State& state) {
    TempDir dir;
    std::string path = dir.File("bench.bin");
    std::string chunk(100, 'x');
    for (auto _ : state) {
        {
            ofwstream out(path.c_str());
            for (int i = 0; i < 10000; ++i) out.Write(chunk.data(), 100);
        }
        ifwstream in(path.c_str(), true);
        char buf[100];
        while (in.Read(buf, 100) == 100) {
        }
    }
    state.SetBytesProcessed(state.iterations() * 2 * 1000000);
}
BENCHMARK(BM_FileWriteRead1MB);
