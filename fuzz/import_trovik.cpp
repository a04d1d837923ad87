// The sibling tool's tree file from arbitrary bytes: nothing taken from a
// bad file, no entry left without address and children.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "import/SourceReaders.h"
#include "stream/MemStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    imwstream in(data, static_cast<long>(size));
    ImportNode into;
    if (!ReadTrovikTree(in, into, ItemProperties()) && into.HasChildren()) std::abort();
    for (const ImportNode* e = into.FirstEntry(); e; e = e->NextInTree(&into))
        if (e->properties.address.IsEmpty() && !e->HasChildren()) std::abort();
    return 0;
}
