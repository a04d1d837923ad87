#pragma once
// Stamping a file with a moment: its creation time (where the platform
// keeps one) and its last-write time.
#include <cstdint>

namespace platform {

// seconds: since 1970 UTC. The file is opened for writing without sharing,
// so it must exist and be closed by everyone else.
bool SetCreationAndWriteTime(const char* path, uint32_t seconds);

}  // namespace platform
