#include "pop3/MailboxDownload.h"

#include "http/DownloadThread.h"
#include "pop3/MailboxCheck.h"

int32_t RunMailboxDownload(DownloadThread& thread) {
    MailboxCheckOptions options;
    options.pop3.worker = &thread;
    AStr refusal;
    options.pop3.refusal = &refusal;
    options.pop3.stls = thread.MailSecurity().stls;
    options.pop3.pins = ParseTlsPins(thread.MailSecurity().trustedCerts.c_str());
    uint8_t security = kMailSecurityUnknown;
    options.pop3.security = &security;
    const int32_t result = RunMailboxCheck(thread.Url().c_str(), thread.TargetFile().c_str(),
                                           thread.StoredCopy().c_str(), options);
    thread.SetServerReply(refusal.c_str());
    thread.SetMailConnection(security);
    return result;
}
