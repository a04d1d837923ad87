#include "http/CurlTransfer.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "http/CurlApi_posix.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "socket/CheckLimits.h"
#include "http/UrlCrack.h"

namespace {

// libcurl stops handing over body bytes when this many wait unread.
constexpr size_t kPendingLimit = 64 * 1024;
constexpr int kPollSliceMs = 100;

CURL* Easy(void* p) {
    return static_cast<CURL*>(p);
}
CURLM* Multi(void* p) {
    return static_cast<CURLM*>(p);
}

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { Curl()->curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// libcurl's failures as the WinInet numbers the rest of the system knows.
uint32_t ErrorOf(CURLcode code) {
    switch (code) {
        case CURLE_OK:
            return 0;
        case CURLE_UNSUPPORTED_PROTOCOL:
            return kErrInternetUnrecognizedScheme;
        case CURLE_URL_MALFORMAT:
            return kErrInternetInvalidUrl;
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_RESOLVE_HOST:
            return kErrInternetNameNotResolved;
        case CURLE_COULDNT_CONNECT:
            return kErrInternetCannotConnect;
        case CURLE_OPERATION_TIMEDOUT:
            return kErrInternetTimeout;
        case CURLE_OUT_OF_MEMORY:
            return platform::kErrNotEnoughMemory;
        case CURLE_TOO_MANY_REDIRECTS:
            return kErrHttpRedirectFailed;
        case CURLE_ABORTED_BY_CALLBACK:
            return kErrInternetOperationCancelled;
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_GOT_NOTHING:
            return kErrInternetInvalidServerResponse;
        case CURLE_SEND_ERROR:
            return kErrInternetConnectionReset;
        case CURLE_PARTIAL_FILE:
        case CURLE_RECV_ERROR:
            return kErrInternetConnectionAborted;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
            return kErrInternetSecureFailure;
        default:
            return kErrInternetInternal;
    }
}

}  // namespace

CurlTransfer::CurlTransfer() {
    if (!Curl()) return;  // every request fails as one that could not be made
    GlobalInit();
    multi_ = Curl()->curl_multi_init();
    easy_ = Curl()->curl_easy_init();
}

CurlTransfer::~CurlTransfer() {
    if (!Curl()) return;
    if (multi_ && easy_) Curl()->curl_multi_remove_handle(Multi(multi_), Easy(easy_));
    if (easy_) Curl()->curl_easy_cleanup(Easy(easy_));
    if (multi_) Curl()->curl_multi_cleanup(Multi(multi_));
    Curl()->curl_slist_free_all(static_cast<curl_slist*>(headerList_));
}

bool CurlTransfer::Failed(uint32_t error) {
    error_ = error;
    done_ = true;
    platform::SetLastError(error);
    return false;
}

uint32_t CurlTransfer::ErrorOfResult(int code) const {
    if (limitError_) return limitError_;
    if (code == CURLE_FILESIZE_EXCEEDED) return kCheckPageTooLarge;
    // A head line longer than libcurl holds is refused as "out of memory"
    // or a receive error naming the header.
    bool headerNamed = std::strstr(errorText_, "header") != nullptr;
    if (bodyBytes_ == 0 &&
        (code == CURLE_OUT_OF_MEMORY || (code == CURLE_RECV_ERROR && headerNamed)))
        return kCheckHeaderTooLong;
    return ErrorOf(static_cast<CURLcode>(code));
}

size_t CurlTransfer::OnBody(char* data, size_t size, size_t count, void* self) {
    auto* t = static_cast<CurlTransfer*>(self);
    if (t->maxBody_ && t->bodyBytes_ + size * count > t->maxBody_) {
        t->limitError_ = kCheckPageTooLarge;
        return 0;  // libcurl ends the transfer
    }
    if (t->pending_.size() - t->pendingAt_ >= kPendingLimit) {
        t->paused_ = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    if (t->pendingAt_ == t->pending_.size()) {
        t->pending_.clear();
        t->pendingAt_ = 0;
    }
    t->pending_.append(data, size * count);
    t->bodyBytes_ += size * count;
    t->lastActivity_ = platform::TickCount();
    return size * count;
}

size_t CurlTransfer::OnHeader(char*, size_t size, size_t count, void* self) {
    static_cast<CurlTransfer*>(self)->lastActivity_ = platform::TickCount();
    return size * count;
}

bool CurlTransfer::Open(const CurlSettings& settings, const char* url, const char* headers,
                        long headersLength, bool reload) {
    if (!multi_ || !easy_) return Failed(platform::kErrNotEnoughMemory);
    CURL* e = Easy(easy_);
    curl_slist* list = nullptr;
    std::string extra(headers ? headers : "",
                      headers && headersLength > 0 ? static_cast<size_t>(headersLength) : 0);
    for (size_t at = 0; at < extra.size();) {
        size_t end = extra.find("\r\n", at);
        if (end == std::string::npos) end = extra.size();
        if (end > at) list = Curl()->curl_slist_append(list, extra.substr(at, end - at).c_str());
        at = end + 2;
    }
    if (reload) {
        list = Curl()->curl_slist_append(list, "Pragma: no-cache");
        list = Curl()->curl_slist_append(list, "Cache-Control: no-cache");
    }
    headerList_ = list;
    Curl()->curl_easy_setopt(e, CURLOPT_URL, url);
    Curl()->curl_easy_setopt(e, CURLOPT_USERAGENT, settings.agent.c_str());
    Curl()->curl_easy_setopt(e, CURLOPT_HTTPHEADER, list);
    Curl()->curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    Curl()->curl_easy_setopt(e, CURLOPT_MAXREDIRS, 30L);
    Curl()->curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    Curl()->curl_easy_setopt(e, CURLOPT_FILETIME, 1L);
    Curl()->curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    Curl()->curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS,
                             static_cast<long>(settings.timeouts.connectMs));
    Curl()->curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &CurlTransfer::OnBody);
    Curl()->curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
    Curl()->curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &CurlTransfer::OnHeader);
    Curl()->curl_easy_setopt(e, CURLOPT_HEADERDATA, this);
    if (settings.accessType == kOpenTypeProxy)
        Curl()->curl_easy_setopt(e, CURLOPT_PROXY, settings.proxy.c_str());
    if (settings.accessType == kOpenTypeDirect) Curl()->curl_easy_setopt(e, CURLOPT_PROXY, "");
    if (!settings.proxyUser.empty()) {
        // The first request goes without credentials; a 407 is answered
        // with them, in whatever scheme the proxy asks for.
        Curl()->curl_easy_setopt(e, CURLOPT_PROXYUSERNAME, settings.proxyUser.c_str());
        Curl()->curl_easy_setopt(e, CURLOPT_PROXYPASSWORD, settings.proxyPassword.c_str());
        Curl()->curl_easy_setopt(e, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_ANY));
    }
    Curl()->curl_easy_setopt(e, CURLOPT_ERRORBUFFER, errorText_);
    if (settings.timeouts.maxBodyBytes)
        Curl()->curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE,
                                 static_cast<curl_off_t>(settings.timeouts.maxBodyBytes));
    receiveMs_ = settings.timeouts.receiveMs;
    overallMs_ = settings.timeouts.overallMs;
    maxBody_ = settings.timeouts.maxBodyBytes;
    openTick_ = platform::TickCount();
    if (Curl()->curl_multi_add_handle(Multi(multi_), e) != CURLM_OK)
        return Failed(kErrInternetInternal);
    // The head is in when the first body bytes are, or when the transfer
    // has ended (an empty body).
    return WaitForBody();
}

bool CurlTransfer::WaitForBody() {
    if (!multi_ || !easy_) return Failed(kErrInternetInternal);
    uint32_t waitStart = platform::TickCount();
    while (pendingAt_ == pending_.size() && !done_) {
        if (paused_) {
            // The reader has caught up: libcurl hands over what it held back.
            paused_ = false;
            Curl()->curl_easy_pause(Easy(easy_), CURLPAUSE_CONT);
            continue;
        }
        int running = 0;
        if (Curl()->curl_multi_perform(Multi(multi_), &running) != CURLM_OK)
            return Failed(kErrInternetInternal);
        int left = 0;
        while (CURLMsg* msg = Curl()->curl_multi_info_read(Multi(multi_), &left)) {
            if (msg->msg != CURLMSG_DONE) continue;
            done_ = true;
            if (msg->data.result != CURLE_OK) return Failed(ErrorOfResult(msg->data.result));
        }
        if (done_ || pendingAt_ < pending_.size()) break;
        // Connecting has its own limit (libcurl's); after that the server
        // must send something within the receive time-out.
        uint32_t now = platform::TickCount();
        if (!connected_) {
            curl_off_t connectTime = 0;
            Curl()->curl_easy_getinfo(Easy(easy_), CURLINFO_CONNECT_TIME_T, &connectTime);
            connected_ = connectTime > 0;
            if (connected_) lastActivity_ = now;
        }
        uint32_t quietSince =
            static_cast<int32_t>(lastActivity_ - waitStart) > 0 ? lastActivity_ : waitStart;
        if (connected_ && now - quietSince >= receiveMs_) return Failed(kErrInternetTimeout);
        if (overallMs_ && now - openTick_ >= overallMs_) return Failed(kCheckDeadline);
        Curl()->curl_multi_poll(Multi(multi_), nullptr, 0, kPollSliceMs, nullptr);
    }
    return true;
}

long CurlTransfer::Read(void* bytes, long count) {
    WaitForBody();
    size_t n = std::min(pending_.size() - pendingAt_, static_cast<size_t>(count));
    if (n == 0 && error_) {
        platform::SetLastError(error_);
        return -1;
    }
    std::memcpy(bytes, pending_.data() + pendingAt_, n);
    pendingAt_ += n;
    return static_cast<long>(n);
}

long CurlTransfer::Status() {
    if (!easy_) return 0;
    long status = 0;
    Curl()->curl_easy_getinfo(Easy(easy_), CURLINFO_RESPONSE_CODE, &status);
    return status;
}

bool CurlTransfer::ContentType(std::string* text) {
    if (!easy_) return false;
    const char* type = nullptr;
    if (Curl()->curl_easy_getinfo(Easy(easy_), CURLINFO_CONTENT_TYPE, &type) != CURLE_OK || !type)
        return false;
    *text = type;
    return true;
}

bool CurlTransfer::LastModified(uint32_t* seconds) {
    if (!easy_) return false;
    curl_off_t time = -1;
    if (Curl()->curl_easy_getinfo(Easy(easy_), CURLINFO_FILETIME_T, &time) != CURLE_OK || time < 0)
        return false;
    *seconds = static_cast<uint32_t>(time);
    return true;
}

bool CurlTransfer::Header(const char* name, std::string* value) {
    if (!easy_) return false;
    curl_header* h = nullptr;
    if (Curl()->curl_easy_header(Easy(easy_), name, 0, CURLH_HEADER, -1, &h) != CURLHE_OK || !h ||
        !h->value)
        return false;
    *value = h->value;
    return true;
}

std::string CurlTransfer::FinalUrl() {
    if (!easy_) return "";
    const char* url = nullptr;
    Curl()->curl_easy_getinfo(Easy(easy_), CURLINFO_EFFECTIVE_URL, &url);
    return url ? url : "";
}
