// Drag and drop in the item pane: the selected objects dragged out as the
// private stream with the caret object's URL, the insertion mark while a
// drag is over the pane, and the drops: the pane's own selection copied or
// moved, a stream from elsewhere inserted, a URL handed to the new-web-page
// flow at the drop position.
#include "shell/gui/DClipboard.h"
#include "ui/TreeViewUrl.h"
#include "watchlist/ItemList.h"

namespace {

// The longest private stream taken from a drop (bytes).
constexpr size_t kMaxDroppedStream = 64u << 20;
constexpr size_t kMaxDroppedUrl = 4096;

uint32_t KeyEffect(DWORD keys, DWORD allowed) {
    return FallBackDropEffect(AskedDropEffect((keys & MK_CONTROL) != 0, (keys & MK_SHIFT) != 0),
                              allowed);
}

std::string WithZero(const AStr& text) {
    return std::string(text.c_str() ? text.c_str() : "") + '\0';
}

}  // namespace

CLIPFORMAT ObjectFormat() {
    return RegisteredFormat(L"OVisto Format");
}

CLIPFORMAT UrlFormat() {
    return RegisteredFormat(L"UniformResourceLocator");
}

std::vector<DClipEntry> ObjectClipEntries(const std::vector<ItemNode*>& objects,
                                          const ItemNode* urlObject) {
    std::vector<DClipEntry> entries;
    std::vector<const ItemNode*> copied(objects.begin(), objects.end());
    std::string stream = ObjectsToStream(copied);
    if (!stream.empty()) entries.push_back({ObjectFormat(), stream});
    if (urlObject && !urlObject->properties.address.IsEmpty()) {
        std::string url = WithZero(urlObject->properties.address);
        entries.push_back({UrlFormat(), url});
        entries.push_back({static_cast<CLIPFORMAT>(CF_TEXT), url});
    }
    return entries;
}

void TreeViewUrl::BeginDrag(TreeViewNode*) {
    StartDrag();
}

DWORD TreeViewUrl::StartDrag() {
    std::vector<ItemNode*> objects = TopObjects(Selected());
    if (objects.empty()) return DROPEFFECT_NONE;
    auto* data = new DDataObject(ObjectClipEntries(objects, Caret()));
    DWORD effect = drag_.DoDrag(data, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    data->Release();
    // A drop in this pane reports a copy, so only another window's move
    // takes the objects away from here.
    if (effect == DROPEFFECT_MOVE && dropHost_.deleteObjects) dropHost_.deleteObjects(objects);
    return effect;
}

DWORD TreeViewUrl::OnDragOver(DropWin& target, IDataObject* object, DWORD keys, POINTL point,
                              DWORD allowed) {
    ItemDropTarget at;
    if (DataOffers(object, ObjectFormat()) || target.OfferedFormat(object)) {
        POINT p{point.x, point.y};
        ScreenToClient(Handle(), &p);
        at = DropTargetAt(Model().HitTest(p.x, p.y), urlRoot, drag_.IsDragging());
    }
    uint32_t effect = at.Accepts() ? KeyEffect(keys, allowed) : kDropNone;
    if (effect == kDropNone) at = ItemDropTarget();
    SetInsertMark(at.markNode, at.markAfter);
    return effect;
}

void TreeViewUrl::OnDragLeave(DropWin&) {
    SetInsertMark(nullptr, false);
}

DWORD TreeViewUrl::OnDrop(DropWin& target, IDataObject* object, DWORD keys, POINTL point,
                          DWORD allowed) {
    POINT p{point.x, point.y};
    ScreenToClient(Handle(), &p);
    ItemDropTarget at = DropTargetAt(Model().HitTest(p.x, p.y), urlRoot, drag_.IsDragging());
    SetInsertMark(nullptr, false);
    uint32_t effect = KeyEffect(keys, allowed);
    if (!at.Accepts() || effect == kDropNone) return DROPEFFECT_NONE;
    if (DataOffers(object, ObjectFormat())) {
        if (drag_.IsDragging()) {
            CopyOrMoveSelection(at.at, effect);
            return DROPEFFECT_COPY;  // the source deletes nothing
        }
        std::string bytes;
        if (!ReadDataBytes(object, ObjectFormat(), &bytes, kMaxDroppedStream)) return kDropNone;
        return InsertStream(bytes, at.at) == 0 ? effect : kDropNone;
    }
    CLIPFORMAT format = target.OfferedFormat(object);
    AStr url;
    if (!format || !DropWin::ReadText(object, format, kMaxDroppedUrl, &url)) return kDropNone;
    if (dropHost_.newWebPage) dropHost_.newWebPage(url, at.at);
    return effect;
}

int TreeViewUrl::InsertStream(const std::string& bytes, const InsertPosition& at) {
    ItemList* list = urlRoot.Object()->Root();
    std::vector<ItemNode*> inserted;
    if (!list || InsertFromStream(*list, bytes.data(), bytes.size(), at, &inserted) != 0) return -1;
    for (ItemNode* o : inserted) AddObjectNode(*o);
    if (dropHost_.objectsPlaced) dropHost_.objectsPlaced();
    return 0;
}

void TreeViewUrl::CopyOrMoveSelection(const InsertPosition& at, uint32_t effect) {
    ItemList* list = urlRoot.Object()->Root();
    if (!list) return;
    if (effect != kDropMove) {
        for (ItemNode* o : CopyObjectsTo(*list, Selected(), at)) AddObjectNode(*o);
    } else {
        ItemNode* caret = Caret();
        std::vector<ItemNode*> moved = MoveObjectsTo(*list, Selected(), at);
        for (ItemNode* o : moved) {
            RemoveObjectNode(*o);
            AddObjectNode(*o);
        }
        // The moved objects stay selected, the caret where it was.
        for (ItemNode* o : moved) Model().Select(static_cast<TreeViewNode*>(o->treeNode), true);
        if (caret && caret->treeNode) Model().SetCaret(static_cast<TreeViewNode*>(caret->treeNode));
        Changed();
    }
    if (dropHost_.objectsPlaced) dropHost_.objectsPlaced();
}
