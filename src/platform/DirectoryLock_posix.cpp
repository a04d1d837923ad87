#include "platform/DirectoryLock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

bool DirectoryLock::Acquire(const std::string& path, uint32_t* error) {
    Release();
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (error) *error = errno == EACCES || errno == EROFS ? 5 : 3;
        return false;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        if (error) *error = kErrLockHeld;
        return false;
    }
    handle_ = fd;
    if (error) *error = 0;
    return true;
}

void DirectoryLock::Release() {
    if (handle_ == -1) return;
    flock(static_cast<int>(handle_), LOCK_UN);
    close(static_cast<int>(handle_));
    handle_ = -1;
}

}  // namespace platform
