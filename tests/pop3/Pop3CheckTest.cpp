// Mailbox checks against the scripted loopback POP3 server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/LocaleDates.h"
#include "platform/Socket.h"
#include "pop3/MailboxCheck.h"
#include "pop3/MailboxUrl.h"
#include "pop3/Pop3Check.h"
#include "stream/BinIo.h"
#include "stream/FileStream.h"
#include "support/LoopbackPop3Server.h"
#include "support/TempDir.h"

namespace {

struct Record {
    std::string display, sender, uid;
    bool operator==(const Record& o) const {
        return display == o.display && sender == o.sender && uid == o.uid;
    }
};

std::ostream& operator<<(std::ostream& os, const Record& r) {
    return os << "{" << r.display << " | " << r.sender << " | " << r.uid << "}";
}

std::vector<Record> ReadRecords(const std::string& path) {
    std::vector<Record> records;
    ifwstream in(path.c_str());
    AStr a, b, c;
    while (ReadString(in, a) == 0 && ReadString(in, b) == 0 && ReadString(in, c) == 0)
        records.push_back({a.c_str(), b.c_str(), c.c_str()});
    return records;
}

const uint32_t kRussian = 1049;

MailboxCheckOptions Options() {
    MailboxCheckOptions o;
    o.pop3.replyTimeoutMs = 3000;
    o.locale = kRussian;
    return o;
}

std::string UrlOf(const LoopbackPop3Server& server) {
    return MakeMailboxUrl("127.0.0.1", server.Port(), "me@home", "secret").c_str();
}

int32_t Check(const LoopbackPop3Server& server, const std::string& target,
              const std::string& stored = "") {
    return RunMailboxCheck(UrlOf(server).c_str(), target.c_str(), stored.c_str(), Options());
}

const char kKoiPrivet[] = "\xF0\xD2\xC9\xD7\xC5\xD4";
const char kWinPrivet[] = "\xCF\xF0\xE8\xE2\xE5\xF2";

Pop3TestMessage Message(const std::string& uid, const std::string& from, const std::string& subject,
                        const std::string& more = "") {
    return {uid, "From: " + from + "\r\nSubject: " + subject + "\r\n" + more};
}

// The commands of the last connection, from USER on.
std::vector<std::string> LastSession(const LoopbackPop3Server& server) {
    std::vector<std::string> all = server.Received(), last;
    for (const std::string& line : all) {
        if (line.rfind("USER ", 0) == 0) last.clear();
        last.push_back(line);
    }
    return last;
}

}  // namespace

TEST(Pop3Check, FirstCheckReportsEveryMessage) {
    LoopbackPop3Server server;
    server.SetMessages({Message("uid-1", "Ann <ann@example.org>", "Hello"),
                        Message("uid 2", "bob@example.org", "Second")});
    TempDir dir;
    const std::string target = dir.File("OV000001.TMP");
    ASSERT_EQ(0, Check(server, target));
    ASSERT_TRUE(server.WaitConnectionsEnded());
    EXPECT_EQ((std::vector<Record>{{"Ann <ann@example.org>\nHello\n", "ann@example.org", "uid-1"},
                                   {"bob@example.org\nSecond\n", "bob@example.org", "uid 2"}}),
              ReadRecords(target));
    EXPECT_EQ((std::vector<std::string>{"USER me@home", "PASS secret", "UIDL", "TOP 1 0", "TOP 2 0",
                                        "QUIT"}),
              server.Received());
}

TEST(Pop3Check, OnlyMessagesNotSeenBeforeGetADisplayText) {
    LoopbackPop3Server server;
    server.SetMessages({Message("old", "a@x", "Gone"), Message("kept", "b@x", "Kept")});
    TempDir dir;
    const std::string first = dir.File("OV000001.HTM"), second = dir.File("OV000002.TMP");
    ASSERT_EQ(0, Check(server, first));

    server.SetMessages({Message("kept", "b@x", "Kept"), Message("new", "c@x", "New")});
    ASSERT_EQ(0, Check(server, second, first));
    ASSERT_TRUE(server.WaitConnectionsEnded());
    EXPECT_EQ((std::vector<Record>{{"", "", "kept"}, {"c@x\nNew\n", "c@x", "new"}}),
              ReadRecords(second));
    EXPECT_EQ((std::vector<std::string>{"USER me@home", "PASS secret", "UIDL", "TOP 2 0", "QUIT"}),
              LastSession(server));
}

TEST(Pop3Check, StoredCopyCountsOnlyCompleteRecords) {
    LoopbackPop3Server server;
    server.SetMessages({Message("a", "a@x", "A"), Message("b", "b@x", "B")});
    TempDir dir;
    // "a" stands in a complete record, "b" in one cut short.
    std::string stored = std::string("\0\0\0\0\1\0a", 7) + std::string("\0\0\0\0\1\0", 6);
    const std::string storedPath = dir.Write("OV000001.HTM", stored);
    ASSERT_EQ(0, Check(server, dir.File("new.tmp"), storedPath));
    std::vector<Record> records = ReadRecords(dir.File("new.tmp"));
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ("", records[0].display);
    EXPECT_EQ("b@x\nB\n", records[1].display);
}

TEST(Pop3Check, Koi8SubjectsAreConvertedWhetherEncodedOrNot) {
    LoopbackPop3Server server;
    server.SetMessages({
        Message("1", "a@x", "=?koi8-r?B?8NLJ18XU?="),
        Message("2", "a@x", kKoiPrivet),
        Message("3", "a@x", kKoiPrivet, "Content-Type: text/plain; charset=\"KOI8-R\"\r\n"),
        Message("4", kKoiPrivet, kKoiPrivet, "Content-Type: text/plain; charset=windows-1251\r\n"),
        Message("5", "=?utf-8?B?0J/RgA==?= <a@x>", kKoiPrivet),
    });
    TempDir dir;
    ASSERT_EQ(0, Check(server, dir.File("t")));
    std::vector<Record> r = ReadRecords(dir.File("t"));
    ASSERT_EQ(5u, r.size());
    EXPECT_EQ(std::string("a@x\n") + kWinPrivet + "\n", r[0].display);
    EXPECT_EQ(std::string("a@x\n") + kWinPrivet + "\n", r[1].display);
    EXPECT_EQ(std::string("a@x\n") + kWinPrivet + "\n", r[2].display);
    // windows-1251 keeps the bytes as they came.
    EXPECT_EQ(std::string(kKoiPrivet) + "\n" + kKoiPrivet + "\n", r[3].display);
    // A decoded From is not converted again; the plain Subject is.
    EXPECT_EQ(std::string("\xD0\x9F\xD1\x80 <a@x>\n") + kWinPrivet + "\n", r[4].display);
}

TEST(Pop3Check, FoldedSubjectArrivesAsOneValue) {
    LoopbackPop3Server server;
    server.SetMessages({{"1", "Subject: first part\r\n\t  second part\r\nFrom: a@x\r\n"}});
    TempDir dir;
    ASSERT_EQ(0, Check(server, dir.File("t")));
    EXPECT_EQ("a@x\nfirst part second part\n", ReadRecords(dir.File("t")).at(0).display);
}

TEST(Pop3Check, DateIsShownInLocalTimeOfTheLanguage) {
    LoopbackPop3Server server;
    server.SetMessages({Message("1", "a@x", "S", "Date: Tue, 5 Mar 2002 10:00:00 +0300\r\n"),
                        Message("2", "a@x", "S", "Date: sometime soon\r\n")});
    TempDir dir;
    ASSERT_EQ(0, Check(server, dir.File("t")));
    std::vector<Record> r = ReadRecords(dir.File("t"));
    ASSERT_EQ(2u, r.size());
    // 10:00:00 +0300 is 07:00:00 UTC, shown in the machine's local time.
    const platform::LocalTime local = platform::ToLocalTime(platform::FromUtc(2002, 3, 5, 7, 0, 0));
    const std::string expected = std::string(platform::FormatLocaleDate(kRussian, local).c_str()) +
                                 ",  " + platform::FormatLocaleTime(kRussian, local, true).c_str();
    EXPECT_EQ("a@x\nS\n" + expected, r[0].display);
    EXPECT_EQ("a@x\nS\nsometime soon", r[1].display);
}

TEST(Pop3Check, SenderComesFromReturnPathOrFrom) {
    LoopbackPop3Server server;
    server.SetMessages({
        Message("1", "Ann <ann@x>", "S", "Return-Path: <bounce@x>\r\n"),
        Message("2", "Ann <ann@x>", "S", "Return-Path: <>\r\n"),
        Message("3", "MAILER-DAEMON", "S", "Return-Path: <>\r\n"),
        Message("4", "plain", "S"),
        Message("5", "odd> <", "S"),
    });
    TempDir dir;
    ASSERT_EQ(0, Check(server, dir.File("t")));
    std::vector<Record> r = ReadRecords(dir.File("t"));
    ASSERT_EQ(5u, r.size());
    EXPECT_EQ("bounce@x", r[0].sender);
    EXPECT_EQ("ann@x", r[1].sender);
    EXPECT_EQ("", r[2].sender);
    EXPECT_EQ("plain", r[3].sender);
    EXPECT_EQ("odd> <", r[4].sender);
}

TEST(Pop3Check, RecordFileHoldsThreeStringsPerMessage) {
    LoopbackPop3Server server;
    server.SetMessages({Message("u1", "a@b", "Hi"), {"u2", "X-Other: 1\r\n"}});
    TempDir dir;
    ASSERT_EQ(0, Check(server, dir.File("t")));
    const std::string expected = std::string(
        "\x07\x00"
        "a@b\nHi\n"
        "\x03\x00"
        "a@b"
        "\x02\x00"
        "u1"
        "\x00\x00"
        "\x00\x00"
        "\x02\x00"
        "u2",
        7 + 2 + 3 + 2 + 2 + 2 + 2 + 2 + 2 + 2);
    EXPECT_EQ(expected, TempDir::Read(dir.File("t")));
}

namespace {
struct Refusal {
    const char* command;
    int32_t result;
    bool quits;
};
}  // namespace

TEST(Pop3Check, RefusalsGiveTheirCodesAndQuitOnlyAfterLogin) {
    const Refusal refusals[] = {{"greeting", kPop3BadReply, false},
                                {"USER", kPop3UserRefused, false},
                                {"PASS", kPop3PasswordRefused, false},
                                {"UIDL", kPop3BadReply, true},
                                {"TOP", kPop3BadReply, true}};
    for (const Refusal& r : refusals) {
        LoopbackPop3Server server;
        server.SetMessages({Message("1", "a@x", "S")});
        server.SetReply(r.command, "-ERR no\r\n");
        TempDir dir;
        EXPECT_EQ(r.result, Check(server, dir.File("t"))) << r.command;
        EXPECT_FALSE(platform::FileExists(dir.File("t").c_str())) << r.command;
        ASSERT_TRUE(server.WaitConnectionsEnded());
        std::vector<std::string> sent = server.Received();
        EXPECT_EQ(r.quits, !sent.empty() && sent.back() == "QUIT") << r.command;
    }
}

TEST(Pop3Check, ReplyPositiveOnlyWithUpperCaseOk) {
    LoopbackPop3Server server;
    server.SetReply("greeting", "+ok hello\r\n");
    TempDir dir;
    EXPECT_EQ(static_cast<int32_t>(kPop3BadReply), Check(server, dir.File("t")));
}

TEST(Pop3Check, UidlLineWithoutSpaceGives58AndQuits) {
    LoopbackPop3Server server;
    server.SetReply("UIDL", "+OK\r\n1 a\r\n2\r\n.\r\n");
    TempDir dir;
    EXPECT_EQ(static_cast<int32_t>(kPop3BadReply), Check(server, dir.File("t")));
    ASSERT_TRUE(server.WaitConnectionsEnded());
    EXPECT_EQ("QUIT", server.Received().back());
}

TEST(Pop3Check, RefusedConnectionGivesTheSocketError) {
    uint16_t port;
    {
        LoopbackPop3Server gone;
        port = gone.Port();
    }
    TempDir dir;
    AStr url = MakeMailboxUrl("127.0.0.1", port, "u", "p");
    EXPECT_EQ(static_cast<int32_t>(platform::kWsaConnectionRefused),
              RunMailboxCheck(url.c_str(), dir.File("t").c_str(), "", Options()));
}

TEST(MailboxUrl, UserNameAtSignIsStoredAsByte7) {
    AStr url = MakeMailboxUrl("pop.example.org", 0, "me@home", "pa:ss@word");
    EXPECT_EQ(std::string("mailto:me\x07home:pa:ss@word@pop.example.org:110"), url.c_str());
    MailboxAddress a;
    ASSERT_TRUE(CrackMailboxUrl(url.c_str(), &a));
    EXPECT_EQ("pop.example.org", a.host);
    EXPECT_EQ(110, a.port);
    EXPECT_EQ("me@home", a.user);
    EXPECT_EQ("pa:ss@word", a.password);
}

TEST(MailboxUrl, MissingOrUnreadablePortsAreZero) {
    MailboxAddress a;
    ASSERT_TRUE(CrackMailboxUrl("mailto:u:p@host", &a));
    EXPECT_EQ("host", a.host);
    EXPECT_EQ(0, a.port);
    ASSERT_TRUE(CrackMailboxUrl("mailto:u@host:995", &a));
    EXPECT_EQ("u", a.user);
    EXPECT_EQ("", a.password);
    EXPECT_EQ(995, a.port);
    ASSERT_TRUE(CrackMailboxUrl("mailto:host:70000", &a));
    EXPECT_EQ(0, a.port);
    ASSERT_TRUE(CrackMailboxUrl("mailto:host:x1", &a));
    EXPECT_EQ(0, a.port);
    EXPECT_FALSE(a.tls);
    ASSERT_TRUE(CrackMailboxUrl("mailto:u:p@host:1995/TLS", &a));
    EXPECT_EQ(1995, a.port);
    EXPECT_TRUE(a.tls);
    ASSERT_TRUE(CrackMailboxUrl("mailto:u:p@host:1995/tlsx", &a));
    EXPECT_FALSE(a.tls);
    EXPECT_EQ("mailto:u:p@host:1995/tls",
              std::string(MakeMailboxUrl("host", 1995, "u", "p", true).c_str()));
    EXPECT_FALSE(CrackMailboxUrl("MAILTO:u:p@host:110", &a));
    EXPECT_FALSE(CrackMailboxUrl("http://host/", &a));
}
