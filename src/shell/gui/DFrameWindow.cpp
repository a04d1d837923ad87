#include "shell/gui/DFrameWindow.h"

#include <algorithm>

DFrameWindow::~DFrameWindow() {
    Destroy();
}

void DFrameWindow::KeepPlacement(const std::string& settingsFile, const std::string& section) {
    placement_ = std::make_unique<DWindowPlacement>(settingsFile, section);
}

void DFrameWindow::ApplyPlacement(int startShowCommand) {
    if (!Handle()) return;
    if (placement_)
        placement_->Apply(Handle(), startShowCommand);
    else
        ShowWindow(Handle(), startShowCommand);
}

bool DFrameWindow::OnIdle(long count) {
    bool more = false;
    // A task may add or remove tasks while it runs: walk a copy.
    std::vector<DIdleTask*> tasks = idleTasks_;
    for (DIdleTask* task : tasks)
        if (std::find(idleTasks_.begin(), idleTasks_.end(), task) != idleTasks_.end())
            more = task->OnIdle(count) || more;
    return more;
}

void DFrameWindow::AddIdleTask(DIdleTask* task) {
    if (task && std::find(idleTasks_.begin(), idleTasks_.end(), task) == idleTasks_.end())
        idleTasks_.push_back(task);
}

void DFrameWindow::RemoveIdleTask(DIdleTask* task) {
    idleTasks_.erase(std::remove(idleTasks_.begin(), idleTasks_.end(), task), idleTasks_.end());
}

LRESULT DFrameWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_MOVE || message == WM_SIZE) && placement_) placement_->Save(Handle());
    return DWindow::WindowProc(message, wParam, lParam);
}
