// Program resources on the portable build: no modules, only the built-in
// English string table.
#include "platform/Resources.h"

#include <algorithm>
#include <iterator>

namespace platform {

bool LoadModuleResource(void*, const char*, const char*, const void** data, size_t* size) {
    *data = nullptr;
    *size = 0;
    return false;
}

namespace {

struct BuiltIn {
    unsigned id;
    const char* text;
};

// Sorted by identifier.
const BuiltIn kEnglishTexts[] = {
#include "EnglishTexts.inc"
};

char module;  // its address is the handle

}  // namespace

void* BuiltInTextModule() {
    return &module;
}

const char* BuiltInText(unsigned id) {
    const BuiltIn* end = std::end(kEnglishTexts);
    const BuiltIn* at = std::lower_bound(std::begin(kEnglishTexts), end, id,
                                         [](const BuiltIn& t, unsigned key) { return t.id < key; });
    return at != end && at->id == id ? at->text : nullptr;
}

}  // namespace platform
