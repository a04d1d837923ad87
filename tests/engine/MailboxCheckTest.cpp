// Mailboxes checked end to end against a loopback POP3 server.
#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "pop3/MailboxUrl.h"
#include "pop3/Pop3Check.h"
#include "support/LoopbackPop3Server.h"

namespace {

Pop3TestMessage Mail(int n) {
    return {"uid" + std::to_string(n), "From: Sender " + std::to_string(n) + " <s" +
                                           std::to_string(n) + "@example.org>\r\nSubject: Note " +
                                           std::to_string(n) + "\r\n"};
}

class MailboxCheckTest : public EngineTest {
  protected:
    ItemNode* AddMailbox(uint32_t period) {
        AStr url = MakeMailboxUrl("127.0.0.1", server.Port(), "user", "secret");
        return AddObject(url.c_str(), kModeNone, period);
    }
    LoopbackPop3Server server;
};

}  // namespace

TEST_F(MailboxCheckTest, NewMessagesBecomeChangesOfOneAnnouncedCheck) {
    server.SetMessages({Mail(1), Mail(2)});
    ItemNode* box = AddMailbox(3600);
    engine->RequestCheck(*box);
    ASSERT_TRUE(RunUntilIdle());

    ASSERT_EQ(1u, box->checks.Count());
    const CheckNode* check = box->checks.First();
    EXPECT_EQ(1, check->result);
    EXPECT_TRUE(check->expanded);
    ASSERT_EQ(2u, check->changes.Count());
    // Each message goes to the front: the check holds them in reverse listing order.
    EXPECT_NE(std::string::npos, std::string(check->changes.First()->text.c_str()).find("Note 2"));
    EXPECT_STREQ("mailto:s2@example.org", check->changes.First()->link.c_str());
    EXPECT_NE(std::string::npos, std::string(check->changes.Last()->text.c_str()).find("Note 1"));
    EXPECT_STREQ("mailto:s1@example.org", check->changes.Last()->link.c_str());
    ASSERT_EQ(1u, host.announcements.size());
    EXPECT_TRUE(box->HasUnseen());
    EXPECT_EQ(0, box->state);
    EXPECT_TRUE(TempFiles().empty()) << "the record file became the stored copy";

    // Known messages are not news; only the new one is.
    server.SetMessages({Mail(1), Mail(2), Mail(3)});
    CheckAgain(box);
    ASSERT_EQ(2u, box->checks.Count());
    ASSERT_EQ(1u, box->checks.First()->changes.Count());
    EXPECT_NE(std::string::npos,
              std::string(box->checks.First()->changes.First()->text.c_str()).find("Note 3"));
    EXPECT_EQ(2u, host.announcements.size());
    EXPECT_EQ(1, engine->NewChanges()) << "counted once while the mark stays set";

    CheckAgain(box);
    EXPECT_EQ(2u, box->checks.Count()) << "nothing new: no record";
}

TEST_F(MailboxCheckTest, MaxNewsKeepsFiveOfEightMessages) {
    options.maxNews = 5;
    std::vector<Pop3TestMessage> mails;
    for (int i = 1; i <= 8; ++i) mails.push_back(Mail(i));
    server.SetMessages(mails);
    ItemNode* box = AddMailbox(3600);
    engine->RequestCheck(*box);
    ASSERT_TRUE(RunUntilIdle());
    ASSERT_EQ(1u, box->checks.Count());
    EXPECT_EQ(5u, box->checks.First()->changes.Count());
    // The first five listed are taken, the fifth ends first.
    EXPECT_NE(std::string::npos,
              std::string(box->checks.First()->changes.First()->text.c_str()).find("Note 5"));
    EXPECT_NE(std::string::npos,
              std::string(box->checks.First()->changes.Last()->text.c_str()).find("Note 1"));
}

TEST_F(MailboxCheckTest, AFailedMailboxIsRetriedAfterATwelfthOfItsPeriodButAtLeast600Seconds) {
    server.SetReply("PASS", "-ERR refused\r\n");
    ItemNode* daily = AddMailbox(86400);
    ItemNode* hourly = AddMailbox(3600);
    engine->RequestCheck(*daily);
    engine->RequestCheck(*hourly);
    ASSERT_TRUE(RunUntilIdle());
    const uint32_t failedAt = now;

    EXPECT_EQ(-1, daily->state);
    EXPECT_EQ(static_cast<int32_t>(kPop3PasswordRefused), daily->lastError) << "password refused";
    EXPECT_EQ(failedAt - 86400 + 7200, daily->properties.lastCheck);
    EXPECT_EQ(failedAt - 3600 + 600, hourly->properties.lastCheck);
    EXPECT_TRUE(daily->checks.IsEmpty());
    EXPECT_TRUE(host.announcements.empty());

    now = failedAt + 600;
    engine->SchedulingPass(0);
    EXPECT_EQ(0u, engine->RunningDownloads());
    now = failedAt + 601;
    engine->SchedulingPass(0);
    EXPECT_EQ(1, hourly->state) << "the hourly mailbox is due 600 seconds later";
    EXPECT_EQ(-1, daily->state);
    ASSERT_TRUE(RunUntilIdle());
    now = failedAt + 7201;
    engine->SchedulingPass(0);
    EXPECT_EQ(1, daily->state) << "the daily one after 7200 seconds";
    ASSERT_TRUE(RunUntilIdle());
}

TEST_F(MailboxCheckTest, AServerThatTricklesPastTheCheckTimeIsStoppedWithItsOwnError) {
    // Every reply byte comes well within the reply time-out; only the time
    // of the whole check can end it.
    server.SetScript([](Pop3ServerConnection& c) {
        c.SendSlowly("+OK a server that takes its time to greet you\r\n", 200);
        c.WaitForClose(20000);
    });
    options.checkSeconds = 1;
    engine->SetDownloadSettings(DownloadSettingsFrom(options));
    ItemNode* box = AddMailbox(3600);
    engine->RequestCheck(*box);
    const uint32_t start = platform::TickCount();
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_LT(platform::TickCount() - start, 6000u);
    EXPECT_EQ(-1, box->state);
    EXPECT_EQ(kCheckDeadline, box->lastError);
    EXPECT_TRUE(box->checks.IsEmpty());
    EXPECT_TRUE(TempFiles().empty()) << "the record file went with the check";
}
