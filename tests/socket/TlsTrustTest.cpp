// Which certificates the mailbox check accepts, and how accepted
// certificates are written in the options.
#include "socket/TlsTrust.h"

#include <gtest/gtest.h>

namespace {

const std::string kPrint =
    "1F:60:59:FC:18:9C:42:5B:20:5A:42:81:29:65:F1:59:07:A1:8D:C3:00:FA:08:0D:72:48:A5:EA:75:E9:0D:"
    "7A";

TlsPeer Peer(bool outside, bool host, bool trusted, bool other = false) {
    TlsPeer p;
    p.outsideDates = outside;
    p.hostMatches = host;
    p.trusted = trusted;
    p.otherFault = other;
    p.fingerprint = kPrint;
    return p;
}

}  // namespace

TEST(TlsTrust, FaultsAreReportedDatesFirstThenNameThenIssuer) {
    EXPECT_EQ(0u, JudgeCertificate(Peer(false, true, true), "mail.example", {}));
    EXPECT_EQ(kTlsCertExpired, JudgeCertificate(Peer(true, false, false), "mail.example", {}));
    EXPECT_EQ(kTlsCertWrongHost, JudgeCertificate(Peer(false, false, false), "mail.example", {}));
    EXPECT_EQ(kTlsCertUnknownIssuer,
              JudgeCertificate(Peer(false, true, false), "mail.example", {}));
    EXPECT_EQ(kTlsCertRejected,
              JudgeCertificate(Peer(false, true, true, true), "mail.example", {}));
}

TEST(TlsTrust, PinAcceptsThatCertificateOnlyForItsHost) {
    std::vector<TlsPin> pins = ParseTlsPins(("Mail.Example:" + kPrint).c_str());
    ASSERT_EQ(1u, pins.size());
    TlsPeer selfSigned = Peer(true, false, false);
    EXPECT_EQ(0u, JudgeCertificate(selfSigned, "MAIL.example", pins));
    EXPECT_EQ(kTlsCertExpired, JudgeCertificate(selfSigned, "other.example", pins));
    TlsPeer another = selfSigned;
    another.fingerprint[0] = '2';
    EXPECT_EQ(kTlsCertExpired, JudgeCertificate(another, "mail.example", pins));
    TlsPeer none = selfSigned;
    none.fingerprint.clear();  // no certificate at all is never pinned
    EXPECT_EQ(kTlsCertExpired, JudgeCertificate(none, "mail.example", pins));
}

TEST(TlsTrust, PinListTakesAnySeparatorAndCaseAndSkipsBadPairs) {
    std::string bare = PinForm(kPrint);
    std::string lower = bare;
    for (char& c : lower) c = static_cast<char>(tolower(c));
    std::string text = "a.example:" + kPrint + " ; b.example:" + lower +
                       ",c.example:ABCD\t:" + bare + "\nd.example:" + bare.substr(0, 62) + "zz";
    std::vector<TlsPin> pins = ParseTlsPins(text.c_str());
    ASSERT_EQ(2u, pins.size());
    EXPECT_EQ("a.example", pins[0].host);
    EXPECT_EQ(bare, pins[0].fingerprint);
    EXPECT_EQ("b.example", pins[1].host);
    EXPECT_EQ(bare, pins[1].fingerprint);
    EXPECT_TRUE(ParseTlsPins(nullptr).empty());
    EXPECT_TRUE(ParseTlsPins("").empty());
}
