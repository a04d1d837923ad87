// The main window's commands that make and change objects: new pages,
// mailboxes and folders at the caret, protecting, switching checks off and
// on, clearing the history, marking seen, and moving to the other pane.
#include <functional>

#include "lang/CommandIds.h"
#include "panes/ItemDrop.h"
#include "panes/PaneCommands.h"
#include "ui/FrameWindow.h"
#include "ui/ItemPropSheet.h"

namespace {

enum ObjectKind { kKindWebPage = 0, kKindMailbox = 1, kKindFolder = 2 };

// The object and everything below it, children first.
void ChildrenFirst(ItemNode& object, const std::function<void(ItemNode&)>& visit) {
    for (ItemNode* child = object.FirstItem(); child; child = child->NextItem())
        ChildrenFirst(*child, visit);
    visit(object);
}

// Whether the object (compared, never followed) is the list or in it.
bool InList(ItemList& list, const ItemNode* object) {
    for (ItemNode* o = &list; o; o = o->NextInTree(&list))
        if (o == object) return true;
    return false;
}

}  // namespace

bool FrameWindow::EditNewObject(ItemProperties& properties, bool isMailbox) {
    if (newObjectEditor_) return newObjectEditor_(properties, isMailbox);
    return EditObject(Handle(), properties, isMailbox, false, false) == 1;
}

// The property sheet on the defaults for new objects, comparing texts, with
// the address filled in; on OK the object is made at the position.
bool FrameWindow::NewWebPage(const AStr& address, const InsertPosition& at) {
    ItemProperties page = options_->defaults;
    page.modify = kModeText;
    page.address = address;
    if (!EditNewObject(page, false) || page.address.IsEmpty()) return false;
    NewObject(page, at);
    return true;
}

void FrameWindow::NewWebPageAfterDrop(const AStr& address, const InsertPosition& at) {
    droppedPages_.emplace_back(address, at);
    PostMessageW(Handle(), kDroppedPagesMessage, 0, 0);
}

// The dropped addresses, each at its position while that is still in the
// list (objects may have gone since the drop), else at the list's end.
void FrameWindow::OpenDroppedPages() {
    std::vector<std::pair<AStr, InsertPosition>> pages;
    pages.swap(droppedPages_);
    for (auto& page : pages) {
        InsertPosition& at = page.second;
        if (!InList(list_, at.parent) || (at.anchor && !InList(list_, at.anchor)))
            at = InsertPosition{&list_, nullptr, false};
        NewWebPage(page.first, at);
    }
}

ItemNode* FrameWindow::NewObject(const ItemProperties& properties, const InsertPosition& at) {
    auto* object = new ItemNode(properties);
    object->neverChecked = true;
    list_.AssignCopyNumber(*object);
    InsertPosition where = at;
    if (!where.parent) where = InsertPosition{&list_, nullptr, false};
    PlaceObject(where, nullptr, object);
    object->SetMarks(kMarkSwitchedOn);
    itemPane_.AddObjectNode(*object);
    if (engine_) engine_->RequestCheck(*object);
    SaveWatchList();
    return object;
}

// New mailbox (918), and new object of a chosen kind (920).
void FrameWindow::NewObjectCommand(int id) {
    int kind = kKindMailbox;
    if (id == CMD_NEW_OBJECT) {
        kind = kKindWebPage;
        if (!ChooseObjectKind(Handle(), kind)) return;
    }
    const InsertPosition at = NewObjectPosition(list_, itemPane_.Caret());
    if (kind == kKindFolder) {
        NewFolderCommand(CMD_NEW_FOLDER);
    } else if (kind == kKindWebPage) {
        NewWebPage(AStr(), at);
    } else {
        ItemProperties mailbox = options_->defaults;
        mailbox.modify = kModeText;
        if (EditNewObject(mailbox, true) && !mailbox.address.IsEmpty()) NewObject(mailbox, at);
    }
}

void FrameWindow::NewFolderCommand(int) {
    ItemProperties folder;
    folder.color = options_->defaults.color;
    if (!EditFolder(Handle(), folder)) return;
    folder.address.Clear();  // an address would make it a page
    auto* object = new ItemNode(folder);
    PlaceObject(NewObjectPosition(list_, itemPane_.Caret()), nullptr, object);
    itemPane_.AddObjectNode(*object);
    SaveWatchList();
}

// Protect (501) and unprotect (502); saved with the next change.
void FrameWindow::ProtectCommand(int id) {
    for (ItemNode* object : itemPane_.Selected()) {
        if (id == CMD_PROTECT)
            object->properties.flags |= kFlagProtected;
        else
            object->properties.flags &= static_cast<uint16_t>(~kFlagProtected);
        RefreshObjectNode(*object);
    }
}

// Switch off (916): every object below too, children first. Switch on
// (917): every page and mailbox of the selection and below a selected
// folder, each asked for a check.
void FrameWindow::SwitchCommand(int id) {
    for (ItemNode* top : TopObjects(itemPane_.Selected())) {
        ChildrenFirst(*top, [&](ItemNode& object) {
            if (id == CMD_SWITCH_OFF) {
                if (engine_) engine_->StopChecks(object);
                object.ClearMarks(kMarkSwitchedOn);
            } else if (!object.IsFolder() && engine_) {
                engine_->SwitchOn(object);
            }
            RefreshObjectNode(object);
        });
    }
    SaveWatchList();
}

// Clear history (915): checks stopped, seen, records gone, children first.
void FrameWindow::ClearHistoryCommand(int) {
    ItemNode* shown = current_;
    resultPane_.Clear();  // its nodes point at the records that go
    current_ = nullptr;
    for (ItemNode* top : TopObjects(itemPane_.Selected())) {
        ChildrenFirst(*top, [&](ItemNode& object) {
            if (engine_) engine_->StopChecks(object);
            MarkSeen(object);
            object.checks.Clear();
            RefreshObjectNode(object);
        });
    }
    ShowObjectResults(shown);
    SaveChangeLog();
}

void FrameWindow::MarkSeenCommand(int) {
    for (ItemNode* object : itemPane_.Selected()) MarkSeen(*object);
}

// Tab and Shift+Tab: the other pane gets the focus, and its first node the
// caret when it has none.
void FrameWindow::OtherPaneCommand(int) {
    const bool toItems = ResultPaneFocused();
    TreeView& other = toItems ? static_cast<TreeView&>(itemPane_) : resultPane_;
    if (!other.Model().Caret() && other.Root()->First()) {
        other.Model().SetCaret(static_cast<TreeViewNode*>(other.Root()->First()));
        other.Changed();
    }
    focusedPane_ = other.Handle();
    SetFocus(other.Handle());
}
