#pragma once
// The POP3 dialogue of a mailbox check: list the messages by unique id and
// fetch the headers of those not seen before.
#include <cstdint>

#include "framework/AStr.h"
#include "framework/List.h"
#include "framework/StrList.h"
#include "retrieval/CheckLimits.h"

class CommPort;
namespace platform {
class Thread;
}

// Result codes of a mailbox check besides the socket library's.
enum : uint32_t {
    kPop3BadReply = 58,          // ERROR_BAD_NET_RESP
    kPop3UserRefused = 12013,    // ERROR_INTERNET_INCORRECT_USER_NAME
    kPop3PasswordRefused = 12015,  // ERROR_INTERNET_LOGIN_FAILURE
};

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
    // Limit of one reply line (and of the connect); 0 waits without limit.
    uint32_t replyTimeoutMs = kPop3ReplyTimeoutMs;
    // The largest unique-id listing taken, in bytes.
    long largestListing = kLargestListing;
    // Aborting this thread closes the connection at once.
    platform::Thread* worker = nullptr;
};

// Connects and runs the dialogue; 0 or an error code. The connection is
// closed when it returns.
uint32_t CheckMailbox(const char* host, uint16_t port, const char* user, const char* password,
                      const StrList& knownIds, EMailList& messages,
                      const Pop3Options& options = Pop3Options());

// The dialogue over a port that is connected and about to send its
// greeting. After a successful PASS every way out sends QUIT.
uint32_t RunPop3Dialogue(CommPort& port, const char* user, const char* password,
                         const StrList& knownIds, EMailList& messages,
                         long largestListing = kLargestListing);
