// A mailbox checked by the download thread, as the check engine runs it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Files.h"
#include "platform/HostQueue.h"
#include "platform/Sync.h"
#include "http/DownloadNode.h"
#include "pop3/MailboxDownload.h"
#include "pop3/MailboxUrl.h"
#include "support/LoopbackPop3Server.h"
#include "support/TempDir.h"

using platform::HostMessage;
using platform::HostQueue;
using platform::Report;

namespace {

DownloadSettings MailboxSettings() {
    DownloadSettings settings;
    settings.mailboxCheck = &RunMailboxDownload;
    return settings;
}

std::string UrlOf(const LoopbackPop3Server& server) {
    return MakeMailboxUrl("127.0.0.1", server.Port(), "user", "pw").c_str();
}

}  // namespace

TEST(Pop3Download, DownloadThreadRunsTheMailboxCheckAndReportsItsEnd) {
    LoopbackPop3Server server;
    server.SetMessages({{"u1", "From: a@b\r\nSubject: Hi\r\n"}});
    TempDir dir;
    const std::string target = dir.File("OV000001.TMP");
    auto queue = std::make_shared<HostQueue>();
    DownloadNode node(queue, UrlOf(server).c_str(), target.c_str(), "", MailboxSettings());
    ASSERT_TRUE(node.Thread()->Start(platform::kPriorityBelowNormal));
    HostMessage m{};
    ASSERT_TRUE(queue->Take(&m, 10000));
    EXPECT_EQ(Report::kThreadEnd, m.what);
    EXPECT_EQ(kDownloadThreadKind, m.param);
    EXPECT_EQ(node.Thread(), m.sender);
    EXPECT_EQ(0, node.Thread()->GetResult());
    EXPECT_EQ(std::string("\x07\x00"
                          "a@b\nHi\n"
                          "\x03\x00"
                          "a@b"
                          "\x02\x00"
                          "u1",
                          18),
              TempDir::Read(target));
}

TEST(Pop3Download, AbortingTheDownloadThreadEndsAStalledCheckAtOnce) {
    LoopbackPop3Server server;
    platform::Event userSent;
    server.SetScript([&userSent](Pop3ServerConnection& c) {
        c.Send("+OK\r\n");
        std::string line;
        if (c.ReadLine(&line)) userSent.Set();  // USER, for which no reply comes
        c.WaitForClose(10000);
    });
    TempDir dir;
    const std::string target = dir.File("OV000001.TMP");
    auto queue = std::make_shared<HostQueue>();
    DownloadNode node(queue, UrlOf(server).c_str(), target.c_str(), "", MailboxSettings());
    ASSERT_TRUE(node.Thread()->Start(platform::kPriorityBelowNormal));
    ASSERT_TRUE(userSent.Wait(5000));
    node.Thread()->Abort();
    HostMessage m{};
    ASSERT_TRUE(queue->Take(&m, 5000)) << "the 60-second reply time-out is far away";
    EXPECT_EQ(Report::kThreadEnd, m.what);
    EXPECT_EQ(kDownloadCancelled, node.Thread()->GetResult());
    EXPECT_FALSE(platform::FileExists(target.c_str()));
}
