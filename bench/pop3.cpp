// Cost of a mailbox check: the dialogue replayed from memory, the same over
// a loopback socket (one byte per read, as the protocol layer reads), and
// the header decoding on its own.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "framework/StrList.h"
#include "socket/CommMemoryPort.h"
#include "pop3/MailDate.h"
#include "pop3/MailDecode.h"
#include "pop3/Pop3Check.h"
#include "support/LoopbackPop3Server.h"

namespace {

const char kHeaders[] =
    "Return-Path: <sender@example.org>\r\n"
    "Received: from mail.example.org by pop.example.net; Tue, 5 Mar 2002 10:00:00 +0300\r\n"
    "From: =?koi8-r?B?8NLJ18XU?= <sender@example.org>\r\n"
    "To: user@example.net\r\n"
    "Subject: =?koi8-r?Q?=F0=D2=C9=D7=C5=D4?= and a longer\r\n"
    "\tfolded subject line\r\n"
    "Date: Tue, 5 Mar 2002 10:00:00 +0300\r\n"
    "Content-Type: text/plain; charset=\"koi8-r\"\r\n";

std::string Replies(int messages) {
    std::string r = "+OK ready\r\n+OK\r\n+OK\r\n+OK\r\n";
    for (int i = 1; i <= messages; ++i)
        r += std::to_string(i) + " uid-" + std::to_string(i) + "\r\n";
    r += ".\r\n";
    for (int i = 1; i <= messages; ++i) r += std::string("+OK\r\n") + kHeaders + "\r\n.\r\n";
    return r;
}

}  // namespace

static void BM_Pop3DialogueFromMemory(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string replies = Replies(n);
    StrList known;
    for (auto _ : state) {
        CommMemoryPort port(replies.data(), replies.size());
        EMailList messages;
        benchmark::DoNotOptimize(RunPop3Dialogue(port, "user", "pw", known, messages));
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(replies.size()));
}
BENCHMARK(BM_Pop3DialogueFromMemory)->Arg(1000);

static void BM_Pop3CheckOverLoopback(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    LoopbackPop3Server server;
    std::vector<Pop3TestMessage> mailbox;
    for (int i = 1; i <= n; ++i) mailbox.push_back({"uid-" + std::to_string(i), kHeaders});
    server.SetMessages(mailbox);
    StrList known;
    for (auto _ : state) {
        EMailList messages;
        uint32_t rc = CheckMailbox("127.0.0.1", server.Port(), "user", "pw", known, messages);
        if (rc) state.SkipWithError("check failed");
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_Pop3CheckOverLoopback)->Arg(200)->Unit(benchmark::kMillisecond);

static void BM_DecodeHeaderText(benchmark::State& state) {
    const char text[] = "Re: =?koi8-r?B?8NLJ18XU?= =?windows-1251?Q?=CF=F0=E8=E2=E5=F2_x?= tail";
    for (auto _ : state) {
        bool decoded = false;
        benchmark::DoNotOptimize(DecodeHeaderText(text, &decoded).Length());
    }
}
BENCHMARK(BM_DecodeHeaderText);

static void BM_ParseMailDate(benchmark::State& state) {
    MailTime t = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseMailDate("Tue, 5 Mar 2002 10:00:00 +0300", &t));
}
BENCHMARK(BM_ParseMailDate);
