// The main window's edit commands: cut, copy and paste, deleting objects
// and records, selecting all, copying a link or an address.
#include "lang/CommandIds.h"
#include "panes/ItemDelete.h"
#include "panes/PaneCommands.h"
#include "panes/ResultPane.h"
#include "platform/Lang.h"
#include "shell/gui/DClipboard.h"
#include "ui/FrameWindow.h"

namespace {

constexpr size_t kMaxPastedText = 64u << 10;

// A text as the clipboard holds it: NUL-terminated.
std::string ClipText(const char* text) {
    return std::string(text) + '\0';
}

// An address read from the clipboard: the text before its first NUL
// without the blanks and line breaks around it.
AStr PastedAddress(const std::string& bytes) {
    std::string text = bytes.substr(0, bytes.find('\0'));
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return AStr();
    return AStr(text.substr(first, text.find_last_not_of(blanks) + 1 - first).c_str());
}

}  // namespace

void FrameWindow::CutCommand(int) {
    CopyCommand(CMD_COPY);
    DeleteCommand(CMD_DELETE);
}

void FrameWindow::CopyCommand(int) {
    if (ItemPaneFocused()) {
        CopyObjectsToClipboard(itemPane_.Selected());
        return;
    }
    if (!ResultPaneFocused()) return;
    // The texts of the selected changes, each ended by a line break.
    std::string text;
    for (TreeViewNode* node : resultPane_.Model().Selected())
        if (ChangeNode* change = ResultPane::ChangeOf(node))
            text.append(change->text.c_str()).append("\r\n");
    if (!text.empty()) PutClipboard(Handle(), {{CF_TEXT, ClipText(text.c_str())}});
}

int FrameWindow::PasteObjects(const InsertPosition& at) {
    std::string bytes;
    constexpr size_t kMaxPastedStream = 64u << 20;
    if (!ReadClipboard(Handle(), ObjectFormat(), &bytes, kMaxPastedStream)) return -1;
    return itemPane_.InsertStream(bytes, at);
}

// The private stream when there is one, else the address of a new page,
// made without a dialog. Both go under the single selected folder, or the
// root; pages and mailboxes hold no children, so a paste onto one of them
// lands right after it.
void FrameWindow::PasteCommand(int) {
    if (!ItemPaneFocused()) return;
    std::vector<ItemNode*> selected = itemPane_.Selected();
    const InsertPosition at =
        NewObjectPosition(list_, selected.size() == 1 ? selected[0] : nullptr);
    if (ClipboardOffers(ObjectFormat())) {
        PasteObjects(at);
        return;
    }
    std::string bytes;
    if (!ReadClipboard(Handle(), UrlFormat(), &bytes, kMaxPastedText) &&
        !ReadClipboard(Handle(), CF_TEXT, &bytes, kMaxPastedText))
        return;
    AStr url = PastedAddress(bytes);
    if (url.IsEmpty()) return;
    ItemProperties page = options_->defaults;
    page.address = url;
    NewObject(page, at);
}

void FrameWindow::DeleteCommand(int) {
    if (ResultPaneFocused()) {
        DeleteRecords();
        return;
    }
    if (ItemPaneFocused() && ConfirmObjectDelete()) DeleteObjects(true);
}

// The refusal for protected objects and the question before deleting: one
// object by its name, several by their number.
bool FrameWindow::ConfirmObjectDelete() {
    // IsProtectedTree() is true when nothing in the object is protected.
    auto deletable = [](const ItemNode* o) { return o->IsProtectedTree(); };
    const std::vector<ItemNode*> selected = itemPane_.Selected();
    if (selected.empty()) return false;
    if (selected.size() == 1) {
        if (!deletable(selected[0])) {
            ShowMessage(LoadText(TEXT_DELETE_PROTECTED), MB_ICONSTOP);
            return false;
        }
        return AskYesNo(FormatText(TEXT_DELETE_ONE, selected[0]->DisplayName()));
    }
    for (ItemNode* o : selected) {
        if (deletable(o)) continue;
        ShowMessage(LoadText(TEXT_DELETE_PROTECTED), MB_ICONSTOP);
        break;
    }
    const size_t count = DeletableObjects(selected).size();
    if (count == 0) return false;
    return AskYesNo(FormatText(TEXT_DELETE_SEVERAL, static_cast<unsigned long>(count)));
}

void FrameWindow::DeleteFromHereCommand(int) {
    if (!ResultPaneFocused()) return;
    resultPane_.ForgetHover();
    RecordDeleteCounts counts = DeleteRecordsFromHere(resultPane_.Model());
    resultPane_.Changed();
    if (counts.checks + counts.changes) SaveChangeLog();
}

void FrameWindow::SelectAllCommand(int) {
    TreeView* pane = ItemPaneFocused()     ? static_cast<TreeView*>(&itemPane_)
                     : ResultPaneFocused() ? static_cast<TreeView*>(&resultPane_)
                                           : nullptr;
    if (!pane) return;
    pane->Model().SelectAll();
    pane->Changed();
}

// The link of the selected change (913) or the address of the target
// object (914), as text and as a link.
void FrameWindow::CopyLinkCommand(int id) {
    AStr url;
    if (id == CMD_COPY_CHANGE_LINK) {
        if (ChangeNode* change = SelectedLinkedChange()) url = change->link;
    } else if (ItemNode* target = OpenTarget()) {
        url = target->properties.address;
    }
    if (url.IsEmpty()) return;
    PutClipboard(Handle(), {{CF_TEXT, ClipText(url.c_str())}, {UrlFormat(), ClipText(url.c_str())}},
                 {UrlFormat()});
}
