#include "platform/SharedLibrary.h"

#include <dlfcn.h>

namespace platform {

bool LoadSharedFunctions(const char* const* sonames, const char* const* names, void** slots,
                         size_t count) {
    for (const char* const* soname = sonames; *soname; ++soname) {
        void* library = dlopen(*soname, RTLD_NOW | RTLD_LOCAL);
        if (!library) continue;
        size_t found = 0;
        while (found < count && (slots[found] = dlsym(library, names[found])) != nullptr) ++found;
        if (found == count) return true;
        dlclose(library);
    }
    for (size_t i = 0; i < count; ++i) slots[i] = nullptr;
    return false;
}

}  // namespace platform
