#include "panes/ItemDelete.h"

#include <algorithm>

#include "panes/NewsTape.h"
#include "panes/ResultPane.h"
#include "watchlist/ItemList.h"
#include "watchlist/UserFiles.h"

namespace {

// Derived marks of `folder` and the folders above it from their children,
// each changed one refreshed.
void RecomputeAbove(ItemNode* folder) {
    for (ItemNode* p = folder; p; p = p->ParentItem()) {
        uint16_t bits = 0;
        for (ItemNode* c = p->FirstItem(); c; c = c->NextItem()) bits |= c->marks | c->derivedMarks;
        bits &= kMarkBits;
        if (bits == p->derivedMarks) break;
        p->derivedMarks = bits;
        if (ItemList* list = p->Root()) list->Refresh(*p);
    }
}

void DeleteTree(ItemList& list, ItemNode* object, ObjectDeleteCounts& counts,
                const std::function<void(ItemNode&)>& beforeDelete) {
    while (ItemNode* child = object->FirstItem()) DeleteTree(list, child, counts, beforeDelete);
    if (!object->IsFolder() && (object->marks & kMarkUnseen)) ++counts.unseen;
    if (beforeDelete) beforeDelete(*object);
    if (!object->IsFolder()) DeleteObjectFiles(list, *object);
    ItemNode* parent = object->ParentItem();
    delete object;  // unlinks itself with its checks
    ++counts.objects;
    RecomputeAbove(parent);
}

// Deletes the nodes of a record (a check's node takes its changes' nodes
// with it), then the record.
template <class Record>
void DeleteRecord(Record* record) {
    if (record->treeNode) delete static_cast<TreeViewNode*>(record->treeNode);
    delete record;
}

// Deletes the gathered records: changes first, unless their check goes
// anyway (a copy shows its source's changes), then the checks with the
// sources of copies.
RecordDeleteCounts DeleteGathered(const std::vector<CheckNode*>& checks,
                                  const std::vector<ChangeNode*>& changes) {
    RecordDeleteCounts counts;
    for (ChangeNode* change : changes) {
        bool withCheck = false;
        for (CheckNode* check : checks) {
            CheckNode* source = SourceOf(*check);
            withCheck = withCheck || change->Owner() == &check->changes ||
                        (source && change->Owner() == &source->changes);
        }
        if (withCheck) continue;
        DeleteRecord(change);
        ++counts.changes;
    }
    for (CheckNode* check : checks) {
        CheckNode* source = SourceOf(*check);
        DeleteRecord(check);
        if (source) DeleteRecord(source);
        ++counts.checks;
    }
    return counts;
}

}  // namespace

ObjectDeleteCounts DeleteObjectTrees(ItemList& list, const std::vector<ItemNode*>& objects,
                                     const std::function<void(ItemNode&)>& beforeDelete) {
    ObjectDeleteCounts counts;
    for (ItemNode* o : TopObjects(objects)) DeleteTree(list, o, counts, beforeDelete);
    return counts;
}

RecordDeleteCounts DeleteSelectedRecords(TreeViewModel& model) {
    model.SetCaret(nullptr, false);
    std::vector<CheckNode*> checks;
    std::vector<ChangeNode*> changes;
    for (TreeViewNode* node : model.Selected()) {
        if (CheckNode* check = ResultPane::CheckOf(node)) checks.push_back(check);
        if (ChangeNode* change = ResultPane::ChangeOf(node)) changes.push_back(change);
    }
    model.DeselectAll();
    return DeleteGathered(checks, changes);
}

RecordDeleteCounts DeleteRecordsFromHere(TreeViewModel& model) {
    model.SetCaret(nullptr, false);
    std::vector<CheckNode*> checks;
    std::vector<ChangeNode*> changes;
    auto add = [](auto& list, auto* record) {
        if (std::find(list.begin(), list.end(), record) == list.end()) list.push_back(record);
    };
    for (TreeViewNode* node : model.Selected()) {
        for (CheckNode* c = ResultPane::CheckOf(node); c; c = c->NextCheck()) add(checks, c);
        ChangeNode* change = ResultPane::ChangeOf(node);
        for (; change; change = static_cast<ChangeNode*>(change->Next())) add(changes, change);
    }
    model.DeselectAll();
    return DeleteGathered(checks, changes);
}
