#include "platform/Resources.h"

namespace platform {

bool LoadModuleResource(void*, const char*, const char*, const void** data, size_t* size) {
    *data = nullptr;
    *size = 0;
    return false;
}

}  // namespace platform
