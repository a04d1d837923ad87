#pragma once
// A main window made in the test process on a program directory of its own,
// with the English language module and the seams a test watches: the
// messages shown to the user and the new-object dialog.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Lang.h"
#include "support/TempDir.h"
#include "ui/FrameWindow.h"
#include "watchlist/CheckNode.h"
#include "watchlist/Options.h"

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        OleInitialize(nullptr);
        AStr code("enu");
        ASSERT_TRUE(LoadLanguage(code, platform::ProgramDirectory().c_str()));
        settings = dir.File("ovisto.ini");
    }
    void TearDown() override {
        frame.reset();
        Pump();
        TheLanguage().SetModule(nullptr, false);
        OleUninitialize();
    }

    // Makes the window on the folder (the fixture's own unless another is
    // named); false when creation failed.
    bool Open(const std::string& programDir = std::string()) {
        frame.reset(new FrameWindow);
        FrameArgs args;
        args.instance = GetModuleHandleW(nullptr);
        args.caption = "Orvex Vistomer";
        args.programDir = programDir.empty() ? dir.Path() : programDir;
        args.options = &options;
        args.settingsFile = settings;
        args.showMessage = [this](const AStr& text) { messages.emplace_back(text.c_str()); };
        if (!realNewObjectDialog)
            args.editNewObject = [this](ItemProperties& properties, bool) {
                newPages.emplace_back(properties.address.c_str());
                if (properties.address.IsEmpty()) properties.address = typedAddress.c_str();
                return acceptNewObjects;
            };
        if (configure) configure(args);
        return frame->Create(args);
    }
    // Ends the window and loads the options as a new start would.
    void Restart() {
        frame.reset();
        Pump();
        options = Options();
        LoadOptions(options, settings);
    }
    HWND Main() const { return frame->Handle(); }

    // Hands on every waiting message of this thread (not the quit message).
    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // Pumps until the condition holds or the time is up.
    static bool PumpUntil(const std::function<bool()>& condition, DWORD ms) {
        DWORD start = GetTickCount();
        while (!condition()) {
            if (GetTickCount() - start > ms) return false;
            Pump();
            Sleep(10);
        }
        return true;
    }
    // Sizes the window so that its client area has this size.
    void SetClientSize(int width, int height) {
        RECT window, client;
        GetWindowRect(Main(), &window);
        GetClientRect(Main(), &client);
        int extraW = (window.right - window.left) - client.right;
        int extraH = (window.bottom - window.top) - client.bottom;
        SetWindowPos(Main(), nullptr, 0, 0, width + extraW, height + extraH,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT ChildRect(int id) const {
        RECT r{};
        HWND child = GetDlgItem(Main(), id);
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // A pane's notification to the main window, as the tree view sends it.
    static void SendPaneNotify(HWND pane, int code, TreeViewNode* node = nullptr) {
        TreeViewNotify n{};
        n.header.hwndFrom = pane;
        n.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(pane));
        n.header.code = static_cast<UINT>(code);
        n.node = node;
        SendMessageW(GetParent(pane), WM_NOTIFY, n.header.idFrom, reinterpret_cast<LPARAM>(&n));
    }
    // The addresses the new-page dialog was opened with.
    std::vector<std::string> NewPages() const { return newPages; }

    // A watch list in the folder: a folder "News" with two pages, the
    // first with two checks and unseen changes, and a mailbox at the top.
    void WriteWatchList() {
        ItemList list;
        ItemProperties folder;
        folder.name = "News";
        auto* news = new ItemNode(folder);
        news->expanded = true;
        list.Append(news);
        ItemNode* weather = AddPage(news, "Weather report", "http://127.0.0.1:9/weather");
        weather->marks |= kMarkUnseen;
        for (uint32_t t : {1700000000u, 1700003600u}) {
            auto* check = new CheckNode(t);
            auto* change = new ChangeNode;
            change->text = "Rain tomorrow";
            check->changes.Append(change);
            weather->checks.Append(check);
        }
        AddPage(news, "Exchange rates", "http://127.0.0.1:9/rates");
        ItemProperties mail;
        mail.name = "Mail";
        mail.address = "mailto:user@127.0.0.1";
        mail.timedelta = 0;
        list.Append(new ItemNode(mail));
        WatchListPaths paths(dir.Path());
        platform::MakeDirectory(paths.userFolder.c_str());
        ASSERT_TRUE(SaveWatchList(list, paths));
    }
    static ItemNode* AddPage(ItemNode* parent, const char* name, const char* address) {
        ItemProperties p;
        p.name = name;
        p.address = address;
        p.timedelta = 0;  // never due: the tests start no checks unless they ask
        auto* n = new ItemNode(p);
        parent->Append(n);
        return n;
    }

    TempDir dir;
    std::string settings;
    Options options;
    std::unique_ptr<FrameWindow> frame;
    std::vector<std::string> messages;
    // The new-object dialog: the real property sheet, or the addresses it
    // was opened with recorded and answered with acceptNewObjects.
    bool realNewObjectDialog = false;
    bool acceptNewObjects = false;
    std::string typedAddress;  // what the recorded dialog puts into an empty address
    std::vector<std::string> newPages;
    // Further seams set before Open (none by default).
    std::function<void(FrameArgs&)> configure;
};
