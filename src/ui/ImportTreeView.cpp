#include "ui/ImportTreeView.h"

#include <algorithm>

#include "panes/ItemDrop.h"
#include "shell/gui/DClipboard.h"
#include "watchlist/ItemNode.h"

namespace {

// The longest stream or address taken from the clipboard or a drop (bytes).
constexpr size_t kMaxStream = 64u << 20;
constexpr size_t kMaxUrl = 4096;
// The most zero bytes a global memory block is rounded up by.
constexpr size_t kMostPadding = 16;
// Images of bitmap 1: a folder, an entry standing for an object, a new one.
constexpr int kFolderImage = 0;
constexpr int kObjectImage = 2;
constexpr int kNewEntryImage = 5;

std::vector<ImportDragDropData*>& LiveDrags() {
    static std::vector<ImportDragDropData*> live;
    return live;
}

CLIPFORMAT UrlClipFormat() {
    return RegisteredFormat(L"UniformResourceLocator");
}

std::string WithZero(const AStr& text) {
    return std::string(text.c_str() ? text.c_str() : "") + '\0';
}

// The text of a URL format up to its first NUL.
AStr TextOf(const std::string& bytes) {
    return AStr(bytes.c_str());
}

// The copied entries as the clipboard and a drag carry them: the stream and,
// when the caret entry has an address, that address.
std::vector<DClipEntry> ClipEntries(const std::vector<CopiedEntry>& copies,
                                    const ImportNode* caret) {
    std::vector<DClipEntry> entries;
    std::string stream = ImportRecordBytes(copies);
    if (!stream.empty()) entries.push_back({ImportFormat(), stream});
    if (caret && !caret->properties.address.IsEmpty()) {
        std::string url = WithZero(caret->properties.address);
        entries.push_back({UrlClipFormat(), url});
        entries.push_back({static_cast<CLIPFORMAT>(CF_TEXT), url});
    }
    return entries;
}

}  // namespace

CLIPFORMAT ImportFormat() {
    return RegisteredFormat(L"OVisto Format");
}

// ---- nodes and drag data ----

ImportTVN::ImportTVN(ImportNode* entry) : entry_(entry) {
    entry_->treeNode = this;
}

ImportTVN::~ImportTVN() {
    if (entry_->treeNode == this) entry_->treeNode = nullptr;
}

ImportDragDropData::ImportDragDropData(ImportTreeView& source, std::vector<DClipEntry> entries)
    : DDataObject(std::move(entries)), source_(source) {
    LiveDrags().push_back(this);
}

ImportDragDropData::~ImportDragDropData() {
    auto& live = LiveDrags();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

ImportDragDropData* ImportDragDropData::Of(IDataObject* object) {
    for (ImportDragDropData* d : LiveDrags())
        if (static_cast<IDataObject*>(d) == object) return d;
    return nullptr;
}

// ---- the pane ----

ImportTreeView::ImportTreeView(ImportNode& root, bool editable, ImportPaneHost host)
    : ImportTreeRoot(root),
      TreeView(&rootNode),
      editable_(editable),
      host_(std::move(host)),
      dropTarget_(*this, {UrlClipFormat(), static_cast<CLIPFORMAT>(CF_TEXT)}) {}

ImportTreeView::~ImportTreeView() {
    Model().RemoveAll();
}

bool ImportTreeView::Create(HWND dialog, int id, HWND after, const RECT& at) {
    HINSTANCE program = GetModuleHandleW(nullptr);
    if (!CreateView(dialog, id, WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE, program))
        return false;
    SetWindowPos(Handle(), after, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOACTIVATE);
    SendMessageW(Handle(), WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    images_.Load(program, 1, TreeViewModel::kIconSize);
    states_.Load(program, 2, TreeViewModel::kIconSize);
    SetImageLists(images_.Handle(), states_.Handle());
    SetTips(this, 500, 20000, true);
    SetDragSource(true);
    if (editable_) dropTarget_.Register(Handle());
    return true;
}

void ImportTreeView::OnDestroy() {
    dropTarget_.Revoke();
    TreeView::OnDestroy();
}

void ImportTreeView::Rebuild() {
    RemoveAll();
    for (ImportNode* e = RootEntry().FirstEntry(); e; e = e->NextEntry()) AddEntryNode(*e);
    Model().Expand(&rootNode, true);
    if (TreeViewNode* first = rootNode.FirstChildNode()) Model().Click(first, false, false);
    Changed();
}

void ImportTreeView::AddEntryNode(ImportNode& entry) {
    ImportNode* parent = entry.ParentEntry();
    auto* parentNode = static_cast<TreeViewNode*>(parent ? parent->treeNode : nullptr);
    if (!parentNode || entry.treeNode) return;
    TreeViewNode* before = nullptr;
    for (ImportNode* s = entry.NextEntry(); s && !before; s = s->NextEntry())
        before = static_cast<TreeViewNode*>(s->treeNode);
    auto* node = new ImportTVN(&entry);
    // The pane opens the program's folders as the item pane shows them.
    if (entry.sourceObject) node->InitExpanded(entry.sourceObject->expanded);
    Model().Insert(parentNode, node, before);
    const bool folder = entry.properties.address.IsEmpty();
    int image = folder ? kFolderImage : entry.sourceObject ? kObjectImage : kNewEntryImage;
    SetNode(node, entry.Text().c_str(), image, 0);
    for (ImportNode* child = entry.FirstEntry(); child; child = child->NextEntry())
        AddEntryNode(*child);
}

ImportNode* ImportTreeView::EntryOf(TreeViewNode* node) {
    auto* n = dynamic_cast<ImportTVN*>(node);
    return n && !dynamic_cast<ImportTVNRoot*>(node) ? n->Entry() : nullptr;
}

std::vector<ImportNode*> ImportTreeView::Selected() const {
    std::vector<ImportNode*> entries;
    for (TreeViewNode* node : Model().Selected())
        if (ImportNode* e = EntryOf(node)) entries.push_back(e);
    return entries;
}

std::vector<CopiedEntry> ImportTreeView::CopiedSelection() const {
    std::vector<CopiedEntry> copies;
    std::vector<ImportNode*> selected = Selected();
    for (ImportNode* e : selected) {
        bool below = false;
        for (ImportNode* other : selected) below = below || (other != e && other->IsAncestorOf(e));
        if (below) continue;
        auto* node = static_cast<TreeViewNode*>(e->treeNode);
        copies.push_back({e, !(node && node->IsExpanded())});
    }
    return copies;
}

void ImportTreeView::Place(ImportNode* entry, const EntryPosition& at, ImportNode* previous) {
    if (previous)
        at.parent->InsertAfter(previous, entry);
    else if (!at.anchor)
        at.parent->Append(entry);
    else if (at.before)
        at.parent->InsertBefore(at.anchor, entry);
    else
        at.parent->InsertAfter(at.anchor, entry);
    AddEntryNode(*entry);
}

ImportNode* ImportTreeView::PlaceCopies(const std::vector<CopiedEntry>& copies,
                                        const EntryPosition& at) {
    ImportNode *first = nullptr, *previous = nullptr;
    for (const CopiedEntry& c : copies) {
        ImportNode* copy = c.entry->Copy(c.withSubtree).release();
        Place(copy, at, previous);
        previous = copy;
        if (!first) first = copy;
    }
    Changed();
    return first;
}

bool ImportTreeView::PlaceStream(const std::string& bytes, const EntryPosition& at) {
    ImportNode read;
    // A global memory block may come rounded up with zero bytes behind the
    // stream; those few are let go, anything else spoils the stream.
    size_t size = bytes.size();
    while (ReadImportRecords(bytes.data(), size, read) == 0)
        if (size == 0 || bytes.size() - size >= kMostPadding || bytes[--size] != '\0') return false;
    ImportNode* previous = nullptr;
    while (ImportNode* e = read.FirstEntry()) {
        read.Remove(e);
        Place(e, at, previous);
        previous = e;
    }
    Changed();
    return true;
}

void ImportTreeView::MoveSelection(const EntryPosition& at) {
    std::vector<CopiedEntry> tops = CopiedSelection();
    ImportNode* previous = nullptr;
    for (const CopiedEntry& c : tops) {
        auto* e = const_cast<ImportNode*>(c.entry);
        if (auto* node = static_cast<TreeViewNode*>(e->treeNode)) Remove(node);
        e->ParentEntry()->Remove(e);
        Place(e, at, previous);
        // Moved as it was shown: a collapsed entry (with its subtree) stays closed.
        if (!c.withSubtree) Model().Expand(static_cast<TreeViewNode*>(e->treeNode), true);
        previous = e;
    }
    // The moved entries stay selected.
    for (const CopiedEntry& c : tops)
        Model().Select(static_cast<TreeViewNode*>(c.entry->treeNode), true);
    Changed();
}

void ImportTreeView::Edited() {
    if (host_.changed) host_.changed();
}

// ---- keys and the clipboard ----

bool ImportTreeView::CopyToClipboard() {
    return PutClipboard(Handle(), ClipEntries(CopiedSelection(), CaretEntry()), {UrlClipFormat()});
}

bool ImportTreeView::Paste() {
    if (!editable_) return false;
    EntryPosition at;
    at.parent = CaretEntry() ? CaretEntry() : &RootEntry();
    std::string bytes;
    if (ClipboardOffers(ImportFormat())) {
        if (!ReadClipboard(Handle(), ImportFormat(), &bytes, kMaxStream) || !PlaceStream(bytes, at))
            return false;
    } else {
        if (!ReadClipboard(Handle(), UrlClipFormat(), &bytes, kMaxUrl) &&
            !ReadClipboard(Handle(), CF_TEXT, &bytes, kMaxUrl))
            return false;
        AStr url = TextOf(bytes);
        if (url.IsEmpty() || !host_.defaults) return false;
        Place(new ImportNode(*host_.defaults, url, url), at, nullptr);
        Changed();
    }
    Edited();
    return true;
}

size_t ImportTreeView::DeleteSelected() {
    if (!editable_) return 0;
    size_t removed = 0;
    for (const CopiedEntry& c : CopiedSelection()) {
        if (c.entry->HoldsProtected()) continue;
        auto* e = const_cast<ImportNode*>(c.entry);
        if (auto* node = static_cast<TreeViewNode*>(e->treeNode)) Remove(node);
        delete e->ParentEntry()->Remove(e);
        ++removed;
    }
    if (removed) Edited();
    return removed;
}

bool ImportTreeView::OnEditKey(WPARAM key) {
    if (GetKeyState(VK_MENU) < 0) return false;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    if (key == VK_INSERT) {
        if (ctrl) return CopyToClipboard();
        if (shift) return Paste();
        if (editable_ && host_.newEntry) host_.newEntry(CaretEntry() ? *CaretEntry() : RootEntry());
        return true;
    }
    if (key != VK_DELETE) return false;
    if (shift) CopyToClipboard();
    DeleteSelected();
    return true;
}

LRESULT ImportTreeView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && OnEditKey(wParam)) return 0;
    return TreeView::WindowProc(message, wParam, lParam);
}

// ---- drag and drop ----

void ImportTreeView::BeginDrag(TreeViewNode*) {
    StartDrag();
}

DWORD ImportTreeView::StartDrag() {
    std::vector<CopiedEntry> copies = CopiedSelection();
    if (copies.empty()) return DROPEFFECT_NONE;
    auto* data = new ImportDragDropData(*this, ClipEntries(copies, CaretEntry()));
    DWORD effect = drag_.DoDrag(data, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    data->Release();
    return effect;
}

EntryPosition ImportTreeView::DropPosition(POINTL point, bool ownDrag, TreeViewNode** mark,
                                           bool* after) {
    POINT p{point.x, point.y};
    ScreenToClient(Handle(), &p);
    TreeHitResult hit = Model().HitTest(p.x, p.y);
    EntryPosition at;
    *mark = nullptr;
    *after = true;
    ImportNode* entry = EntryOf(hit.node);
    if (!entry) {
        at.parent = &RootEntry();
        *mark = rootNode.LastChildNode();
        return at;
    }
    if (ownDrag)
        for (TreeViewNode* s : Model().Selected())
            if (s == hit.node || s->IsAncestorOf(hit.node)) return EntryPosition();
    *mark = hit.node;
    if (entry->properties.address.IsEmpty()) {
        at.parent = entry;  // into a folder
        return at;
    }
    at.parent = entry->ParentEntry();
    at.anchor = entry;
    at.before = (hit.flags & kHitUpperHalf) != 0;
    *after = !at.before;
    return at;
}

namespace {

// A drag within the pane follows the keyboard (Ctrl copies, otherwise a
// move; a link is taken as a copy); one from the other pane copies, and
// moves when Shift, Ctrl or Alt is held; anything else follows the keyboard.
DWORD DropEffectOf(const ImportDragDropData* ours, bool ownPane, DWORD keys, DWORD allowed) {
    const bool ctrl = (keys & MK_CONTROL) != 0, shift = (keys & MK_SHIFT) != 0;
    uint32_t asked = AskedDropEffect(ctrl, shift);
    if (ours && !ownPane) asked = (keys & (MK_SHIFT | MK_CONTROL | MK_ALT)) ? kDropMove : kDropCopy;
    uint32_t effect = FallBackDropEffect(asked, allowed);
    return effect == kDropLink && (allowed & kDropCopy) ? kDropCopy : effect;
}

}  // namespace

DWORD ImportTreeView::OnDragOver(DropWin& target, IDataObject* object, DWORD keys, POINTL point,
                                 DWORD allowed) {
    ImportDragDropData* ours = ImportDragDropData::Of(object);
    DWORD effect = DROPEFFECT_NONE;
    TreeViewNode* mark = nullptr;
    bool after = false;
    if (editable_ && (ours || DataOffers(object, ImportFormat()) || target.OfferedFormat(object))) {
        const bool ownPane = ours && &ours->Source() == this;
        if (DropPosition(point, ownPane, &mark, &after).parent)
            effect = DropEffectOf(ours, ownPane, keys, allowed);
    }
    SetInsertMark(effect ? mark : nullptr, after);
    return effect;
}

void ImportTreeView::OnDragLeave(DropWin&) {
    SetInsertMark(nullptr, false);
}

DWORD ImportTreeView::OnDrop(DropWin& target, IDataObject* object, DWORD keys, POINTL point,
                             DWORD allowed) {
    SetInsertMark(nullptr, false);
    if (!editable_) return DROPEFFECT_NONE;
    ImportDragDropData* ours = ImportDragDropData::Of(object);
    const bool ownPane = ours && &ours->Source() == this;
    TreeViewNode* mark = nullptr;
    bool after = false;
    EntryPosition at = DropPosition(point, ownPane, &mark, &after);
    DWORD effect = DropEffectOf(ours, ownPane, keys, allowed);
    if (!at.parent || effect == DROPEFFECT_NONE) return DROPEFFECT_NONE;
    if (ownPane) {
        if (effect == kDropMove)
            MoveSelection(at);
        else
            PlaceCopies(CopiedSelection(), at);
        Edited();
        return DROPEFFECT_COPY;  // the source takes nothing away
    }
    std::string bytes;
    if (ours) {
        // From the other pane: the stream as it was made, not through memory blocks.
        for (const DClipEntry& e : ours->Entries())
            if (e.format == ImportFormat()) bytes = e.bytes;
        if (!PlaceStream(bytes, at)) return DROPEFFECT_NONE;
    } else if (DataOffers(object, ImportFormat())) {
        if (!ReadDataBytes(object, ImportFormat(), &bytes, kMaxStream) || !PlaceStream(bytes, at))
            return DROPEFFECT_NONE;
    } else {
        CLIPFORMAT format = target.OfferedFormat(object);
        AStr url;
        if (!format || !DropWin::ReadText(object, format, kMaxUrl, &url) || url.IsEmpty() ||
            !host_.defaults)
            return DROPEFFECT_NONE;
        Place(new ImportNode(*host_.defaults, url, url), at, nullptr);
        Changed();
    }
    Edited();
    return effect;
}
