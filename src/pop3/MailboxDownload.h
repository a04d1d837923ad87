#pragma once
// The mailbox branch of DownloadThread::Run: pass RunMailboxDownload as
// DownloadSettings::mailboxCheck.
#include <cstdint>

class DownloadThread;

// Checks the thread's "mailto:" address into its target file against its
// stored copy (RunMailboxCheck): replies time out after 60 seconds, an abort
// of the thread closes the connection at once, dates are written in the
// interface language's formats; STLS and the accepted certificates follow
// the thread's settings, and the thread keeps the connection's security.
// The thread posts the end message after it.
int32_t RunMailboxDownload(DownloadThread& thread);
