// What the main window says about its state: the status bar line written
// in every idle pass, the caption naming the current object, and the
// result pane that follows the current object, and marking changes seen.
#include <cstring>

#include "lang/CommandIds.h"
#include "platform/Lang.h"
#include "ui/FrameWindow.h"

AStr FrameWindow::StatusText() const {
    AStr text = FormatText(TEXT_STATUS_UNSEEN, engine_ ? engine_->NewChanges() : 0L);
    std::vector<ItemNode*> selected = itemPane_.Selected();
    if (focusedPane_ && focusedPane_ == itemPane_.Handle()) {
        text += FormatText(TEXT_STATUS_SELECTED, static_cast<long>(selected.size()));
    } else {
        long checks = selected.size() == 1 ? static_cast<long>(selected[0]->checks.Count()) : 0L;
        text += FormatText(TEXT_STATUS_CHECKS, checks);
    }
    return text;
}

void FrameWindow::UpdateStatusBar() {
    statusBar_.SetText(StatusText());
}

void FrameWindow::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {  // the menu closed
        UpdateStatusBar();
        return;
    }
    AStr prompt;
    if (item != 0 && !(flags & (MF_POPUP | MF_SEPARATOR))) {
        // A command's text is its prompt, a line feed and its tool tip.
        prompt = LoadText(item);
        if (const char* lf = std::strchr(prompt.c_str(), '\n'))
            prompt = AStr(prompt.c_str(), static_cast<size_t>(lf - prompt.c_str()));
    }
    statusBar_.SetText(prompt);
}

void FrameWindow::UpdateCaption() {
    AStr program = LoadText(TEXT_PROGRAM_NAME);
    AStr name = current_ ? current_->DisplayName() : AStr();
    if (name.IsEmpty()) {
        SetTitle(program.c_str());
        return;
    }
    name += " - ";
    name += program;
    SetTitle(name.c_str());
}

void FrameWindow::ShowObjectResults(ItemNode* object) {
    if (IsIconic(Handle())) return;  // the pane keeps what it shows
    current_ = object;
    resultPane_.Show(object);
}

void FrameWindow::RefreshObjectNode(ItemNode& object) {
    itemPane_.RefreshNode(object);
    if (&object == current_) ShowObjectResults(current_);
}

void FrameWindow::BeforeCheckDeleted(ItemNode&, CheckNode& check) {
    resultPane_.ForgetCheck(check);
}

bool FrameWindow::ClearUnseen(ItemNode& object) {
    bool any = false;
    for (ItemNode* child = object.FirstItem(); child; child = child->NextItem())
        any |= ClearUnseen(*child);
    if (!(object.marks & kMarkUnseen)) return any;
    if (engine_ && engine_->NewChanges() > 0) engine_->SetNewChanges(engine_->NewChanges() - 1);
    object.ClearMarks(kMarkUnseen);  // rewrites the nodes through the refresh hook
    return true;
}

void FrameWindow::MarkSeen(ItemNode& object) {
    if (ClearUnseen(object)) SaveChangeLog();
}
