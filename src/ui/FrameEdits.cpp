// Edits of the watch list tree from the main window: objects dropped on or
// dragged out of the item pane, URLs dropped at a position, deleting
// objects and records, and the item pane's clipboard.
#include <algorithm>

#include "panes/ItemDelete.h"
#include "shell/gui/DClipboard.h"
#include "ui/FrameWindow.h"

namespace {

bool InSubtree(const ItemNode* object, const ItemNode* top) {
    return object && (object == top || top->IsAncestorOf(object));
}

}  // namespace

void FrameWindow::ConnectItemPane() {
    ItemDropHost host;
    host.newWebPage = [this](const AStr& url, const InsertPosition& at) {
        NewWebPageAfterDrop(url, at);
    };
    host.objectsPlaced = [this]() {
        if (engine_) engine_->SetNewChanges(list_.CountNewChanges());
        SaveWatchList();
    };
    host.deleteObjects = [this](const std::vector<ItemNode*>& objects) {
        DeleteObjectList(objects);
    };
    itemPane_.SetDropHost(std::move(host));
}

size_t FrameWindow::DeleteObjects(bool confirmed) {
    return confirmed ? DeleteObjectList(itemPane_.Selected()) : 0;
}

size_t FrameWindow::DeleteObjectList(const std::vector<ItemNode*>& objects) {
    std::vector<ItemNode*> doomed = DeletableObjects(objects);
    if (doomed.empty()) return 0;
    ItemNode* caret = itemPane_.Caret();
    itemPane_.SetCaret(nullptr);
    // A news-tape folder above a deleted object shows its checks: it is
    // emptied now and gathered again afterwards.
    ItemNode* reshow = nullptr;
    for (ItemNode* o : doomed) {
        if (InSubtree(caret, o)) caret = nullptr;
        if (InSubtree(current_, o) || (current_ && current_->IsAncestorOf(o))) {
            if (current_ != o && current_->IsAncestorOf(o)) reshow = current_;
            resultPane_.Clear();
            current_ = nullptr;
        }
        itemPane_.RemoveObjectNode(*o);
    }
    ObjectDeleteCounts counts = DeleteObjectTrees(list_, doomed, [this](ItemNode& o) {
        if (engine_) engine_->StopChecks(o);
    });
    if (engine_) engine_->SetNewChanges(std::max(0L, engine_->NewChanges() - counts.unseen));
    if (caret) {
        itemPane_.SetCaret(caret);
        itemPane_.RefreshNode(*caret);
    }
    if (reshow) ShowObjectResults(reshow);
    SaveWatchList();
    return counts.objects;
}

size_t FrameWindow::DeleteRecords() {
    resultPane_.ForgetHover();
    RecordDeleteCounts counts = DeleteSelectedRecords(resultPane_.Model());
    resultPane_.Changed();
    if (counts.checks + counts.changes) SaveChangeLog();
    return counts.checks + counts.changes;
}

bool FrameWindow::CopyObjectsToClipboard(const std::vector<ItemNode*>& objects) {
    std::vector<DClipEntry> entries;
    if (objects.size() == 1) entries = ObjectClipEntries(objects, objects[0]);
    return PutClipboard(Handle(), entries, {UrlFormat()});
}

int FrameWindow::PasteObjects(ItemNode* parent) {
    return PasteObjects(InsertPosition{parent ? parent : &list_, nullptr, false});
}
