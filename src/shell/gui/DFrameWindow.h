#pragma once
// A top-level window with a menu, a kept placement and idle work.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/gui/DWindow.h"
#include "shell/gui/DWindowPlacement.h"

// Work done in the message loop's idle phase. `count` is 0 on the first
// idle call after a message and grows by one per further call; return true
// to be called again before the loop blocks, false when nothing is left.
class DIdleTask {
  public:
    virtual ~DIdleTask() = default;
    virtual bool OnIdle(long count) = 0;
};

class DFrameWindow : public DWindow {
  public:
    DFrameWindow() = default;
    ~DFrameWindow() override;

    // Binds the placement to a section of a settings file; without it the
    // placement is neither applied nor kept.
    void KeepPlacement(const std::string& settingsFile, const std::string& section);
    DWindowPlacement* Placement() { return placement_.get(); }
    // Applies the kept placement (or shows the window with the command).
    void ApplyPlacement(int startShowCommand);

    // The idle handler: each task in the order added; true when any asks
    // for more idle time. The tasks are not owned.
    virtual bool OnIdle(long count);
    void AddIdleTask(DIdleTask* task);
    void RemoveIdleTask(DIdleTask* task);

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    std::unique_ptr<DWindowPlacement> placement_;
    std::vector<DIdleTask*> idleTasks_;
};
