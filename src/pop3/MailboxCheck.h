#pragma once
// The mailbox branch of a download: the check of one "mailto:" address,
// from the stored copy of the previous check to the new record file.
#include <cstdint>

#include "pop3/Pop3Check.h"

struct MailboxCheckOptions {
    Pop3Options pop3;
    // Locale of the dates in the display texts; 0 is the interface
    // language's.
    uint32_t locale = 0;
};

// Cracks the address (port 0 is 110), reads the ids already seen from the
// stored copy (when a path is given), runs the POP3 check and writes the
// record file to targetFile. Returns 0, the check's error code, or 1223
// when it failed because the worker was aborted. No record file is written on an error.
int32_t RunMailboxCheck(const char* url, const char* targetFile, const char* storedCopy,
                        const MailboxCheckOptions& options = MailboxCheckOptions());
