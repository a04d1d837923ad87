#include "retrieval/MailboxDownload.h"

#include "retrieval/DownloadThread.h"
#include "retrieval/MailboxCheck.h"

int32_t RunMailboxDownload(DownloadThread& thread) {
    MailboxCheckOptions options;
    options.pop3.worker = &thread;
    AStr refusal;
    options.pop3.refusal = &refusal;
    const int32_t result = RunMailboxCheck(thread.Url().c_str(), thread.TargetFile().c_str(),
                                           thread.StoredCopy().c_str(), options);
    thread.SetServerReply(refusal.c_str());
    return result;
}
