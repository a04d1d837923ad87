// The main window's command table: which handler runs a command id and
// when each command can be used. The handlers live by theme in
// FrameCommandsEdit.cpp (clipboard, deleting, selecting), FrameCommandsObjects.cpp
// (making and switching objects) and FrameCommandsOpen.cpp (the browser,
// reports, help).
#include <iterator>

#include "lang/CommandIds.h"
#include "panes/ItemDrop.h"
#include "panes/PaneCommands.h"
#include "panes/ResultPane.h"
#include "shell/gui/DClipboard.h"
#include "ui/FrameWindow.h"

namespace {

struct CommandEntry {
    int id;
    void (FrameWindow::*run)(int id);
};

}  // namespace

bool FrameWindow::RunCommand(int id) {
    static const CommandEntry kTable[] = {
        {CMD_CUT, &FrameWindow::CutCommand},
        {CMD_COPY, &FrameWindow::CopyCommand},
        {CMD_PASTE, &FrameWindow::PasteCommand},
        {CMD_DELETE, &FrameWindow::DeleteCommand},
        {CMD_DELETE_FROM_HERE, &FrameWindow::DeleteFromHereCommand},
        {CMD_SELECT_ALL, &FrameWindow::SelectAllCommand},
        {CMD_PROTECT, &FrameWindow::ProtectCommand},
        {CMD_UNPROTECT, &FrameWindow::ProtectCommand},
        {CMD_OTHER_PANE, &FrameWindow::OtherPaneCommand},
        {CMD_OTHER_PANE_BACK, &FrameWindow::OtherPaneCommand},
        {CMD_ENTER, &FrameWindow::EnterCommand},
        {CMD_SAVE_REPORT, &FrameWindow::SaveReportCommand},
        {CMD_MARK_SEEN, &FrameWindow::MarkSeenCommand},
        {CMD_OPEN_CHANGE_LINK, &FrameWindow::OpenCommand},
        {CMD_OPEN_CHANGE_LINK_NEW_WINDOW, &FrameWindow::OpenCommand},
        {CMD_OPEN_CHANGE_LINK_PAGE, &FrameWindow::OpenCommand},
        {CMD_OPEN_PAGE, &FrameWindow::OpenCommand},
        {CMD_OPEN_PAGE_NEW_WINDOW, &FrameWindow::OpenCommand},
        {CMD_OPEN_MAILBOX, &FrameWindow::OpenCommand},
        {CMD_NEW_FOLDER, &FrameWindow::NewFolderCommand},
        {CMD_COPY_CHANGE_LINK, &FrameWindow::CopyLinkCommand},
        {CMD_COPY_URL, &FrameWindow::CopyLinkCommand},
        {CMD_CLEAR_HISTORY, &FrameWindow::ClearHistoryCommand},
        {CMD_SWITCH_OFF, &FrameWindow::SwitchCommand},
        {CMD_SWITCH_ON, &FrameWindow::SwitchCommand},
        {CMD_NEW_MAILBOX, &FrameWindow::NewObjectCommand},
        {CMD_NEW_OBJECT, &FrameWindow::NewObjectCommand},
        {CMD_HELP_CONTENTS, &FrameWindow::HelpCommand},
        {CMD_HELP_ON_HELP, &FrameWindow::HelpCommand},
        {CMD_ABOUT, &FrameWindow::HelpCommand},
        {CMD_HELP_INDEX, &FrameWindow::HelpCommand},
        {CMD_WEB_SITE, &FrameWindow::HelpCommand},
    };
    for (const CommandEntry& entry : kTable) {
        if (entry.id != id) continue;
        (this->*entry.run)(id);
        return true;
    }
    return false;
}

bool FrameWindow::ItemPaneFocused() const {
    return focusedPane_ && focusedPane_ == itemPane_.Handle();
}

bool FrameWindow::ResultPaneFocused() const {
    return focusedPane_ && focusedPane_ == resultPane_.Handle();
}

ChangeNode* FrameWindow::SelectedLinkedChange() {
    if (resultPane_.Model().SelectedCount() != 1) return nullptr;
    ChangeNode* change = ResultPane::ChangeOf(resultPane_.Model().FirstSelected());
    return change && !change->link.IsEmpty() ? change : nullptr;
}

// The check a result-pane selection stands in: the first selected check,
// or the check of the first selected change.
CheckNode* FrameWindow::SelectedCheck() {
    TreeViewNode* first = resultPane_.Model().FirstSelected();
    if (first && ResultPane::ChangeOf(first)) first = dynamic_cast<TreeViewNode*>(first->Parent());
    return ResultPane::CheckOf(first);
}

// The object the open commands mean: the single selected object with an
// address in the item pane, the current object (or the owner of the
// selected check of a folder) in the result pane.
ItemNode* FrameWindow::OpenTarget() {
    if (ResultPaneFocused()) {
        ItemNode* target = ResultTarget(current_, SelectedCheck());
        return target && !target->IsFolder() ? target : nullptr;
    }
    std::vector<ItemNode*> selected = itemPane_.Selected();
    return selected.size() == 1 && !selected[0]->IsFolder() ? selected[0] : nullptr;
}

// The rules of the commands the window's switch does not answer itself; a
// command not named here is left as it is.
void FrameWindow::EnableCommand(DCommandEnabler& e) {
    const std::vector<ItemNode*> selected = itemPane_.Selected();
    const size_t records = resultPane_.Model().SelectedCount();
    switch (e.Id()) {
        case CMD_CUT:
        case CMD_COPY:
            e.Enable((ItemPaneFocused() && !selected.empty()) ||
                     (ResultPaneFocused() && records > 0));
            break;
        case CMD_PASTE:
            e.Enable(ItemPaneFocused() &&
                     (ClipboardOffers(ObjectFormat()) || ClipboardOffers(UrlFormat()) ||
                      ClipboardOffers(CF_TEXT)));
            break;
        case CMD_DELETE:
            e.Enable((ItemPaneFocused() && !DeletableObjects(selected).empty()) ||
                     ResultPaneFocused());
            break;
        case CMD_DELETE_FROM_HERE:
            e.Enable(ResultPaneFocused() && records > 0);
            break;
        case CMD_SELECT_ALL:
            e.Enable(focusedPane_ != nullptr);
            break;
        case CMD_SAVE_REPORT:
            e.Enable(current_ && !current_->checks.IsEmpty());
            break;
        case CMD_OPEN_CHANGE_LINK:
        case CMD_OPEN_CHANGE_LINK_NEW_WINDOW:
        case CMD_OPEN_CHANGE_LINK_PAGE:
        case CMD_COPY_CHANGE_LINK:
            e.Enable(SelectedLinkedChange() != nullptr);
            break;
        case CMD_OPEN_PAGE:
        case CMD_OPEN_PAGE_NEW_WINDOW:
        case CMD_OPEN_MAILBOX:
        case CMD_COPY_URL:
            e.Enable(OpenTarget() != nullptr);
            break;
        case CMD_OPTIONS:
        case CMD_RESTORE:
        case CMD_PROTECT:
        case CMD_UNPROTECT:
        case CMD_OTHER_PANE:
        case CMD_NEW_WEB_PAGE:
        case CMD_NEW_FOLDER:
        case CMD_NEW_MAILBOX:
        case CMD_NEW_OBJECT:
        case CMD_HELP_CONTENTS:
        case CMD_HELP_ON_HELP:
        case CMD_ABOUT:
        case CMD_HELP_INDEX:
        case CMD_WEB_SITE:
            e.Enable(true);
            break;
        default:
            break;  // left as it is
    }
}
