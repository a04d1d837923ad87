// A mailbox's stored copy from arbitrary bytes: the ids already seen.
#include <cstddef>
#include <cstdint>

#include "framework/StrList.h"
#include "pop3/MailboxRecords.h"
#include "stream/MemStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    imwstream in(data, static_cast<long>(size));
    StrList ids;
    ReadKnownIds(in, ids);
    return 0;
}
