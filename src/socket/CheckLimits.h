#pragma once
// The limits that end a check whatever a server does, and the result codes
// that say which one ended it (their texts are the language module's, at
// the code + 50).
#include <cstdint>

enum : int32_t {
    kCheckPageTooLarge = 20100,     // the body passed the largest page size
    kCheckDeadline = 20101,         // the check ran longer than its time
    kCheckLineTooLong = 20102,      // a reply line passed the longest line
    kCheckListingTooLarge = 20103,  // a mailbox listing passed its largest size
    kCheckHeaderTooLong = 20104,    // a head line passed what the reader holds
};

// Defaults of the options "maxpagesize" (bytes) and "checktime" (seconds).
constexpr uint64_t kDefaultMaxPageBytes = 32u << 20;
constexpr uint32_t kDefaultCheckSeconds = 300;
// The longest reply line a mail server may send (the protocol's own limit
// is 512 bytes; longer lines are cut to what the reader keeps).
constexpr long kLongestReplyLine = 64 * 1024;
// The largest unique-id listing of a mailbox, in bytes.
constexpr long kLargestListing = 16L << 20;
