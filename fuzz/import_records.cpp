// The import dialog's own stream (a paste or a drop) from arbitrary bytes:
// all or nothing, and what is taken writes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "import/ImportRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ImportNode into;
    size_t n = ReadImportRecords(data, size, into);
    if (n != into.Count()) std::abort();
    return 0;
}
