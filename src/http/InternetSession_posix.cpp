// The session over libcurl: it keeps what every request needs, and each
// URL opens as a transfer of its own (CurlTransfer).
#include <time.h>

#include <cstdio>

#include "platform/Files.h"
#include "http/CurlTransfer.h"
#include "http/InternetSession.h"
#include "http/UrlCrack.h"

namespace {

CurlSettings* Settings(InternetHandle session) {
    return static_cast<CurlSettings*>(session);
}

}  // namespace

CInternetSession::CInternetSession(const char* agent, uint32_t accessType, const char* proxy,
                                   const char* bypass, uint32_t flags,
                                   const InternetTimeouts& timeouts) {
    auto* settings = new CurlSettings;
    settings->agent = agent ? agent : "";
    settings->accessType = accessType;
    settings->proxy = proxy ? proxy : "";
    timeouts_ = timeouts;
    session_ = settings;
}

CInternetSession::~CInternetSession() {
    CInternetSession::Close();
}

void CInternetSession::Close() {
    delete Settings(session_);
    session_ = nullptr;
}

void CInternetSession::InstallStatusCallback(InternetStatusSink* sink) {
    sink_ = sink;
}

void CInternetSession::RemoveStatusCallback() {
    sink_ = nullptr;
}

wstreambuf* CInternetSession::OpenNetworkUrl(const char* url, uint32_t service, uint32_t context,
                                             uint32_t flags, const char* headers,
                                             long headersLength) {
    if (!session_) {
        platform::SetLastError(platform::kErrInvalidHandle);
        return nullptr;
    }
    // What the library does not speak fails as WinInet fails it.
    if (service != kServiceHttp && service != kServiceHttps && service != kServiceFtp &&
        service != kServiceGopher) {
        platform::SetLastError(kErrInternetUnrecognizedScheme);
        return nullptr;
    }
    CurlSettings settings = *Settings(session_);
    settings.proxyUser = proxyUser_.c_str();
    settings.proxyPassword = proxyPassword_.c_str();
    settings.timeouts = timeouts_;
    auto* transfer = new CurlTransfer;
    if (sink_) sink_->OnInternetStatus(kStatusHandleCreated);
    if (!transfer->Open(settings, EscapeUnsafeBytes(url, false).c_str(), headers, headersLength,
                        (flags & kFlagReload) != 0)) {
        uint32_t error = transfer->Error();
        delete transfer;
        platform::SetLastError(error);
        return nullptr;
    }
    if (service == kServiceFtp) return new nwstreambuf(transfer, true, context);
    if (service == kServiceGopher) return new gopherwstreambuf(transfer, true, context, "");
    return new httpwstreambuf(transfer, true, context, "GET");
}

AStr FormatInternetTime(uint32_t seconds) {
    static const char kDays[7][4] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char kMonths[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    time_t t = static_cast<time_t>(seconds);
    tm parts{};
    gmtime_r(&t, &parts);
    char text[120];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDays[parts.tm_wday],
                  parts.tm_mday, kMonths[parts.tm_mon], parts.tm_year + 1900, parts.tm_hour,
                  parts.tm_min, parts.tm_sec);
    return AStr(text);
}
