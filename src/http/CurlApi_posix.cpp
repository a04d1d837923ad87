#include "http/CurlApi_posix.h"

#include "platform/SharedLibrary.h"

const CurlApi* Curl() {
    static const char* const sonames[] = {"libcurl.so.4", "libcurl.so", nullptr};
#define OV_CURL_NAME(name) #name,
    static const char* const names[] = {OV_CURL_FUNCTIONS(OV_CURL_NAME)};
#undef OV_CURL_NAME
    return platform::LoadSharedTableOnce<CurlApi>(sonames, names);
}
