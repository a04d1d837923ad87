#pragma once
// The Windows host's end of the worker messages: a window that receives the
// registered messages "_WM_THREADEND" (wParam the kind, lParam the thread)
// and "_WM_BYTESREAD" (wParam the bytes, lParam the thread), posted.
#ifdef _WIN32
#include "platform/ReportTarget.h"

namespace platform {

// The number the system gave the message's registered name; the same in
// every window of the process.
uint32_t RegisteredMessage(Report what);

class WindowReportTarget : public ReportTarget {
  public:
    // window: the HWND that receives the messages.
    explicit WindowReportTarget(void* window) : window_(window) {}
    bool Post(Report what, uintptr_t param, void* sender) override;
    void* Window() const { return window_; }

  private:
    void* window_;
};

}  // namespace platform
#endif
