#pragma once
// The item pane, child 101: the watch list as a tree view, one ItemTVN per
// object with its text (name, and the error of a failed check), its image
// from bitmap 1 and, for a folder, its state image from bitmap 2. The
// rules live in the portable panes::ItemRules; this window keeps the
// nodes in step with the objects and reports to the main window through
// the tree view's notifications. Objects are dragged out of it and dropped
// into it (TreeViewUrlDrag.cpp).
#include <functional>
#include <string>
#include <vector>

#include "panes/ItemDrop.h"
#include "panes/ItemPane.h"
#include "panes/PaneNodes.h"
#include "panes/PaneTexts.h"
#include "shell/gui/DImageList.h"
#include "shell/gui/DragWin.h"
#include "shell/gui/DropWin.h"
#include "shell/gui/TreeView.h"

class ItemNode;

// The root node, made before the view that shows it.
struct TreeViewUrlRoot {
    TreeViewUrlRoot(ItemNode* list, void* pane) : urlRoot(list, pane) {}
    ItemTVNRoot urlRoot;
};

// The formats of the item pane's drags and of the clipboard: the private
// watch list stream ("OVisto Format") and the URL of an object.
CLIPFORMAT ObjectFormat();
CLIPFORMAT UrlFormat();
// The entries of a copy or drag of the objects: the stream of the objects
// and, when `urlObject` has an address, that address NUL-terminated as
// "UniformResourceLocator" and as CF_TEXT.
std::vector<DClipEntry> ObjectClipEntries(const std::vector<ItemNode*>& objects,
                                          const ItemNode* urlObject);

// What the item pane asks of its window when objects are dragged and dropped.
struct ItemDropHost {
    // A URL dropped at the position: the new-web-page flow.
    std::function<void(const AStr& url, const InsertPosition& at)> newWebPage;
    // Objects were inserted, copied or moved (their nodes are in place):
    // the unseen count and the saved watch list follow.
    std::function<void()> objectsPlaced;
    // The objects of a drag that another window took with the move effect.
    std::function<void(const std::vector<ItemNode*>& objects)> deleteObjects;
};

class TreeViewUrl : private TreeViewUrlRoot, public TreeView, public DropWin::Owner {
  public:
    // The pane shows `list`, which must outlive it.
    explicit TreeViewUrl(ItemNode& list);
    ~TreeViewUrl() override;

    bool Create(HWND parent, int id, HINSTANCE instance);
    // Nodes for every object, the root expanded, the caret on the first.
    void Build();
    // Nodes for an object inserted into the list and its subtree.
    void AddObjectNode(ItemNode& object);
    // Text and images of the object's node anew, redrawn.
    void RefreshNode(ItemNode& object);

    // The object at the caret, and the selected objects in tree order.
    ItemNode* Caret() const;
    std::vector<ItemNode*> Selected() const;
    // Makes the object's node the caret and the only selected node, shown;
    // null leaves nothing selected.
    void SetCaret(ItemNode* object);
    // The objects of the rows shown, top down.
    std::vector<ItemNode*> Rows();
    // The object of one of this pane's nodes (null for the root).
    static ItemNode* ObjectOf(TreeViewNode* node) { return ItemPane::ObjectOf(node); }
    // The object's node and those below it go (the objects stay).
    void RemoveObjectNode(ItemNode& object);

    // Drag and drop (TreeViewUrlDrag.cpp).
    void SetDropHost(ItemDropHost host) { dropHost_ = std::move(host); }
    IDropTarget& DropTarget() { return dropTarget_; }
    DragWin& Dragging() { return drag_; }
    // Drags the selected objects out, as moving the mouse with the left
    // button down on a selected node does; the effect the target took.
    DWORD StartDrag();
    // The private stream inserted at the position with nodes for the new
    // objects; -1 (nothing inserted) when it cannot be read.
    int InsertStream(const std::string& bytes, const InsertPosition& at);
    // A drop of this pane's own selection: copies or moves it to the position.
    void CopyOrMoveSelection(const InsertPosition& at, uint32_t effect);
    // DropWin::Owner
    void OnDropText(const AStr&) override {}
    DWORD OnDragOver(DropWin& target, IDataObject* object, DWORD keys, POINTL point,
                     DWORD allowed) override;
    void OnDragLeave(DropWin& target) override;
    DWORD OnDrop(DropWin& target, IDataObject* object, DWORD keys, POINTL point,
                 DWORD allowed) override;

  protected:
    void ExpandChanged(TreeViewNode* node) override;
    void OnDestroy() override;
    void BeginDrag(TreeViewNode* node) override;

  private:
    PaneTexts texts_;
    ItemPane rules_;
    DImageList images_;
    DImageList states_;
    DropWin dropTarget_;
    DragWin drag_;
    ItemDropHost dropHost_;
};
