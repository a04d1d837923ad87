#pragma once
// The main window: registers "OrvexWindowClass", answers the single-instance
// probe, takes its caption and menu from the language module, keeps its
// placement in the settings file and runs the idle tasks (the check
// scheduler) in the message loop's idle phases.
#include <windows.h>

#include <vector>

#include "framework/AStr.h"
#include "shell/gui/DFrameWindow.h"

class FrameWindow : public DFrameWindow {
public:
    FrameWindow() = default;
    ~FrameWindow() override;

    // Creates the window hidden, with the styles of a main window; the
    // menu belongs to the window from here on (also when creation fails).
    bool Create(HINSTANCE instance, const char* caption, HMENU menu);
    // The registered message the window answers with its own number.
    void SetProbeMessage(UINT probe) { probe_ = probe; }

    // The new-web-page command with an address filled in (from "/url", DDE
    // or a drop). Until the page dialog exists the address is kept here.
    void NewWebPage(const AStr& address);
    const std::vector<AStr>& PendingNewPages() const { return pendingNewPages_; }

    // Shows a minimised window restored, any other one as it was, and
    // brings it to the foreground.
    void Restore();

protected:
    void OnDestroy() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnRegisteredMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    UINT probe_ = 0;
    std::vector<AStr> pendingNewPages_;
};

// The process-wide main window, once it exists (null before and after).
FrameWindow* TheMainWindow();
void SetTheMainWindow(FrameWindow* window);
