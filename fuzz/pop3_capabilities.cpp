// A POP3 server's CAPA reply from arbitrary bytes: the capability listing
// alone, then the dialogue with STLS required and when offered (the
// upgrade itself is not made).
#include <cstddef>
#include <cstdint>

#include "framework/StrList.h"
#include "socket/CommMemoryPort.h"
#include "pop3/Pop3Check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        CommMemoryPort port(data, size);
        bool stls = false;
        ReadCapabilities(port, &stls);
    }
    for (int32_t mode : {kStlsWhenOffered, kStlsRequired}) {
        CommMemoryPort port(data, size);
        StrList known;
        EMailList messages;
        Pop3Stls stls;
        stls.mode = mode;
        stls.upgrade = [] { return 0u; };
        RunPop3Dialogue(port, "user", "password", known, messages, &stls);
    }
    return 0;
}
