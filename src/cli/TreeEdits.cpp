#include "cli/TreeEdits.h"

#include "stream/MemStream.h"
#include "watchlist/HeldEvents.h"
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
    // The copies are the records themselves: a temporary list writes the
    // header and the count, each object its own record with its subtree.
    omwstreambuf buffer(0xFFFFFFFF);
    obwstream out(512);
    out.Attach(&buffer);
    const char* header = ItemList::kHeader;
    out.Write(header, sizeof(ItemList::kHeader));
    uint8_t version = ItemList::kVersion;
    out.Write(&version, 1);
    uint16_t count = static_cast<uint16_t>(objects.size());
    uint8_t countBytes[2] = {static_cast<uint8_t>(count & 0xFF), static_cast<uint8_t>(count >> 8)};
    out.Write(countBytes, 2);
    for (const ItemNode* o : objects) o->Save(out);
    if (!out.Flush() || out.IsError()) return std::string();
    return std::string(buffer.Data() ? buffer.Data() : "", static_cast<size_t>(buffer.Size()));
}

bool ReadStream(const std::string& bytes, ItemList& into) {
    imwstream in(bytes.data(), static_cast<long>(bytes.size()));
    return into.Load(in) == 0;
}

size_t InsertObjects(ItemList& list, ItemNode& parent, ItemList& from,
                     std::vector<ItemNode*>* held) {
    // Numbers from another list mean nothing here: all are dropped first so
    // that none of them blocks a fresh one.
    std::vector<ItemNode*> inserted;
    std::vector<std::pair<ItemNode*, _HtmlFrameNode*>> numberedFrames;
    while (ItemNode* top = from.FirstItem()) {
        parent.Append(top);
        ForSubtree(*top, [&](ItemNode& o) {
            o.copyNumber = 0;
            for (_HtmlFrameNode* f = o.frames.get(); f; f = f->NextInTree(o.frames.get())) {
                if (f->copyNumber) numberedFrames.emplace_back(&o, f);
                f->copyNumber = 0;
            }
            inserted.push_back(&o);
        });
    }
    for (ItemNode* o : inserted) {
        if (HoldProgramEvent(*o) && held) held->push_back(o);
        o->neverChecked = true;
        o->properties.lastCheck = 0;
        o->state = kCheckIdle;
        if (o->IsFolder()) continue;
        list.AssignCopyNumber(*o);
        RequestCheck(*o);
    }
    for (auto& frame : numberedFrames) list.AssignCopyNumber(*frame.first, frame.second);
    list.RecomputeMarks();
    return inserted.size();
}
