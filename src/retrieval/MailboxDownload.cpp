#include "retrieval/MailboxDownload.h"

#include "retrieval/DownloadThread.h"
#include "retrieval/MailboxCheck.h"

int32_t RunMailboxDownload(DownloadThread& thread) {
    MailboxCheckOptions options;
    options.pop3.worker = &thread;
    return RunMailboxCheck(thread.Url().c_str(), thread.TargetFile().c_str(),
                           thread.StoredCopy().c_str(), options);
}
