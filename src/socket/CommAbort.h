#pragma once
// Abort hooks that close a port, so that a thread blocked on it returns as
// soon as the thread is aborted.
#include "platform/Thread.h"

class CommPort;

// Closes its port, then calls the hook it replaced, if any.
class DoAbortCommPort : public platform::AbortHook {
  public:
    DoAbortCommPort(CommPort& port, platform::AbortHook* replaced)
        : port_(port), replaced_(replaced) {}
    void Abort() override;

  protected:
    CommPort& port_;
    platform::AbortHook* replaced_;
};

// Installs itself as the abort hook of a thread for its lifetime, holding a
// reference on the thread; destroying it puts the previous hook back. With
// no thread it does nothing.
class SetDoAbortCommPort : public DoAbortCommPort {
  public:
    SetDoAbortCommPort(CommPort& port, platform::Thread* thread);
    ~SetDoAbortCommPort() override;
    SetDoAbortCommPort(const SetDoAbortCommPort&) = delete;
    SetDoAbortCommPort& operator=(const SetDoAbortCommPort&) = delete;

  private:
    platform::Thread* thread_;
};
