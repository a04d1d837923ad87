#include "platform/FileTimes.h"

#include "platform/Files.h"

namespace platform {

// No creation time here: the write time is all there is to set.
bool SetCreationAndWriteTime(const char* path, uint32_t seconds) {
    return SetWriteTime(path, seconds);
}

}  // namespace platform
