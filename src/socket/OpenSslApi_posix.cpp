#include "socket/OpenSslApi_posix.h"

#include "platform/SharedLibrary.h"

#define OV_TEXT(x) #x
#define OV_LIBSSL(major) "libssl.so." OV_TEXT(major)

const OpenSslApi* OpenSsl() {
    // The major version built against: the one whose structures the
    // headers describe.
    static const char* const sonames[] = {OV_LIBSSL(OPENSSL_SHLIB_VERSION), nullptr};
#define OV_OPENSSL_NAME(name) #name,
    static const char* const names[] = {OV_OPENSSL_FUNCTIONS(OV_OPENSSL_NAME)};
#undef OV_OPENSSL_NAME
    return platform::LoadSharedTableOnce<OpenSslApi>(sonames, names);
}
