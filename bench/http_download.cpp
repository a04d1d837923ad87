// A 50 MB page streamed from a loopback server to disk through the
// download thread, and how much the process's peak memory grows meanwhile:
// the body passes through fixed-size buffers, so the growth stays a small
// constant however large the page is.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>
#include <string>

#include "platform/Files.h"
#include "platform/HostQueue.h"
#include "http/DownloadNode.h"
#include "support/LoopbackHttpServer.h"
#include "support/TempDir.h"

namespace {

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Downloads the URL into the file; the run's result code.
int32_t Fetch(const std::string& url, const std::string& target) {
    auto queue = std::make_shared<platform::HostQueue>();
    DownloadNode node(queue, url.c_str(), target.c_str(), "", DownloadSettings());
    if (!node.Thread()->Start(platform::kPriorityNormal)) return -100;
    platform::HostMessage m{};
    while (queue->Take(&m, platform::kWaitForever) && m.what != platform::Report::kThreadEnd) {
    }
    return node.Thread()->GetResult();
}

void StreamToDisk(benchmark::State& state) {
    const size_t megabytes = static_cast<size_t>(state.range(0));
    LoopbackHttpServer server;
    HttpReply reply;
    reply.body.assign(1 << 20, 'x');  // the server holds one megabyte and repeats it
    reply.bodyRepeat = megabytes;
    server.Answer("/big.htm", reply);
    TempDir dir;
    std::string target = dir.File("big.tmp");
    // A first small transfer, so that the library's one-time set-up is not
    // counted as growth.
    HttpReply small;
    small.body = "warm";
    server.Answer("/small.htm", small);
    Fetch(server.Url("/small.htm"), target);
    long before = PeakRssKb();
    for (auto _ : state) {
        if (Fetch(server.Url("/big.htm"), target) != 0) state.SkipWithError("download failed");
    }
    state.counters["peak_growth_kb"] = static_cast<double>(PeakRssKb() - before);
    state.counters["file_mb"] = static_cast<double>(platform::FileSize(target.c_str())) / (1 << 20);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(megabytes << 20));
}

}  // namespace

BENCHMARK(StreamToDisk)
    ->Arg(1)
    ->Arg(50)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
