#include "http/DownloadThread.h"

#include <cstdlib>
#include <cstring>

#include "platform/Clock.h"
#include "platform/FileTimes.h"
#include "platform/Files.h"
#include "http/UrlCrack.h"
#include "stream/FileStream.h"
#include "http/UrlStream.h"

namespace {

constexpr long kChunk = 1024;
// A stored copy must be larger than this to make the request conditional.
constexpr long long kSmallestStoredCopy = 10;
// A Last-Modified time up to this much after the stored copy's time still
// means the page has not changed.
constexpr uint32_t kSameTimeSlackSeconds = 2;
constexpr uint32_t kStartWaitMs = 100;

uint32_t AccessTypeOf(const ProxySettings& proxy) {
    return proxy.on ? kOpenTypeProxy : kOpenTypePreconfig;
}

AStr ProxyOf(const ProxySettings& proxy) {
    AStr text;
    if (!proxy.on) return text;
    text = proxy.host;
    if (proxy.port) text += AStr::Format(":%u", proxy.port);
    return text;
}

// The request's own limits: the body may pass the largest page by one byte,
// so that the copy loop sees it and says why it stops.
InternetTimeouts RequestLimits(const DownloadSettings& s) {
    InternetTimeouts t = s.timeouts;
    if (s.checkMs && (!t.overallMs || s.checkMs < t.overallMs)) t.overallMs = s.checkMs;
    if (s.maxPageBytes) t.maxBodyBytes = s.maxPageBytes + 1;
    return t;
}

}  // namespace

DownloadThread::DownloadThread(std::shared_ptr<platform::ReportTarget> notify, const char* url,
                               std::string targetFile, std::string storedCopy, const char* agent,
                               uint32_t progressIntervalMs, const DownloadSettings& settings)
    : Thread(std::move(notify)),
      CInternetSession(agent, AccessTypeOf(settings.proxy),
                       settings.proxy.on ? ProxyOf(settings.proxy).c_str() : nullptr, nullptr, 0,
                       RequestLimits(settings)),
      url_(url),
      targetFile_(std::move(targetFile)),
      storedCopy_(std::move(storedCopy)),
      progressIntervalMs_(progressIntervalMs),
      charsetOf_(settings.charsetOf),
      mailboxCheck_(settings.mailboxCheck),
      mailSecurity_(settings.mail),
      maxPageBytes_(settings.maxPageBytes),
      checkMs_(settings.checkMs),
      startTick_(platform::TickCount()) {
    if (settings.proxy.on)
        SetProxyCredentials(settings.proxy.user.c_str(), settings.proxy.password.c_str());
    InstallStatusCallback(this);
}

DownloadThread::~DownloadThread() {
    DownloadThread::Close();
}

void DownloadThread::Close() {
    RemoveStatusCallback();
    CInternetSession::Close();
}

void DownloadThread::OnInternetStatus(uint32_t status) {
    if (status == kStatusHandleCreated) handleCreated_.Set();
}

bool DownloadThread::Start(int priority) {
    if (!Thread::Start()) return false;
    uint32_t start = platform::TickCount();
    while (!handleCreated_.IsSet() && IsRunning() && platform::TickCount() - start < kStartWaitMs)
        platform::SleepMs(1);
    SetPriority(priority);
    return true;
}

bool DownloadThread::DeadlinePassed() const {
    return checkMs_ && platform::TickCount() - startTick_ >= checkMs_;
}

int32_t DownloadThread::Run() {
    startTick_ = platform::TickCount();
    int32_t result;
    if (std::strncmp(url_.c_str(), "mailto:", 7) == 0) {
        result = mailboxCheck_ ? mailboxCheck_(*this)
                               : static_cast<int32_t>(kErrInternetUnrecognizedScheme);
        PostEnd(kDownloadThreadKind);
        return result;
    }
    return RunHttp();
}

int32_t DownloadThread::RunHttp() {
    httpStatus_ = 0;
    AStr headers;
    if (!storedCopy_.empty() && platform::FileSize(storedCopy_.c_str()) > kSmallestStoredCopy &&
        platform::GetWriteTime(storedCopy_.c_str(), &storedCopyTime_)) {
        headers = "If-Modified-Since: ";
        headers += FormatInternetTime(storedCopyTime_);
        headers += "\r\n";
        if (!etag_.IsEmpty() && !std::strpbrk(etag_.c_str(), "\r\n")) {
            headers += "If-None-Match: ";
            headers += etag_;
            headers += "\r\n";
        }
    } else {
        storedCopy_.clear();
    }
    etag_.Clear();
    iurlwstream in(*this, url_.c_str(), 1, kFlagReload | kFlagTransferBinary, headers.c_str(),
                   static_cast<long>(headers.Length()));
    int32_t result = Fetch(in);
    PostEnd(kDownloadThreadKind);
    return result;  // the stream (and the request) goes after the message
}

int32_t DownloadThread::Fetch(iurlwstream& in) {
    int32_t result = 0;
    if (in.IsError()) {
        result = static_cast<int32_t>(in.OpenError());
    } else {
        if (auto* net = dynamic_cast<nwstreambuf*>(in.Buffer())) {
            AStr finalUrl;
            if (net->QueryUrl(&finalUrl) == 0)
                url_ = finalUrl;
            else
                url_.Clear();
        }
        bool haveLastModified = false;
        bool sameTime = false;
        uint32_t lastModified = 0;
        if (auto* http = dynamic_cast<httpwstreambuf*>(in.Buffer())) {
            AStr text;
            if (http->QueryInfo(kHttpQueryStatusCode, &text))
                httpStatus_ = static_cast<uint32_t>(std::strtoul(text.c_str(), nullptr, 10));
            if (httpStatus_ == 304) return Settled(0);
            if (httpStatus_ >= 400) return Settled(kDownloadHttpError);
            if (http->QueryInfo(kHttpQueryContentType, &contentType_) && !contentType_.IsEmpty() &&
                charsetOf_)
                charset_ = charsetOf_(contentType_.c_str());
            if (!http->QueryInfo(kHttpQueryETag, &etag_)) etag_.Clear();
            haveLastModified = http->QueryLastModified(&lastModified);
            // The server may send the whole page although it has not
            // changed since the stored copy: a Last-Modified time within two
            // seconds of the copy's. A page that changed within those two
            // seconds shows it in its length; only one of the same length
            // is taken as unchanged.
            sameTime = httpStatus_ == 200 && haveLastModified && !storedCopy_.empty() &&
                       storedCopyTime_ + kSameTimeSlackSeconds >= lastModified;
        }
        bool final = false;
        uint32_t bytes = 0;
        result = SaveBody(in, haveLastModified, lastModified, &final, &bytes);
        if (result == 0 && sameTime &&
            platform::FileSize(storedCopy_.c_str()) == static_cast<long long>(bytes)) {
            httpStatus_ = 304;
            return Settled(0);
        }
        if (final) return result;
    }
    return Settled(result);
}

int32_t DownloadThread::Settled(int32_t result) {
    return IsAbortRequested() ? kDownloadCancelled : result;
}

int32_t DownloadThread::SaveBody(iurlwstream& in, bool haveLastModified, uint32_t lastModified,
                                 bool* final, uint32_t* copied) {
    ofwstream out(targetFile_.c_str());
    if (out.OpenError()) return static_cast<int32_t>(out.OpenError());
    int32_t result = 0;
    uint32_t& bytes = *copied;
    CopyEnd end = CopyBody(in, out, &result, &bytes);
    *final = end == CopyEnd::kAborted;
    if (end != CopyEnd::kComplete) return result;
    if (bytes == 0) return kDownloadEmpty;
    if (!out.Close()) return static_cast<int32_t>(platform::LastError());
    if (haveLastModified) platform::SetCreationAndWriteTime(targetFile_.c_str(), lastModified);
    *final = true;
    return 0;
}

DownloadThread::CopyEnd DownloadThread::CopyBody(iurlwstream& in, ofwstream& out, int32_t* result,
                                                 uint32_t* bytes) {
    *result = 0;
    *bytes = 0;
    CopyEnd end = CopyEnd::kComplete;
    char chunk[kChunk];
    if (IsAbortRequested()) end = CopyEnd::kAborted;
    while (end == CopyEnd::kComplete) {
        long n = in.Read(chunk, kChunk);
        if (in.IsError()) {
            *result = static_cast<int32_t>(platform::LastError());
            end = IsAbortRequested() ? CopyEnd::kAborted : CopyEnd::kReadFailed;
            break;
        }
        if (n <= 0) break;
        ReportProgress(static_cast<uint32_t>(n));
        if (maxPageBytes_ && *bytes + static_cast<uint64_t>(n) > maxPageBytes_) {
            *result = kCheckPageTooLarge;
            end = CopyEnd::kReadFailed;
            break;
        }
        if (DeadlinePassed()) {
            *result = kCheckDeadline;
            end = CopyEnd::kReadFailed;
            break;
        }
        long written = out.Write(chunk, n);
        if (out.IsError()) {
            *result = static_cast<int32_t>(platform::LastError());
            end = IsAbortRequested() ? CopyEnd::kAborted : CopyEnd::kWriteFailed;
            break;
        }
        if (written < n) {
            *result = kDownloadShortWrite;
            end = CopyEnd::kWriteFailed;
            break;
        }
        *bytes += static_cast<uint32_t>(n);
        if (IsAbortRequested()) end = CopyEnd::kAborted;
    }
    ReportProgress(0);
    if (end == CopyEnd::kAborted) *result = kDownloadCancelled;
    return end;
}

void DownloadThread::ReportProgress(uint32_t bytes) {
    if (!progressIntervalMs_) return;
    uint32_t now = platform::TickCount();
    bool due = static_cast<int32_t>(now - nextProgressTick_) > 0;
    unreportedBytes_ += bytes;
    if (!due && bytes) return;
    if (unreportedBytes_) PostReport(platform::Report::kBytesRead, unreportedBytes_);
    unreportedBytes_ = 0;
    nextProgressTick_ = now + progressIntervalMs_;
}
