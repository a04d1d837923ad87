#include "watchlist/ObjectStream.h"

#include <utility>

#include "stream/BinIo.h"
#include "stream/MemStream.h"
#include "watchlist/HeldEvents.h"

namespace {

// A page or mailbox whose frames are complete is queued for a check.
void QueueCheck(ItemNode& object) {
    if (!object.IsFolder() && object.FramesComplete()) object.state = 3;
}

}  // namespace

void PlaceObject(const InsertPosition& at, ItemNode* previous, ItemNode* object) {
    ItemNode& parent = *at.parent;
    if (previous)
        parent.InsertAfter(previous, object);
    else if (at.anchor && at.anchor->Owner() == &parent)
        at.before ? parent.InsertBefore(at.anchor, object) : parent.InsertAfter(at.anchor, object);
    else
        parent.Append(object);
}

std::string ObjectsToStream(const std::vector<const ItemNode*>& objects) {
    // The list's own header and count, then each object's record.
    if (objects.size() > 0xFFFF) return std::string();
    omwstreambuf buffer(0xFFFFFFFF);
    obwstream out(512);
    out.Attach(&buffer);
    out.Write(ItemList::kHeader, sizeof ItemList::kHeader);
    WriteU8(out, ItemList::kVersion);
    WriteU16(out, static_cast<uint16_t>(objects.size()));
    for (const ItemNode* o : objects)
        if (o->Save(out) < 0) return std::string();
    if (!out.Flush() || out.IsError()) return std::string();
    return std::string(buffer.Data() ? buffer.Data() : "", static_cast<size_t>(buffer.Size()));
}

bool ReadObjectStream(const void* bytes, size_t size, ItemList& into) {
    imwstream in(static_cast<const char*>(bytes), static_cast<long>(size));
    if (into.Load(in) == 0) return true;
    into.Clear();
    return false;
}

std::vector<ItemNode*> InsertObjectsAt(ItemList& list, const InsertPosition& at, ItemList& from,
                                       std::vector<ItemNode*>* held) {
    // Numbers from another list mean nothing here: all are dropped first so
    // that none of them blocks a fresh one.
    std::vector<ItemNode*> tops, inserted;
    std::vector<std::pair<ItemNode*, _HtmlFrameNode*>> numberedFrames;
    ItemNode* previous = nullptr;
    while (ItemNode* top = from.FirstItem()) {
        from.Remove(top);
        PlaceObject(at, previous, top);
        previous = top;
        tops.push_back(top);
        for (ItemNode* o = top; o; o = o->NextInTree(top)) {
            o->copyNumber = 0;
            for (_HtmlFrameNode* f = o->frames.get(); f; f = f->NextInTree(o->frames.get())) {
                if (f->copyNumber) numberedFrames.emplace_back(o, f);
                f->copyNumber = 0;
            }
            inserted.push_back(o);
        }
    }
    for (ItemNode* o : inserted) {
        if (HoldProgramEvent(*o) && held) held->push_back(o);
        o->neverChecked = true;
        o->properties.lastCheck = 0;
        o->state = 0;
        o->treeNode = nullptr;
        if (o->IsFolder()) continue;
        list.AssignCopyNumber(*o);
        QueueCheck(*o);
    }
    for (auto& frame : numberedFrames) list.AssignCopyNumber(*frame.first, frame.second);
    list.RecomputeMarks();
    return tops;
}

int InsertFromStream(ItemList& list, const void* bytes, size_t size, const InsertPosition& at,
                     std::vector<ItemNode*>* inserted, std::vector<ItemNode*>* held) {
    if (!at.parent) return -1;
    ItemList read;
    if (!bytes || !ReadObjectStream(bytes, size, read)) return -1;
    std::vector<ItemNode*> tops = InsertObjectsAt(list, at, read, held);
    if (inserted) *inserted = std::move(tops);
    return 0;
}
