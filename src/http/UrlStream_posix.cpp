// The network buffers over libcurl transfers.
#include <string>

#include "platform/Files.h"
#include "http/CurlTransfer.h"
#include "http/UrlStream.h"

namespace {

CurlTransfer* Transfer(InternetHandle h) {
    return static_cast<CurlTransfer*>(h);
}

long Failed(uint32_t error, uint32_t* lastError) {
    *lastError = error;
    platform::SetLastError(error);
    return -1;
}

}  // namespace

nwstreambuf::~nwstreambuf() {
    delete Transfer(handle_);
}

long nwstreambuf::Read(void* bytes, long count) {
    if (!handle_ || !readable_) return Failed(platform::kErrInvalidHandle, &lastError_);
    long n = Transfer(handle_)->Read(bytes, count);
    return n < 0 ? Failed(Transfer(handle_)->Error(), &lastError_) : n;
}

// Requests here only download.
long nwstreambuf::Write(const void*, long) {
    return Failed(kErrInternetIncorrectHandleType, &lastError_);
}

// Nothing is cached, so there is nowhere to move to.
long nwstreambuf::Seek(long, int) {
    return Failed(kErrInternetIncorrectHandleType, &lastError_);
}

uint32_t nwstreambuf::QueryUrl(AStr* url) {
    std::string text = Transfer(handle_)->FinalUrl();
    if (text.empty()) return kErrInternetIncorrectHandleType;
    *url = text.c_str();
    return 0;
}

bool httpwstreambuf::QueryInfo(uint32_t query, AStr* text) {
    CurlTransfer* t = Transfer(handle_);
    if (query == kHttpQueryStatusCode) {
        long status = t->Status();
        if (status <= 0) return false;
        *text = std::to_string(status).c_str();
        return true;
    }
    std::string value;
    if (query == kHttpQueryETag) {
        if (!t->Header("ETag", &value)) return false;
    } else if (query != kHttpQueryContentType || !t->ContentType(&value)) {
        return false;
    }
    *text = value.c_str();
    return true;
}

bool httpwstreambuf::QueryLastModified(uint32_t* seconds) {
    return Transfer(handle_)->LastModified(seconds);
}
