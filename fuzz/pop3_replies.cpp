// A POP3 server's replies from arbitrary bytes: the header iterators alone,
// then the whole dialogue with everything it decodes and the records it
// writes.
#include <cstddef>
#include <cstdint>

#include "framework/StrList.h"
#include "socket/CommMemoryPort.h"
#include "pop3/MailHeaders.h"
#include "pop3/MailboxRecords.h"
#include "pop3/Pop3Check.h"
#include "stream/MemStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        CommMemoryPort port(data, size);
        POP3HeaderLineIterator headers(&port);
        while (headers.Next()) {
        }
    }
    {
        CommMemoryPort port(data, size);
        HTTPHeaderLineIterator headers(&port);
        while (headers.Next()) {
        }
    }
    CommMemoryPort port(data, size);
    StrList known;
    known.Add("1");
    EMailList messages;
    RunPop3Dialogue(port, "user", "password", known, messages);
    omwstream records;
    WriteMailboxRecords(records, messages, 1033);
    return 0;
}
