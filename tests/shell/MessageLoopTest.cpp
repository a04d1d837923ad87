// The message loop's idle phases, driven by thread messages alone so that
// nothing else can wake the loop.
#include "shell/gui/DApplication.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT kWake = WM_APP + 1;
constexpr UINT kQuitNext = WM_APP + 2;

// Records its idle calls; asks for more idle time until count 2. A worker
// wakes it later with one message and then quits it.
class RecordingApp : public DApplication {
  public:
    RecordingApp() : DApplication(GetModuleHandleW(nullptr), nullptr, "", SW_HIDE) {}

    bool Idle(long count) override {
        calls.push_back(count);
        if (calls.size() > 50) PostQuitMessage(99);  // a loop that never blocks ends the test
        return count < 2;
    }
    void PauseKey() override { events.push_back(-1); }
    void PreTranslate(MSG& msg) override {
        events.push_back(static_cast<long>(msg.message));
        if (msg.message == kQuitNext) PostQuitMessage(static_cast<int>(msg.wParam));
    }

    std::vector<long> calls;
    std::vector<long> events;
};

struct Poster {
    DWORD thread;
    static DWORD WINAPI Run(LPVOID self) {
        DWORD t = static_cast<Poster*>(self)->thread;
        Sleep(200);
        PostThreadMessageW(t, kWake, 0, 0);
        Sleep(200);
        PostThreadMessageW(t, kQuitNext, 7, 0);
        return 0;
    }
};

// Earlier tests may leave messages (a quit message of a destroyed main
// window) in this thread's queue.
class MessageLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        MSG left;
        while (PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
};

TEST_F(MessageLoop, IdleCountsRestartAfterEachMessageAndTheLoopBlocksBetween) {
    RecordingApp app;
    Poster poster{GetCurrentThreadId()};
    HANDLE worker = CreateThread(nullptr, 0, &Poster::Run, &poster, 0, nullptr);
    ASSERT_NE(nullptr, worker);
    int code = app.MessageLoop();
    WaitForSingleObject(worker, 5000);
    CloseHandle(worker);

    EXPECT_EQ(7, code) << "the quit message's code";
    EXPECT_EQ((std::vector<long>{0, 1, 2, 0, 1, 2}), app.calls)
        << "no idle call once the quit message waits";
    EXPECT_EQ((std::vector<long>{static_cast<long>(kWake), static_cast<long>(kQuitNext)}),
              app.events);
}

TEST_F(MessageLoop, ThePauseKeyHookRunsBeforeTheMessageGoesOn) {
    RecordingApp app;
    DWORD self = GetCurrentThreadId();
    PostThreadMessageW(self, WM_KEYUP, VK_PAUSE, 0);
    PostThreadMessageW(self, WM_KEYUP, 'A', 0);
    PostThreadMessageW(self, kQuitNext, 0, 0);
    EXPECT_EQ(0, app.MessageLoop());
    EXPECT_EQ((std::vector<long>{-1, WM_KEYUP, WM_KEYUP, static_cast<long>(kQuitNext)}),
              app.events);
    EXPECT_TRUE(app.calls.empty()) << "no idle call while messages wait";
}

TEST_F(MessageLoop, RunFailsWithoutAMainWindow) {
    RecordingApp app;
    EXPECT_EQ(-1, app.Run());
    EXPECT_TRUE(app.calls.empty());
}

}  // namespace
