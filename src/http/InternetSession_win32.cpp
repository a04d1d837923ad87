// The session over WinInet.
#include <windows.h>
#include <wininet.h>

#include <vector>

#include "http/InternetSession.h"
#include "http/UrlCrack.h"

// WinInet reports a status on the thread whose call caused it, and every
// download gives the same context value; so the session to tell is the
// one that the calling thread is inside.
namespace {
thread_local CInternetSession* t_session = nullptr;
}  // namespace

struct SessionCallback {
    class Scope {
      public:
        explicit Scope(CInternetSession* session) : saved_(t_session) { t_session = session; }
        ~Scope() { t_session = saved_; }

      private:
        CInternetSession* saved_;
    };

    static void CALLBACK Status(HINTERNET, DWORD_PTR, DWORD status, LPVOID info, DWORD) {
        CInternetSession* session = t_session;
        if (!session) return;
        if (status == INTERNET_STATUS_HANDLE_CREATED && info) {
            // A new handle takes the session's time-outs before it is used:
            // not every build of the library hands them down.
            auto handle =
                reinterpret_cast<HINTERNET>(static_cast<INTERNET_ASYNC_RESULT*>(info)->dwResult);
            SetTimeouts(handle, session->timeouts_);
        }
        if (session->sink_) session->sink_->OnInternetStatus(status);
    }

    static void SetTimeouts(HINTERNET h, const InternetTimeouts& t) {
        DWORD connect = t.connectMs, send = t.sendMs, receive = t.receiveMs;
        DWORD error = GetLastError();
        InternetSetOptionA(h, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
        InternetSetOptionA(h, INTERNET_OPTION_SEND_TIMEOUT, &send, sizeof send);
        InternetSetOptionA(h, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
        SetLastError(error);
    }
};

namespace {

// The server's last response text is asked for and dropped; the error
// number of the failed step stays the thread's last error.
void DiscardResponseInfo() {
    DWORD error = GetLastError(), code = 0;
    char text[1024];
    DWORD size = sizeof text;
    InternetGetLastResponseInfoA(&code, text, &size);
    SetLastError(error);
}

HINTERNET Handle(InternetHandle h) {
    return static_cast<HINTERNET>(h);
}

// Answers a proxy's 407: the waiting body is read away, the credentials
// set on the request and the request sent again.
bool AnswerProxy(HINTERNET request, const AStr& user, const AStr& password) {
    DWORD available = 0;
    if (!InternetQueryDataAvailable(request, &available, 0, 0)) return false;
    std::vector<char> sink(available ? available : 1);
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request, sink.data(), static_cast<DWORD>(sink.size()), &read))
            return false;
        if (read == 0) break;
    }
    if (!InternetSetOptionA(request, INTERNET_OPTION_PROXY_USERNAME,
                            const_cast<char*>(user.c_str()),
                            static_cast<DWORD>(user.Length() + 1)) ||
        !InternetSetOptionA(request, INTERNET_OPTION_PROXY_PASSWORD,
                            const_cast<char*>(password.c_str()),
                            static_cast<DWORD>(password.Length() + 1)))
        return false;
    if (HttpSendRequestA(request, nullptr, 0, nullptr, 0)) return true;
    // A proxy that closed its connection after the challenge can make the
    // first resend find it gone: one more try goes out on a fresh one.
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNET_CONNECTION_ABORTED && error != ERROR_INTERNET_CONNECTION_RESET)
        return false;
    return HttpSendRequestA(request, nullptr, 0, nullptr, 0) != 0;
}

uint32_t ServiceOfHandleType(DWORD type) {
    switch (type) {
        case INTERNET_HANDLE_TYPE_FTP_FILE:
            return kServiceFtp;
        case INTERNET_HANDLE_TYPE_GOPHER_FILE:
            return kServiceGopher;
        case INTERNET_HANDLE_TYPE_HTTP_REQUEST:
            return kServiceHttp;
        default:
            return kServiceUnknown;
    }
}

}  // namespace

CInternetSession::CInternetSession(const char* agent, uint32_t accessType, const char* proxy,
                                   const char* bypass, uint32_t flags,
                                   const InternetTimeouts& timeouts) {
    HINTERNET h = InternetOpenA(agent, accessType, proxy, bypass, flags);
    if (!h) {
        DiscardResponseInfo();
        return;
    }
    // WinInet's own defaults, written out on the session and on every
    // handle it makes: some builds of the library wait without limit when
    // none is set.
    timeouts_ = timeouts;
    SessionCallback::SetTimeouts(h, timeouts_);
    INTERNET_STATUS_CALLBACK previous = InternetSetStatusCallbackA(h, &SessionCallback::Status);
    previousCallback_ = reinterpret_cast<void*>(previous);
    session_ = h;
}

CInternetSession::~CInternetSession() {
    CInternetSession::Close();
}

void CInternetSession::Close() {
    if (session_) InternetCloseHandle(Handle(session_));
    session_ = nullptr;
}

// The session's own callback is on the handle from the start; a sink
// only gets its reports routed to it.
void CInternetSession::InstallStatusCallback(InternetStatusSink* sink) {
    sink_ = sink;
}

void CInternetSession::RemoveStatusCallback() {
    sink_ = nullptr;
    auto previous = reinterpret_cast<INTERNET_STATUS_CALLBACK>(previousCallback_);
    if (session_ && previous != INTERNET_INVALID_STATUS_CALLBACK)
        InternetSetStatusCallbackA(Handle(session_), previous);
    previousCallback_ = reinterpret_cast<void*>(INTERNET_INVALID_STATUS_CALLBACK);
}

wstreambuf* CInternetSession::OpenNetworkUrl(const char* url, uint32_t service, uint32_t context,
                                             uint32_t flags, const char* headers,
                                             long headersLength) {
    SessionCallback::Scope scope(this);
    HINTERNET h = session_ ? InternetOpenUrlA(Handle(session_), url, headers,
                                              static_cast<DWORD>(headersLength), flags, context)
                           : nullptr;
    if (!h) {
        if (!session_) SetLastError(ERROR_INVALID_HANDLE);
        DiscardResponseInfo();
        return nullptr;
    }
    DWORD type = 0, size = sizeof type;
    bool typeKnown = InternetQueryOptionA(h, INTERNET_OPTION_HANDLE_TYPE, &type, &size) != 0;
    if (typeKnown &&
        (type == INTERNET_HANDLE_TYPE_HTTP_REQUEST || type == INTERNET_HANDLE_TYPE_CONNECT_HTTP)) {
        DWORD status = 0;
        size = sizeof status;
        bool ok =
            HttpQueryInfoA(h, HTTP_QUERY_FLAG_NUMBER | HTTP_QUERY_STATUS_CODE, &status, &size,
                           nullptr) &&
            (status != HTTP_STATUS_PROXY_AUTH_REQ || AnswerProxy(h, proxyUser_, proxyPassword_));
        if (!ok) {
            DWORD error = GetLastError();
            InternetCloseHandle(h);
            SetLastError(error);
            return nullptr;
        }
    }
    if (!service) service = typeKnown ? ServiceOfHandleType(type) : kServiceUnknown;
    if (service == kServiceFtp || type == INTERNET_HANDLE_TYPE_FTP_FILE)
        return new nwstreambuf(h, true, context);
    if (service == kServiceGopher || type == INTERNET_HANDLE_TYPE_GOPHER_FILE)
        return new gopherwstreambuf(h, true, context, "");
    if (service == kServiceHttp || service == kServiceHttps ||
        type == INTERNET_HANDLE_TYPE_HTTP_REQUEST)
        return new httpwstreambuf(h, true, context, "GET");
    InternetCloseHandle(h);
    SetLastError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    return nullptr;
}

AStr FormatInternetTime(uint32_t seconds) {
    uint64_t v = (static_cast<uint64_t>(seconds) + 11644473600ULL) * 10000000ULL;
    FILETIME ft{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)};
    SYSTEMTIME st;
    char text[120] = "";
    if (!FileTimeToSystemTime(&ft, &st) ||
        !InternetTimeFromSystemTimeA(&st, INTERNET_RFC1123_FORMAT, text, sizeof text))
        return AStr();
    return AStr(text);
}
