// The CAPA and STLS step of the POP3 dialogue, over recorded replies.
#include <gtest/gtest.h>

#include <string>

#include "platform/Socket.h"
#include "pop3/Pop3Check.h"
#include "socket/CommMemoryPort.h"

namespace {

struct StlsRun {
    uint32_t result;
    std::string sent;
    bool upgraded;
    int upgrades;
};

// The dialogue over replies with the mode; the upgrade only counts.
StlsRun Dialogue(const std::string& replies, int32_t mode, uint32_t upgradeResult = 0) {
    CommMemoryPort port(replies.data(), replies.size());
    StrList known;
    EMailList messages;
    Pop3Stls stls;
    stls.mode = mode;
    int upgrades = 0;
    stls.upgrade = [&] {
        ++upgrades;
        return upgradeResult;
    };
    uint32_t result = RunPop3Dialogue(port, "me", "secret", known, messages, &stls);
    return {result, port.Sent(), stls.upgraded, upgrades};
}

const std::string kGreeting = "+OK ready\r\n";
const std::string kLogin = "+OK\r\n+OK\r\n+OK\r\n.\r\n";  // USER, PASS, an empty UIDL

}  // namespace

TEST(Pop3Stls, OfferedStlsIsUsedBeforeUser) {
    StlsRun r = Dialogue(kGreeting + "+OK\r\nTOP\r\nstls\r\nUIDL\r\n.\r\n+OK go\r\n" + kLogin,
                         kStlsWhenOffered);
    EXPECT_EQ(0u, r.result);
    EXPECT_TRUE(r.upgraded);
    EXPECT_EQ(1, r.upgrades);
    EXPECT_EQ("CAPA\r\nSTLS\r\nUSER me\r\nPASS secret\r\nUIDL\r\nQUIT\r\n", r.sent);
}

TEST(Pop3Stls, NotOfferedGoesOnPlainOrFailsBeforeUserWhenRequired) {
    const std::string capa = "+OK\r\nSTLSX\r\nUSER STLS\r\n.\r\n";  // neither line offers STLS
    StlsRun plain = Dialogue(kGreeting + capa + kLogin, kStlsWhenOffered);
    EXPECT_EQ(0u, plain.result);
    EXPECT_FALSE(plain.upgraded);
    EXPECT_EQ("CAPA\r\nUSER me\r\nPASS secret\r\nUIDL\r\nQUIT\r\n", plain.sent);

    StlsRun required = Dialogue(kGreeting + capa + kLogin, kStlsRequired);
    EXPECT_EQ(kPop3StlsNotOffered, required.result);
    EXPECT_EQ(0, required.upgrades);
    EXPECT_EQ("CAPA\r\nQUIT\r\n", required.sent);
}

TEST(Pop3Stls, RefusedCapaOffersNothing) {
    StlsRun plain = Dialogue(kGreeting + "-ERR what\r\n" + kLogin, kStlsWhenOffered);
    EXPECT_EQ(0u, plain.result);
    EXPECT_EQ("CAPA\r\nUSER me\r\nPASS secret\r\nUIDL\r\nQUIT\r\n", plain.sent);
    StlsRun required = Dialogue(kGreeting + "-ERR what\r\n" + kLogin, kStlsRequired);
    EXPECT_EQ(kPop3StlsNotOffered, required.result);
    EXPECT_EQ(std::string::npos, required.sent.find("USER"));
}

TEST(Pop3Stls, RefusedOrFailedUpgradeNeverSendsThePassword) {
    const std::string offer = kGreeting + "+OK\r\nSTLS\r\n.\r\n";
    StlsRun refused = Dialogue(offer + "-ERR not now\r\n" + kLogin, kStlsWhenOffered);
    EXPECT_EQ(kPop3StlsRefused, refused.result);
    EXPECT_EQ("CAPA\r\nSTLS\r\nQUIT\r\n", refused.sent);
    StlsRun failed = Dialogue(offer + "+OK\r\n" + kLogin, kStlsWhenOffered, kTlsCertUnknownIssuer);
    EXPECT_EQ(kTlsCertUnknownIssuer, failed.result);
    EXPECT_FALSE(failed.upgraded);
    EXPECT_EQ("CAPA\r\nSTLS\r\n", failed.sent);
}

TEST(Pop3Stls, NeverAsksNoCapabilities) {
    StlsRun r = Dialogue(kGreeting + kLogin, kStlsNever);
    EXPECT_EQ(0u, r.result);
    EXPECT_EQ("USER me\r\nPASS secret\r\nUIDL\r\nQUIT\r\n", r.sent);
}

TEST(Pop3Stls, CapabilityListingEndsAtDotOrFails) {
    bool stls = true;
    CommMemoryPort cut("STLS\r\nUIDL\r\n", 12);  // the server went away mid-listing
    EXPECT_EQ(platform::kWsaConnectionReset, ReadCapabilities(cut, &stls));

    std::string endless;
    for (int i = 0; i <= kPop3MaxCapabilities; ++i) endless += "X-CAP\r\n";
    endless += ".\r\n";
    CommMemoryPort flood(endless.data(), endless.size());
    EXPECT_EQ(kPop3BadReply, ReadCapabilities(flood, &stls));

    CommMemoryPort empty(".\r\n", 3);
    EXPECT_EQ(0u, ReadCapabilities(empty, &stls));
    EXPECT_FALSE(stls);
}
