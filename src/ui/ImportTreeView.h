#pragma once
// The two panes of the import dialog: tree views over the entries of an
// ImportNode tree, one ImportTVN per entry. The left pane (the program's own
// watch list) is edited: entries are dragged within it, dropped into it from
// the other pane or from elsewhere, pasted, deleted and made new. The right
// pane (the source) is read only: it is copied from and dragged from, and
// refuses drops and edits.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "import/ImportRecords.h"
#include "shell/gui/DImageList.h"
#include "shell/gui/DragWin.h"
#include "shell/gui/DropWin.h"
#include "shell/gui/TreeView.h"

// A node of a pane, standing for one entry.
class ImportTVN : public TreeViewNode {
  public:
    explicit ImportTVN(ImportNode* entry);
    ~ImportTVN() override;
    ImportNode* Entry() const { return entry_; }

  private:
    ImportNode* entry_;
};

// The invisible root of a pane, standing for the root entry.
class ImportTVNRoot : public ImportTVN {
  public:
    using ImportTVN::ImportTVN;
};

class ImportTreeView;

// A drag out of a pane: the data object of the copied entries, which knows
// the pane it left, so that a pane of the same dialog tells its own drags
// from a stream of another window.
class ImportDragDropData : public DDataObject {
  public:
    ImportDragDropData(ImportTreeView& source, std::vector<DClipEntry> entries);
    ImportTreeView& Source() const { return source_; }
    // The drag data behind a data object, when it is one of ours in progress.
    static ImportDragDropData* Of(IDataObject* object);

  private:
    ~ImportDragDropData() override;
    ImportTreeView& source_;
};

// Where entries go: into `parent`, before or after `anchor` (a child of
// parent), or appended when there is no anchor.
struct EntryPosition {
    ImportNode* parent = nullptr;
    ImportNode* anchor = nullptr;
    bool before = false;
};

// What a pane asks of its dialog.
struct ImportPaneHost {
    // The left tree was changed.
    std::function<void()> changed;
    // Insert was pressed: a new entry made by the user, under `parent`.
    std::function<void(ImportNode& parent)> newEntry;
    // The properties of entries made from a bare address.
    const ItemProperties* defaults = nullptr;
};

// The root node, made before the view that shows it.
struct ImportTreeRoot {
    explicit ImportTreeRoot(ImportNode& root) : rootNode(&root) {}
    ImportTVNRoot rootNode;
};

class ImportTreeView : private ImportTreeRoot, public TreeView, public DropWin::Owner {
  public:
    // The pane shows `root`'s entries, which must outlive it; `editable`
    // makes it the left pane.
    ImportTreeView(ImportNode& root, bool editable, ImportPaneHost host);
    ~ImportTreeView() override;

    // The pane at `at` (dialog client coordinates), after `after` in the
    // tab order.
    bool Create(HWND dialog, int id, HWND after, const RECT& at);
    bool Editable() const { return editable_; }
    ImportNode& RootEntry() const { return *rootNode.Entry(); }
    // Nodes for every entry anew, the root expanded, the caret on the first.
    void Rebuild();
    // Nodes for an entry placed in the tree, and for its subtree.
    void AddEntryNode(ImportNode& entry);

    static ImportNode* EntryOf(TreeViewNode* node);
    ImportNode* CaretEntry() const { return EntryOf(Model().Caret()); }
    // The selected entries in tree order.
    std::vector<ImportNode*> Selected() const;
    // What a copy of the selection takes: the entries not below another
    // selected one, an expanded entry alone, a collapsed one with its subtree.
    std::vector<CopiedEntry> CopiedSelection() const;
    // Copies of those entries placed at the position with their nodes
    // (left pane); the first copy is returned.
    ImportNode* PlaceCopies(const std::vector<CopiedEntry>& copies, const EntryPosition& at);
    // Entries read from an import record stream placed at the position;
    // false (nothing placed) when the stream cannot be read.
    bool PlaceStream(const std::string& bytes, const EntryPosition& at);

    // The keyboard's edits.
    bool CopyToClipboard();
    bool Paste();
    // Removes the selected entries that stand for no protected object,
    // with their subtrees; the number removed.
    size_t DeleteSelected();

    // Drag and drop.
    IDropTarget& DropTarget() { return dropTarget_; }
    DragWin& Dragging() { return drag_; }
    // Drags the selected entries out; the effect the target took.
    DWORD StartDrag();
    // DropWin::Owner
    void OnDropText(const AStr&) override {}
    DWORD OnDragOver(DropWin& target, IDataObject* object, DWORD keys, POINTL point,
                     DWORD allowed) override;
    void OnDragLeave(DropWin& target) override;
    DWORD OnDrop(DropWin& target, IDataObject* object, DWORD keys, POINTL point,
                 DWORD allowed) override;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    void BeginDrag(TreeViewNode* node) override;

  private:
    bool OnEditKey(WPARAM key);
    // Where a drop at a screen point goes; no parent when refused.
    EntryPosition DropPosition(POINTL point, bool ownDrag, TreeViewNode** mark, bool* after);
    void MoveSelection(const EntryPosition& at);
    void Place(ImportNode* entry, const EntryPosition& at, ImportNode* previous);
    void Edited();

    bool editable_;
    ImportPaneHost host_;
    DImageList images_;
    DImageList states_;
    DropWin dropTarget_;
    DragWin drag_;
};

// The clipboard format the dialog's streams go under ("OVisto Format").
CLIPFORMAT ImportFormat();
