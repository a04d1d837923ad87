// Mailbox checks over TLS against the fixture's Python POP3 servers: TLS
// from the first byte, STLS, certificate faults and accepted certificates.
// Each scenario has a port of its own and a log of every line the client
// sent, marked "plain" or "tls".
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Socket.h"
#include "pop3/MailboxCheck.h"
#include "pop3/MailboxUrl.h"
#include "stream/BinIo.h"
#include "stream/FileStream.h"
#include "support/TempDir.h"

namespace {

// What the fixture's servers wrote into their folder.
class TlsServers {
  public:
    TlsServers() {
        const char* dir = std::getenv("OV_TLS_SERVERS");
        if (!dir || !*dir) return;
        dir_ = dir;
#ifdef _WIN32
        if (dir_[0] == '/') dir_ = "Z:" + dir_;  // Wine's drive for the host's root
#endif
        std::ifstream in(dir_ + "/server.txt");
        std::string kind, name, value;
        while (in >> kind >> name >> value) (kind == "port" ? ports_ : prints_)[name] = value;
    }
    bool Ready() const {
        return !ports_.empty();
    }
    uint16_t Port(const std::string& scenario) const {
        auto it = ports_.find(scenario);
        return it == ports_.end() ? 0 : static_cast<uint16_t>(std::atoi(it->second.c_str()));
    }
    std::string Fingerprint(const std::string& certificate) const {
        auto it = prints_.find(certificate);
        return it == prints_.end() ? "" : it->second;
    }
    // The lines a scenario's clients sent: "plain LINE" or "tls LINE".
    std::vector<std::string> Log(const std::string& scenario) const {
        std::vector<std::string> lines;
        std::ifstream in(dir_ + "/" + scenario + ".log");
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

  private:
    std::string dir_;
    std::map<std::string, std::string> ports_, prints_;
};

const TlsServers& Servers() {
    static const TlsServers servers;
    return servers;
}

struct Outcome {
    int32_t result;
    uint8_t security;
    std::vector<std::string> subjects;  // display texts of the records
};

Outcome Check(const std::string& scenario, bool tls, int32_t stls, const std::string& pins = "",
              uint32_t timeoutMs = 10000) {
    TempDir dir;
    AStr url = MakeMailboxUrl("127.0.0.1", Servers().Port(scenario), "me", "secret", tls);
    MailboxCheckOptions options;
    options.locale = 1033;
    options.pop3.replyTimeoutMs = timeoutMs;
    options.pop3.stls = stls;
    options.pop3.pins = ParseTlsPins(pins.c_str());
    uint8_t security = kMailSecurityUnknown;
    options.pop3.security = &security;
    std::string target = dir.File("records");
    Outcome out{RunMailboxCheck(url.c_str(), target.c_str(), "", options), security, {}};
    ifwstream in(target.c_str());
    AStr display, sender, uid;
    while (!in.OpenError() && ReadString(in, display) == 0 && ReadString(in, sender) == 0 &&
           ReadString(in, uid) == 0)
        out.subjects.push_back(display.c_str());
    return out;
}

std::string GoodPin() {
    return "127.0.0.1:" + Servers().Fingerprint("good");
}

bool Sent(const std::vector<std::string>& log, const std::string& prefix) {
    for (const std::string& line : log)
        if (line.rfind(prefix, 0) == 0) return true;
    return false;
}

class TlsMailbox : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Servers().Ready())
            GTEST_SKIP() << "no TLS servers (OV_TLS_SERVERS; ctest starts them)";
    }
};

}  // namespace

TEST_F(TlsMailbox, TlsFromTheFirstByteOnAnotherPortWithAnAcceptedCertificate) {
    Outcome o = Check("tls", true, kStlsWhenOffered, GoodPin());
    ASSERT_EQ(0, o.result);
    EXPECT_EQ(kMailTls, o.security);
    ASSERT_EQ(1u, o.subjects.size());
    EXPECT_NE(std::string::npos, o.subjects[0].find("Over TLS"));
    std::vector<std::string> log = Servers().Log("tls");
    EXPECT_TRUE(Sent(log, "tls PASS secret"));
    EXPECT_FALSE(Sent(log, "plain "));
}

TEST_F(TlsMailbox, SelfSignedCertificateIsRefusedUnlessAcceptedForThatHost) {
    EXPECT_EQ(kTlsCertUnknownIssuer, Check("tls", true, kStlsWhenOffered).result);
    std::string elsewhere = "localhost:" + Servers().Fingerprint("good");
    EXPECT_EQ(kTlsCertUnknownIssuer, Check("tls", true, kStlsWhenOffered, elsewhere).result);
    std::string other = "127.0.0.1:" + Servers().Fingerprint("expired");
    EXPECT_EQ(kTlsCertUnknownIssuer, Check("tls", true, kStlsWhenOffered, other).result);
}

TEST_F(TlsMailbox, CertificateOfAnotherHostIsRefused) {
    Outcome o = Check("wronghost", true, kStlsWhenOffered);
    EXPECT_EQ(kTlsCertWrongHost, o.result);
    EXPECT_TRUE(o.subjects.empty());
    EXPECT_FALSE(Sent(Servers().Log("wronghost"), "tls USER"));
}

TEST_F(TlsMailbox, ExpiredCertificateIsRefused) {
    EXPECT_EQ(kTlsCertExpired, Check("expired", true, kStlsWhenOffered).result);
    EXPECT_FALSE(Sent(Servers().Log("expired"), "tls USER"));
}

TEST_F(TlsMailbox, OfferedStlsIsUsedAndThePasswordNeverTravelsInClear) {
    Outcome o = Check("stls", false, kStlsWhenOffered, GoodPin());
    ASSERT_EQ(0, o.result);
    EXPECT_EQ(kMailStls, o.security);
    EXPECT_EQ(1u, o.subjects.size());
    std::vector<std::string> log = Servers().Log("stls");
    std::vector<std::string> plain;
    for (const std::string& line : log)
        if (line.rfind("plain ", 0) == 0) plain.push_back(line);
    EXPECT_EQ((std::vector<std::string>{"plain CAPA", "plain STLS"}), plain);
    EXPECT_TRUE(Sent(log, "tls USER me"));
    EXPECT_TRUE(Sent(log, "tls PASS secret"));
}

TEST_F(TlsMailbox, StlsWithAnUntrustedCertificateEndsBeforeUser) {
    EXPECT_EQ(kTlsCertUnknownIssuer, Check("stlsuntrusted", false, kStlsWhenOffered).result);
    std::vector<std::string> log = Servers().Log("stlsuntrusted");
    EXPECT_TRUE(Sent(log, "plain STLS"));
    EXPECT_FALSE(Sent(log, "plain USER"));
    EXPECT_FALSE(Sent(log, "tls USER"));
}

TEST_F(TlsMailbox, NeverAsksForCapabilities) {
    Outcome o = Check("stlsnever", false, kStlsNever);
    ASSERT_EQ(0, o.result);
    EXPECT_EQ(kMailPlain, o.security);
    std::vector<std::string> log = Servers().Log("stlsnever");
    EXPECT_FALSE(Sent(log, "plain CAPA"));
    EXPECT_TRUE(Sent(log, "plain USER me"));
}

TEST_F(TlsMailbox, RequiredStlsNotOfferedFailsWithoutSendingUser) {
    Outcome o = Check("nostlsrequired", false, kStlsRequired);
    EXPECT_EQ(kPop3StlsNotOffered, o.result);
    std::vector<std::string> log = Servers().Log("nostlsrequired");
    EXPECT_TRUE(Sent(log, "plain CAPA"));
    EXPECT_FALSE(Sent(log, "plain USER"));
    EXPECT_FALSE(Sent(log, "plain PASS"));
}

TEST_F(TlsMailbox, ServerWithoutStlsStillWorksWhenStlsIsOnlyOffered) {
    Outcome o = Check("nostls", false, kStlsWhenOffered);
    ASSERT_EQ(0, o.result);
    EXPECT_EQ(kMailPlain, o.security);
    EXPECT_EQ(1u, o.subjects.size());
}

TEST_F(TlsMailbox, RefusedCapaOffersNothing) {
    Outcome offered = Check("capaerr", false, kStlsWhenOffered);
    EXPECT_EQ(0, offered.result);
    EXPECT_EQ(kMailPlain, offered.security);
    EXPECT_EQ(kPop3StlsNotOffered, Check("capaerrrequired", false, kStlsRequired).result);
    EXPECT_FALSE(Sent(Servers().Log("capaerrrequired"), "plain USER"));
}

TEST_F(TlsMailbox, HandshakeThatStallsEndsWithinTheReplyTimeout) {
    const uint32_t start = platform::TickCount();
    EXPECT_EQ(static_cast<int32_t>(platform::kWsaTimedOut),
              Check("stall", true, kStlsWhenOffered, GoodPin(), 1000).result);
    // A guard against a hang, not a measurement: one wait of a second, far
    // below the test's own time-out.
    EXPECT_LT(platform::TickCount() - start, 30000u);
}
