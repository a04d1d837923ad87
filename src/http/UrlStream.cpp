#include "http/UrlStream.h"

#include "platform/Files.h"
#include "http/InternetSession.h"

iurlwstream::iurlwstream(CInternetSession& session, const char* url, uint32_t context,
                         uint32_t flags, const char* headers, long headersLength)
    : ibwstream(1024), owned_(session.OpenUrl(url, context, flags, headers, headersLength)) {
    if (!owned_) {
        openError_ = platform::LastError();
        SetState(kBad);
        return;
    }
    Attach(owned_);
    if (IsError()) openError_ = static_cast<uint32_t>(owned_->LastError());
}

iurlwstream::~iurlwstream() {
    delete owned_;
}
