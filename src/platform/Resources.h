#pragma once
// Program resources of a loaded module (Windows). The portable build has no
// modules: the look-up finds nothing there; it has the built-in texts below.
#include <cstddef>

namespace platform {

// Finds, loads and locks a resource; false when the module has none such.
// `name` and `type` may be integer identifiers made with ResourceId.
bool LoadModuleResource(void* module, const char* name, const char* type, const void** data,
                        size_t* size);
inline const char* ResourceId(unsigned id) {
    return reinterpret_cast<const char*>(static_cast<size_t>(id));
}

// The language module built into the program: on the portable build the
// English module's string table (generated from lang/enu.rc), on Windows
// none (null). A handle for Lang's SetModule.
void* BuiltInTextModule();
// Text `id` of the built-in module; null when it has none.
const char* BuiltInText(unsigned id);

}  // namespace platform
