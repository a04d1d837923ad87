#include "pop3/MailboxCheck.h"

#include "platform/Lang.h"
#include "platform/Thread.h"
#include "socket/CommPort.h"
#include "pop3/MailboxRecords.h"
#include "pop3/MailboxUrl.h"
#include "stream/FileStream.h"

namespace {

bool Aborted(const Pop3Options& options) {
    return options.worker && options.worker->IsAbortRequested();
}

}  // namespace

int32_t RunMailboxCheck(const char* url, const char* targetFile, const char* storedCopy,
                        const MailboxCheckOptions& options) {
    MailboxAddress address;
    CrackMailboxUrl(url, &address);
    if (address.port == 0) address.port = kPop3DefaultPort;

    StrList knownIds;
    if (storedCopy && *storedCopy) {
        ifwstream stored(storedCopy);
        if (stored.OpenError() == 0) ReadKnownIds(stored, knownIds);
    }

    Pop3Options pop3 = options.pop3;
    pop3.implicitTls = pop3.implicitTls || address.tls;
    EMailList messages;
    uint32_t result = CheckMailbox(address.host.c_str(), address.port, address.user.c_str(),
                                   address.password.c_str(), knownIds, messages, pop3);
    if (result) return static_cast<int32_t>(Aborted(options.pop3) ? kCommCancelled : result);

    // Creating and writing the record file are not checked: the messages
    // were read, and the next check reads whatever the file holds.
    ofwstream records(targetFile);
    const uint32_t locale = options.locale ? options.locale : DateTimeLocale();
    WriteMailboxRecords(records, messages, locale);
    records.Close();
    return 0;
}
