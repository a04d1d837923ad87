#include "panes/ItemDrop.h"

#include <algorithm>

#include "panes/ItemPane.h"
#include "watchlist/ItemNode.h"

uint32_t AskedDropEffect(bool ctrl, bool shift) {
    if (ctrl && shift) return kDropLink;
    return ctrl ? kDropCopy : kDropMove;
}

uint32_t FallBackDropEffect(uint32_t asked, uint32_t allowed) {
    uint32_t first = kDropNone, second = kDropNone;
    if (asked == kDropCopy) {
        first = kDropCopy;
        second = kDropMove;
    } else if (asked == kDropMove) {
        first = kDropMove;
        second = kDropCopy;
    }
    if (first != kDropNone && (allowed & first)) return first;
    if (second != kDropNone && (allowed & second)) return second;
    return (asked & (kDropCopy | kDropMove | kDropLink)) && (allowed & kDropLink) ? kDropLink
                                                                                  : kDropNone;
}

namespace {

bool OnOrBelowSelected(TreeViewNode* node) {
    for (; node; node = node->ParentNode())
        if (node->IsSelected()) return true;
    return false;
}

// The mark for objects appended to `target`: after its last shown child,
// else after its own node.
void MarkEnd(ItemDropTarget& t, TreeViewNode* targetNode, bool isRoot) {
    TreeViewNode* last = targetNode ? targetNode->LastChildNode() : nullptr;
    if (last && (isRoot || targetNode->IsExpanded()))
        t.markNode = last;
    else if (!isRoot)
        t.markNode = targetNode;
    t.markAfter = true;
}

}  // namespace

ItemDropTarget DropTargetAt(const TreeHitResult& hit, ItemTVNRoot& root, bool fromThisPane) {
    ItemDropTarget t;
    ItemNode* object = ItemPane::ObjectOf(hit.node);
    if (hit.node && fromThisPane && OnOrBelowSelected(hit.node)) return t;
    if (!object || (hit.flags & kHitNowhere)) {
        t.at.parent = root.Object();
        MarkEnd(t, &root, true);
        return t;
    }
    ItemNode* parent = object->ParentItem();
    if (!parent) return t;
    bool onLabel = (hit.flags & kHitOnLabel) != 0;
    if (!object->IsFolder() && onLabel && (hit.flags & (kHitUpperHalf | kHitLowerHalf))) {
        t.at.parent = parent;
        t.at.anchor = object;
        t.at.before = (hit.flags & kHitUpperHalf) != 0;
        t.markNode = hit.node;
        t.markAfter = !t.at.before;
        return t;
    }
    t.at.parent = object;
    MarkEnd(t, hit.node, false);
    return t;
}

std::vector<ItemNode*> TopObjects(const std::vector<ItemNode*>& selected) {
    std::vector<ItemNode*> tops;
    for (ItemNode* o : selected) {
        bool below = false;
        for (ItemNode* other : selected) below = below || (other != o && other->IsAncestorOf(o));
        if (!below && std::find(tops.begin(), tops.end(), o) == tops.end()) tops.push_back(o);
    }
    return tops;
}

std::vector<ItemNode*> DeletableObjects(const std::vector<ItemNode*>& selected) {
    std::vector<ItemNode*> deletable;
    for (ItemNode* o : selected)
        if (o->IsProtectedTree()) deletable.push_back(o);  // true: nothing protected in it
    return TopObjects(deletable);
}

bool PositionInside(const InsertPosition& at, const std::vector<ItemNode*>& objects) {
    for (ItemNode* o : objects)
        if (o == at.parent || o == at.anchor || o->IsAncestorOf(at.parent)) return true;
    return false;
}

std::vector<ItemNode*> CopyObjectsTo(ItemList& list, const std::vector<ItemNode*>& objects,
                                     const InsertPosition& at) {
    std::vector<ItemNode*> tops = TopObjects(objects);
    if (!at.parent || PositionInside(at, tops)) return {};
    std::vector<const ItemNode*> copied(tops.begin(), tops.end());
    std::string bytes = ObjectsToStream(copied);
    std::vector<ItemNode*> inserted;
    if (bytes.empty() || InsertFromStream(list, bytes.data(), bytes.size(), at, &inserted) != 0)
        return {};
    return inserted;
}

std::vector<ItemNode*> MoveObjectsTo(ItemList& list, const std::vector<ItemNode*>& objects,
                                     const InsertPosition& at, std::vector<ItemNode*>* oldParents) {
    std::vector<ItemNode*> moving = DeletableObjects(objects);
    if (!at.parent || moving.empty() || PositionInside(at, moving)) return {};
    ItemNode* previous = nullptr;
    for (ItemNode* o : moving) {
        ItemNode* from = o->ParentItem();
        if (oldParents && from &&
            std::find(oldParents->begin(), oldParents->end(), from) == oldParents->end())
            oldParents->push_back(from);
        if (from) from->Remove(o);
        PlaceObject(at, previous, o);
        previous = o;
    }
    list.RecomputeMarks();
    return moving;
}
