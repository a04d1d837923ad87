#include "platform/Resources.h"

#include <windows.h>

namespace platform {

bool LoadModuleResource(void* module, const char* name, const char* type, const void** data,
                        size_t* size) {
    *data = nullptr;
    *size = 0;
    HMODULE m = static_cast<HMODULE>(module);
    HRSRC info = FindResourceA(m, name, type);
    if (!info) return false;
    HGLOBAL loaded = LoadResource(m, info);
    if (!loaded) return false;
    *data = LockResource(loaded);
    *size = SizeofResource(m, info);
    return *data != nullptr;
}

// Windows texts come from the language modules only.
void* BuiltInTextModule() {
    return nullptr;
}
const char* BuiltInText(unsigned) {
    return nullptr;
}

}  // namespace platform
