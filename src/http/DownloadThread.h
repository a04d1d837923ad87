#pragma once
// DownloadThread: fetches one URL into one local file on a worker thread,
// with a conditional request against the copy kept from the previous
// check, and reports to the host that started it: "bytes read" while the
// body arrives, then "thread end" with kind 1. A "mailto:" address is a
// mailbox; the mailbox check given in the settings runs in its place.
#include <cstdint>
#include <memory>
#include <string>

#include "framework/AStr.h"
#include "platform/Sync.h"
#include "platform/Thread.h"
#include "socket/CheckLimits.h"
#include "http/InternetSession.h"

class DownloadNode;
class DownloadThread;
class iurlwstream;
class ofwstream;

// The program's proxy options, as the caller reads them from its settings.
struct ProxySettings {
    bool on = false;
    AStr host;
    uint32_t port = 0;  // 0: none written
    AStr user;
    AStr password;
};

// The character-set code (0 unknown) of a Content-Type header's text.
using CharsetParser = int32_t (*)(const char* contentType);
// The mailbox check: runs on the worker thread with the thread's URL,
// target file and stored copy, and returns the run's result code. The
// thread posts the end message after it.
using MailboxCheck = int32_t (*)(DownloadThread& thread);

// The program's options for the security of mailbox connections.
struct MailSecuritySettings {
    int32_t stls = 1;   // 0 never, 1 when offered, 2 required (kStls...)
    AStr trustedCerts;  // "host:fingerprint" pairs accepted explicitly
};

struct DownloadSettings {
    ProxySettings proxy;
    MailSecuritySettings mail;
    CharsetParser charsetOf = nullptr;    // none: the charset code stays 0
    MailboxCheck mailboxCheck = nullptr;  // none: a mailbox fails as an unknown scheme
    InternetTimeouts timeouts;
    uint64_t maxPageBytes = kDefaultMaxPageBytes;    // 0: no limit
    uint32_t checkMs = kDefaultCheckSeconds * 1000;  // the whole check; 0: no limit
};

// Result codes of a run besides 0 and the platform's error numbers.
enum : int32_t {
    kDownloadHttpError = -1,  // status 400 or more
    kDownloadEmpty = -2,      // the body was empty
    kDownloadShortWrite = 112,
    kDownloadCancelled = 1223,
};

constexpr const char* kUserAgent = "Orvex Vistomer 2.2";
constexpr uint32_t kProgressIntervalMs = 10;
// The end message's kind for downloads and mailbox checks.
constexpr uintptr_t kDownloadThreadKind = 1;

class DownloadThread : public platform::Thread,
                       public CInternetSession,
                       private InternetStatusSink {
  public:
    DownloadThread(std::shared_ptr<platform::ReportTarget> notify, const char* url,
                   std::string targetFile, std::string storedCopy, const char* agent,
                   uint32_t progressIntervalMs, const DownloadSettings& settings);
    ~DownloadThread() override;

    // Starts the thread, waits at most 100 ms for its request to exist (or
    // for the run to end), then sets the priority. False when the thread
    // could not be made (the platform's last error tells why).
    bool Start(int priority);
    int32_t Run() override;
    void Close() override;

    // Read by the host after the end message (and GetResult).
    const AStr& Url() const { return url_; }  // the final URL after redirections
    const std::string& TargetFile() const { return targetFile_; }
    const std::string& StoredCopy() const { return storedCopy_; }
    uint32_t HttpStatus() const { return httpStatus_; }
    int32_t CharsetCode() const { return charset_; }
    // The raw Content-Type header, for hosts that read the charset themselves.
    const AStr& ContentType() const { return contentType_; }
    // The entity tag of the stored copy, sent as If-None-Match; set before
    // Start. After the run: the tag the server gave the page, if any.
    void SetStoredETag(const char* tag) { etag_ = tag; }
    const AStr& ETag() const { return etag_; }
    // A server's own words about a failure (a mail server's refusal), set by
    // the mailbox check; empty when it gave none.
    void SetServerReply(const char* reply) { serverReply_ = reply; }
    const AStr& ServerReply() const { return serverReply_; }
    DownloadNode* Owner() const { return owner_; }
    // The limits of this check: the largest page, the time of the whole
    // check (0: none), and the tick at which the run began.
    uint64_t MaxPageBytes() const { return maxPageBytes_; }
    uint32_t CheckMs() const { return checkMs_; }
    uint32_t StartTick() const { return startTick_; }
    // The check has run longer than its time.
    bool DeadlinePassed() const;
    void SetOwner(DownloadNode* owner) { owner_ = owner; }

    // For the mailbox check: reports bytes as progress (0 flushes).
    void ReportProgress(uint32_t bytes);
    const MailSecuritySettings& MailSecurity() const { return mailSecurity_; }
    // The security the mailbox connection had (kMail...; 0 when unknown).
    uint8_t MailConnection() const { return mailConnection_; }
    void SetMailConnection(uint8_t security) { mailConnection_ = security; }

  private:
    enum class CopyEnd { kComplete, kReadFailed, kWriteFailed, kAborted };

    void OnInternetStatus(uint32_t status) override;
    int32_t RunHttp();
    // Steps after the open: status, headers, body; the result code.
    int32_t Fetch(iurlwstream& in);
    // A result that stands unless an abort was asked for meanwhile.
    int32_t Settled(int32_t result);
    // The body into the target file; *final when the result stands as it
    // is (a complete copy, or an abort).
    int32_t SaveBody(iurlwstream& in, bool haveLastModified, uint32_t lastModified, bool* final,
                     uint32_t* bytes);
    CopyEnd CopyBody(iurlwstream& in, ofwstream& out, int32_t* result, uint32_t* bytes);

    AStr url_;
    std::string targetFile_;
    std::string storedCopy_;
    uint32_t storedCopyTime_ = 0;  // seconds since 1970 UTC
    uint32_t httpStatus_ = 0;
    platform::Event handleCreated_;
    int32_t charset_ = 0;
    AStr contentType_;
    AStr etag_;
    AStr serverReply_;
    DownloadNode* owner_ = nullptr;
    uint32_t progressIntervalMs_;
    uint32_t nextProgressTick_ = 0;
    uint32_t unreportedBytes_ = 0;
    CharsetParser charsetOf_;
    MailboxCheck mailboxCheck_;
    MailSecuritySettings mailSecurity_;
    uint8_t mailConnection_ = 0;
    uint64_t maxPageBytes_;
    uint32_t checkMs_;
    uint32_t startTick_ = 0;
};
