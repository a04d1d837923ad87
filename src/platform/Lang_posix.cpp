// The portable build has no language modules; error texts come from the C
// library's messages for the Windows-numbered codes it knows.
#include <errno.h>

#include <cstdio>
#include <cstring>

#include "platform/Lang.h"

namespace platform {
namespace {

struct CodeToErrno {
    uint32_t code;
    int error;
};

// Windows error numbers (files, sockets) with their POSIX counterparts.
const CodeToErrno kErrnoOfCode[] = {
    {2, ENOENT},
    {3, ENOENT},
    {4, EMFILE},
    {5, EACCES},
    {6, EBADF},
    {8, ENOMEM},
    {14, ENOMEM},
    {19, EROFS},
    {32, EBUSY},
    {33, EBUSY},
    {80, EEXIST},
    {87, EINVAL},
    {112, ENOSPC},
    {145, ENOTEMPTY},
    {183, EEXIST},
    {206, ENAMETOOLONG},
    {1223, ECANCELED},
    {10004, EINTR},
    {10013, EACCES},
    {10014, EFAULT},
    {10022, EINVAL},
    {10024, EMFILE},
    {10035, EWOULDBLOCK},
    {10036, EINPROGRESS},
    {10037, EALREADY},
    {10038, ENOTSOCK},
    {10039, EDESTADDRREQ},
    {10040, EMSGSIZE},
    {10041, EPROTOTYPE},
    {10042, ENOPROTOOPT},
    {10043, EPROTONOSUPPORT},
    {10045, EOPNOTSUPP},
    {10047, EAFNOSUPPORT},
    {10048, EADDRINUSE},
    {10049, EADDRNOTAVAIL},
    {10050, ENETDOWN},
    {10051, ENETUNREACH},
    {10052, ENETRESET},
    {10053, ECONNABORTED},
    {10054, ECONNRESET},
    {10055, ENOBUFS},
    {10056, EISCONN},
    {10057, ENOTCONN},
    {10058, ESHUTDOWN},
    {10060, ETIMEDOUT},
    {10061, ECONNREFUSED},
    {10064, EHOSTDOWN},
    {10065, EHOSTUNREACH},
};

}  // namespace

void* LoadLibraryFile(const char*) {
    return nullptr;
}
void FreeLibraryModule(void*) {}
void* LoadModuleMenu(void*, unsigned) {
    return nullptr;
}

bool SystemErrorText(uint32_t code, char* buffer, size_t size) {
    if (size == 0) return false;
    for (const CodeToErrno& e : kErrnoOfCode) {
        if (e.code != code) continue;
        std::snprintf(buffer, size, "%s", std::strerror(e.error));
        return buffer[0] != '\0';
    }
    return false;
}

}  // namespace platform
