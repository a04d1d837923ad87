#include "platform/WindowReportTarget.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Thread.h"

using namespace platform;

namespace {

// A message-only window of the test's thread.
struct MessageWindow {
    MessageWindow() {
        hwnd = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }
    ~MessageWindow() { DestroyWindow(hwnd); }
    HWND hwnd;
};

}  // namespace

TEST(WindowReportTarget, MessagesAreRegisteredUnderTheirNames) {
    EXPECT_EQ(RegisterWindowMessageA("_WM_THREADEND"), RegisteredMessage(Report::kThreadEnd));
    EXPECT_EQ(RegisterWindowMessageA("_WM_BYTESREAD"), RegisteredMessage(Report::kBytesRead));
    EXPECT_NE(RegisteredMessage(Report::kThreadEnd), RegisteredMessage(Report::kBytesRead));
}

TEST(WindowReportTarget, AWorkersEndArrivesAsThreadEndWithKindAndThread) {
    MessageWindow window;
    ASSERT_NE(nullptr, window.hwnd);
    auto target = std::make_shared<WindowReportTarget>(window.hwnd);
    Thread* t = new Thread(target);
    ASSERT_TRUE(t->Start());
    EXPECT_EQ(0, t->GetResult());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, window.hwnd, RegisteredMessage(Report::kThreadEnd),
                             RegisteredMessage(Report::kThreadEnd), PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(t), msg.lParam);
    t->Release();
}

TEST(WindowReportTarget, PostingToAWindowThatIsGoneFails) {
    HWND gone;
    {
        MessageWindow window;
        gone = window.hwnd;
    }
    WindowReportTarget target(gone);
    EXPECT_FALSE(target.Post(Report::kBytesRead, 10, nullptr));
}
