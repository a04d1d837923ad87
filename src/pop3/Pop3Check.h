#pragma once
// The POP3 dialogue of a mailbox check: list the messages by unique id and
// fetch the headers of those not seen before.
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/AStr.h"
#include "framework/List.h"
#include "framework/StrList.h"
#include "socket/CheckLimits.h"
#include "socket/TlsTrust.h"

class CommPort;
namespace platform {
class Thread;
}

// Result codes of a mailbox check besides the socket library's.
enum : uint32_t {
    kPop3BadReply = 58,            // ERROR_BAD_NET_RESP
    kPop3UserRefused = 12013,      // ERROR_INTERNET_INCORRECT_USER_NAME
    kPop3PasswordRefused = 12015,  // ERROR_INTERNET_LOGIN_FAILURE
    kPop3StlsNotOffered = 20210,   // STLS required, the server does not offer it
    kPop3StlsRefused = 20211,      // the server offered STLS and refused it
};

// When the check upgrades a plain connection with STLS (the program option).
enum : int32_t {
    kStlsNever = 0,
    kStlsWhenOffered = 1,  // the default
    kStlsRequired = 2,     // a server without STLS fails before USER
};

// The security a check's dialogue had (0 before any check).
enum : uint8_t {
    kMailSecurityUnknown = 0,
    kMailPlain = 1,
    kMailStls = 2,  // plain greeting, upgraded with STLS
    kMailTls = 3,   // TLS from the first byte
};

constexpr uint16_t kPop3TlsPort = 995;  // TLS from the first byte

constexpr uint16_t kPop3DefaultPort = 110;
// No reply line may take longer than this.
constexpr uint32_t kPop3ReplyTimeoutMs = 60000;

// One message of the mailbox, in the order of the UIDL listing. The header
// fields stay empty for messages seen before.
class EMail : public Node {
  public:
    EMail* Next() const { return static_cast<EMail*>(Node::Next()); }

    AStr number;      // as listed by UIDL
    AStr uniqueId;    // everything after the number and its space
    AStr subject;     // decoded
    AStr from;        // decoded
    AStr date;        // raw
    AStr returnPath;  // raw
};

using EMailList = ListOf<EMail>;

struct Pop3Options {
    // Limit of one reply line (and of the connect and of every wait in
    // the TLS handshake); 0 waits without limit.
    uint32_t replyTimeoutMs = kPop3ReplyTimeoutMs;
    // The largest unique-id listing taken, in bytes.
    long largestListing = kLargestListing;
    // Aborting this thread closes the connection at once.
    platform::Thread* worker = nullptr;
    // Receives the server's own reply line when it refuses the greeting,
    // the user name or the password (for the user to read); may be null.
    AStr* refusal = nullptr;
    // TLS from the first byte (always so on port 995).
    bool implicitTls = false;
    // STLS on a plain connection. The program's checks take the program
    // option (when offered by default); a bare dialogue stays plain.
    int32_t stls = kStlsNever;
    // Certificates the user accepted for their hosts.
    std::vector<TlsPin> pins;
    // Receives the security of the connection once it is settled.
    uint8_t* security = nullptr;
};

// The STLS step of a plain dialogue, after the greeting and before USER.
struct Pop3Stls {
    int32_t mode = kStlsNever;
    // Makes the port secure after the server's yes to STLS; 0 or an error.
    std::function<uint32_t()> upgrade;
    bool upgraded = false;  // set when the upgrade succeeded
};

// The rest of a CAPA reply after its "+OK": capability lines up to ".";
// *stls tells whether one of them is STLS. 0, a read error, or 58 for a
// listing of more than kPop3MaxCapabilities lines.
constexpr int kPop3MaxCapabilities = 256;
uint32_t ReadCapabilities(CommPort& port, bool* stls);

// Connects and runs the dialogue; 0 or an error code. The connection is
// closed when it returns.
uint32_t CheckMailbox(const char* host, uint16_t port, const char* user, const char* password,
                      const StrList& knownIds, EMailList& messages,
                      const Pop3Options& options = Pop3Options());

// The dialogue over a port that is connected and about to send its
// greeting. After a successful PASS every way out sends QUIT. With stls,
// the server's capabilities are asked first and the connection upgraded
// as its mode says. A refusal's own words go to *refusal when given.
uint32_t RunPop3Dialogue(CommPort& port, const char* user, const char* password,
                         const StrList& knownIds, EMailList& messages, Pop3Stls* stls = nullptr,
                         AStr* refusal = nullptr, long largestListing = kLargestListing);
