#include "cli/TreeEdits.h"

#include "watchlist/ObjectStream.h"
#include "watchlist/UserFiles.h"

namespace {

// Pre-order walk of the object and everything below it.
template <class F>
void ForSubtree(ItemNode& object, F f) {
    for (ItemNode* o = &object; o; o = o->NextInTree(&object)) f(*o);
}

void DeleteTree(ItemList& list, ItemNode* object) {
    ForSubtree(*object, [&](ItemNode& o) {
        if (!o.IsFolder()) DeleteObjectFiles(list, o);
    });
    delete object;  // unlinks itself and destroys its children and checks
}

}  // namespace

void RequestCheck(ItemNode& object) {
    if (!object.IsFolder() && object.FramesComplete()) object.state = kCheckRequested;
}

ItemNode& NewObject(ItemList& list, ItemNode& parent, const ItemProperties& properties) {
    ItemNode* object = new ItemNode(properties);
    object->neverChecked = true;
    parent.Append(object);
    if (!object->IsFolder()) list.AssignCopyNumber(*object);
    object->marks = 0;
    object->SetMarks(kMarkSwitchedOn);
    RequestCheck(*object);
    return *object;
}

void EditObject(ItemList& list, ItemNode& object, const ItemProperties& edited) {
    bool addressChanged = object.properties.address != edited.address;
    bool periodChanged = object.properties.timedelta != edited.timedelta;
    object.properties = edited;
    if (addressChanged && !object.IsFolder()) {
        object.ClearMarks(kMarkUnseen);
        object.checks.Clear();
        DeleteObjectFiles(list, object);
        object.frames.reset();
        object.neverChecked = true;
        object.state = kCheckIdle;
    }
    if (addressChanged || periodChanged) RequestCheck(object);
}

std::vector<ItemNode*> DeleteObjects(ItemList& list, const std::vector<ItemNode*>& objects) {
    std::vector<ItemNode*> refused, doomed;
    for (ItemNode* o : objects) {
        bool inside = false;
        for (ItemNode* other : objects)
            if (other != o && other->IsAncestorOf(o)) inside = true;
        if (inside) continue;
        bool listed = false;
        for (ItemNode* d : doomed) listed = listed || d == o;
        if (listed) continue;
        if (o->IsProtectedTree())  // true: nothing protected in it
            doomed.push_back(o);
        else
            refused.push_back(o);
    }
    for (ItemNode* o : doomed) DeleteTree(list, o);
    list.RecomputeMarks();
    return refused;
}

bool MoveObject(ItemList& list, ItemNode& object, ItemNode& folder) {
    if (&folder == &object || object.IsAncestorOf(&folder)) return false;
    folder.Append(&object);
    list.RecomputeMarks();
    return true;
}

void SwitchOn(ItemNode& object) {
    ForSubtree(object, [](ItemNode& o) {
        if (o.IsFolder()) return;
        o.SetMarks(kMarkSwitchedOn);
        RequestCheck(o);
    });
}

void SwitchOff(ItemNode& object) {
    // Children first, so that each folder's derived marks follow its children.
    std::vector<ItemNode*> nodes;
    ForSubtree(object, [&](ItemNode& o) { nodes.push_back(&o); });
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) {
        (*it)->state = kCheckIdle;
        (*it)->ClearMarks(kMarkSwitchedOn);
    }
}

void MarkSeen(ItemNode& object) {
    std::vector<ItemNode*> nodes;
    ForSubtree(object, [&](ItemNode& o) { nodes.push_back(&o); });
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) (*it)->ClearMarks(kMarkUnseen);
}

std::string CopyToStream(const std::vector<const ItemNode*>& objects) {
    return ObjectsToStream(objects);
}

bool ReadStream(const std::string& bytes, ItemList& into) {
    return ReadObjectStream(bytes.data(), bytes.size(), into);
}

size_t InsertObjects(ItemList& list, ItemNode& parent, ItemList& from,
                     std::vector<ItemNode*>* held) {
    size_t count = 0;
    InsertPosition end;
    end.parent = &parent;
    for (ItemNode* top : InsertObjectsAt(list, end, from, held))
        for (ItemNode* o = top; o; o = o->NextInTree(top)) ++count;
    return count;
}
