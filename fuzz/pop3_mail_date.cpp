// Date headers from arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "pop3/MailDate.h"
#include "pop3/MailboxRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    MailTime t;
    ParseMailDate(text.c_str(), &t);
    MailDateText(text.c_str(), 1049);
    return 0;
}
