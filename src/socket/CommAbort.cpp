#include "socket/CommAbort.h"

#include "socket/CommPort.h"

void DoAbortCommPort::Abort() {
    port_.Close();
    if (replaced_) replaced_->Abort();
}

SetDoAbortCommPort::SetDoAbortCommPort(CommPort& port, platform::Thread* thread)
    : DoAbortCommPort(port, nullptr), thread_(thread) {
    if (!thread_) return;
    thread_->AddRef();
    thread_->SetAbortHook(this, &replaced_);
}

SetDoAbortCommPort::~SetDoAbortCommPort() {
    if (!thread_) return;
    thread_->SetAbortHook(replaced_);
    // The thread calls its hook under the same lock that guards its count,
    // so once Release has that lock no Abort is still inside this hook.
    thread_->Release();
}
