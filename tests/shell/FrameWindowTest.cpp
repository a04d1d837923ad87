// The main window in this process: creation, the probe answer, placement
// kept in a settings file, idle tasks, commands and the start arguments.
#include "ui/FrameWindow.h"

#include <gtest/gtest.h>

#include <string>

#include "lang/CommandIds.h"
#include "shell/Appl.h"
#include "support/TempDir.h"

namespace {

class FrameWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { settings = dir.File("ovisto.ini"); }
    void TearDown() override {
        MSG left;  // the quit messages of destroyed main windows
        while (PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    bool Make(FrameWindow& frame, const char* caption = "Test", HMENU menu = nullptr) {
        FrameArgs args;
        args.instance = GetModuleHandleW(nullptr);
        args.caption = caption;
        args.menu = menu;
        args.programDir = dir.Path();
        args.settingsFile = settings;
        args.showMessage = [](const AStr&) {};
        args.editNewObject = [this](ItemProperties& properties, bool) {
            newPages.emplace_back(properties.address.c_str());
            return false;
        };
        return frame.Create(args);
    }
    int Stored(const char* key) {
        return static_cast<int>(GetPrivateProfileIntA("Window", key, -12345, settings.c_str()));
    }
    void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    TempDir dir;
    std::string settings;
    std::vector<std::string> newPages;  // the addresses the new-page dialog was opened with
};

std::wstring Caption(HWND w) {
    wchar_t text[256] = {};
    GetWindowTextW(w, text, 256);
    return text;
}

TEST_F(FrameWindowTest, MainWindowClassCaptionAndMenu) {
    FrameWindow frame;
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, CMD_NEW_WEB_PAGE, L"New");
    ASSERT_TRUE(Make(frame, "\xCE\xF0\xE2\xE5\xEA\xF1", menu));
    wchar_t cls[64] = {};
    GetClassNameW(frame.Handle(), cls, 64);
    EXPECT_STREQ(L"OrvexWindowClass", cls);
    EXPECT_EQ(std::wstring(L"\u041E\u0440\u0432\u0435\u043A\u0441"), Caption(frame.Handle()))
        << "1251 captions are shown as the characters they stand for";
    EXPECT_EQ(menu, GetMenu(frame.Handle()));
    LONG_PTR style = GetWindowLongPtrW(frame.Handle(), GWL_STYLE);
    EXPECT_EQ(static_cast<LONG_PTR>(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN),
              style & (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN));
    EXPECT_FALSE(IsWindowVisible(frame.Handle())) << "created hidden";
    EXPECT_EQ(&frame, DWindow::FromHandle(frame.Handle()));
}

TEST_F(FrameWindowTest, AnswersOnlyItsProbeWithTheProbesNumber) {
    FrameWindow frame;
    UINT probe = RegisterWindowMessageA("ovisto test probe");
    UINT other = RegisterWindowMessageA("ovisto test other");
    frame.SetProbeMessage(probe);
    ASSERT_TRUE(Make(frame));
    EXPECT_EQ(static_cast<LRESULT>(probe), SendMessageW(frame.Handle(), probe, 0, 0));
    EXPECT_EQ(0, SendMessageW(frame.Handle(), other, 0, 0));
}

TEST_F(FrameWindowTest, DestroyingTheWindowEndsTheLoop) {
    FrameWindow frame;
    ASSERT_TRUE(Make(frame));
    SetTheMainWindow(&frame);
    frame.Destroy();
    EXPECT_EQ(nullptr, frame.Handle());
    EXPECT_EQ(nullptr, TheMainWindow());
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
}

TEST_F(FrameWindowTest, PlacementIsWrittenAfterItWasAppliedAndRestoredNextTime) {
    {
        FrameWindow frame;
        ASSERT_TRUE(Make(frame));
        frame.KeepPlacement(settings, "Window");
        SetWindowPos(frame.Handle(), nullptr, 50, 60, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(-12345, Stored("X")) << "nothing is written before the placement was applied";
        frame.ApplyPlacement(SW_SHOWNORMAL);
        EXPECT_TRUE(IsWindowVisible(frame.Handle())) << "no stored placement: the start-up command";
        SetWindowPos(frame.Handle(), nullptr, 120, 90, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
        EXPECT_EQ(120, Stored("X"));
        EXPECT_EQ(90, Stored("Y"));
        EXPECT_EQ(500, Stored("W"));
        EXPECT_EQ(400, Stored("H"));
        EXPECT_EQ(SW_SHOWNORMAL, Stored("show"));
    }
    FrameWindow again;
    ASSERT_TRUE(Make(again));
    again.KeepPlacement(settings, "Window");
    again.ApplyPlacement(SW_SHOWNORMAL);
    RECT r;
    GetWindowRect(again.Handle(), &r);
    EXPECT_EQ(120, r.left);
    EXPECT_EQ(90, r.top);
    EXPECT_EQ(500, r.right - r.left);
    EXPECT_EQ(400, r.bottom - r.top);
}

TEST_F(FrameWindowTest, StoredShowStateUnlessStartedHidden) {
    dir.Write("ovisto.ini", "[Window]\r\nX=10\r\nY=20\r\nW=300\r\nH=200\r\nshow=2\r\n");
    FrameWindow minimised;
    ASSERT_TRUE(Make(minimised));
    minimised.KeepPlacement(settings, "Window");
    minimised.ApplyPlacement(SW_SHOWNORMAL);
    EXPECT_TRUE(IsIconic(minimised.Handle()));
    minimised.Destroy();

    FrameWindow hidden;
    ASSERT_TRUE(Make(hidden));
    hidden.KeepPlacement(settings, "Window");
    hidden.ApplyPlacement(SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(hidden.Handle()));
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(hidden.Handle(), &wp);
    EXPECT_EQ(10, wp.rcNormalPosition.left);
    EXPECT_EQ(2, Stored("show")) << "applying writes nothing back";
}

TEST_F(FrameWindowTest, IncompleteOrDamagedPlacementShowsTheWindowNormally) {
    for (const char* file :
         {"[Window]\r\nX=10\r\nY=20\r\nW=300\r\n", "[Window]\r\nX=10\r\nY=20\r\nW=0\r\nH=-5\r\n",
          "\x01\xFF\x00garbage[[Window\r\n=\r\n"}) {
        dir.Write("ovisto.ini", file);
        FrameWindow frame;
        ASSERT_TRUE(Make(frame));
        frame.KeepPlacement(settings, "Window");
        frame.ApplyPlacement(SW_SHOWNORMAL);
        EXPECT_TRUE(IsWindowVisible(frame.Handle()));
        EXPECT_FALSE(IsIconic(frame.Handle()));
        RECT r;
        GetWindowRect(frame.Handle(), &r);
        EXPECT_GT(r.right - r.left, 0);
    }
}

class CountingTask : public DIdleTask {
  public:
    CountingTask(std::vector<std::string>* log, const char* name, long last)
        : log_(log), name_(name), last_(last) {}
    bool OnIdle(long count) override {
        log_->push_back(name_ + std::to_string(count));
        return count < last_;
    }

  private:
    std::vector<std::string>* log_;
    std::string name_;
    long last_;
};

TEST_F(FrameWindowTest, IdleTasksRunInOrderAndAskForMoreTogether) {
    FrameWindow frame;
    std::vector<std::string> log;
    CountingTask scheduler(&log, "s", 0), status(&log, "b", 2);
    EXPECT_FALSE(frame.OnIdle(0)) << "no task, no more idle time";
    frame.AddIdleTask(&scheduler);
    frame.AddIdleTask(&status);
    frame.AddIdleTask(&scheduler);
    EXPECT_TRUE(frame.OnIdle(0));
    EXPECT_TRUE(frame.OnIdle(1)) << "one task still wants time";
    frame.RemoveIdleTask(&status);
    EXPECT_FALSE(frame.OnIdle(2));
    EXPECT_EQ((std::vector<std::string>{"s0", "b0", "s1", "b1", "s2"}), log);
}

TEST_F(FrameWindowTest, ApplicationIdleCallsReachTheMainWindowsTasks) {
    Appl app(GetModuleHandleW(nullptr), nullptr, "", SW_HIDE);
    app.SetProgramDirectory(dir.Path(), settings);
    std::vector<std::string> log;
    CountingTask scheduler(&log, "s", 1);
    app.Frame().AddIdleTask(&scheduler);
    EXPECT_FALSE(app.Idle(0)) << "no window yet: no idle work";
    ASSERT_TRUE(app.CreateMainWindow());
    EXPECT_TRUE(app.Idle(0));
    EXPECT_FALSE(app.Idle(1));
    EXPECT_EQ((std::vector<std::string>{"s0", "s1"}), log);
    EXPECT_TRUE(app.Frame().Engine() != nullptr) << "the window hosts the check engine";
    EXPECT_EQ(&app.Frame(), TheMainWindow());
    EXPECT_EQ(&app.Frame(), app.MainWindow());
}

TEST_F(FrameWindowTest, UrlArgumentGoesToTheNewWebPageCommand) {
    struct Case {
        const char* line;
        std::vector<std::string> pages;
    } cases[] = {
        {"/URL http://127.0.0.1/a", {"http://127.0.0.1/a"}},
        {"/url \"http://127.0.0.1/a b\" more", {"http://127.0.0.1/a b"}},
        {"/url", {}},
        {"http://127.0.0.1/a", {}},
        {"/install http://127.0.0.1/a", {}},
    };
    for (const Case& c : cases) {
        Appl app(GetModuleHandleW(nullptr), nullptr, c.line, SW_HIDE);
        app.SetProgramDirectory(dir.Path(), settings);
        std::vector<std::string> pages;
        app.Frame().SetNewObjectEditor([&pages](ItemProperties& properties, bool) {
            pages.emplace_back(properties.address.c_str());
            return false;
        });
        ASSERT_TRUE(app.CreateMainWindow()) << c.line;
        EXPECT_EQ(c.pages, pages) << c.line;
    }
}

TEST_F(FrameWindowTest, MenuCommandsRestoreAndAskForANewPage) {
    FrameWindow frame;
    ASSERT_TRUE(Make(frame));
    SendMessageW(frame.Handle(), WM_COMMAND, MAKEWPARAM(CMD_RESTORE, 0), 0);
    EXPECT_TRUE(IsWindowVisible(frame.Handle()));
    SendMessageW(frame.Handle(), WM_COMMAND, MAKEWPARAM(CMD_NEW_WEB_PAGE, 1), 0);
    SendMessageW(frame.Handle(), WM_COMMAND, MAKEWPARAM(CMD_NEW_WEB_PAGE, 5), 0);
    ASSERT_EQ(1u, newPages.size()) << "a control notification is not a command";
    EXPECT_TRUE(newPages[0].empty());
}

}  // namespace
