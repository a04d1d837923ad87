#include "ui/TreeViewUrl.h"

#include "watchlist/ItemNode.h"

TreeViewUrl::TreeViewUrl(ItemNode& list)
    : TreeViewUrlRoot(&list, this),
      TreeView(&urlRoot),
      rules_(Model(), urlRoot, texts_),
      dropTarget_(*this, {UrlFormat(), static_cast<CLIPFORMAT>(CF_TEXT)}) {}

TreeViewUrl::~TreeViewUrl() {
    // The nodes go before the view; each clears its object's reference.
    Model().RemoveAll();
    if (ItemNode* list = urlRoot.Object())
        if (list->treeNode == &urlRoot) list->treeNode = nullptr;
}

bool TreeViewUrl::Create(HWND parent, int id, HINSTANCE instance) {
    if (!CreateView(parent, id, WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE, instance))
        return false;
    images_.Load(instance, 1, TreeViewModel::kIconSize);
    states_.Load(instance, 2, TreeViewModel::kIconSize);
    SetImageLists(images_.Handle(), states_.Handle());
    SetTips(this, 500, 20000, true);
    SetDragSource(true);
    dropTarget_.Register(Handle());
    return true;
}

void TreeViewUrl::Build() {
    rules_.Build();
    // The caret is the selection until the user extends it.
    if (TreeViewNode* caret = Model().Caret()) Model().Click(caret, false, false);
    Changed();
}

void TreeViewUrl::AddObjectNode(ItemNode& object) {
    ItemNode* parent = object.ParentItem();
    auto* parentNode = static_cast<TreeViewNode*>(parent ? parent->treeNode : nullptr);
    if (!parentNode) return;
    rules_.AddObjectNode(object, parentNode);
    Changed();
}

void TreeViewUrl::RefreshNode(ItemNode& object) {
    if (rules_.RefreshObjectNode(object)) Changed();
}

ItemNode* TreeViewUrl::Caret() const {
    return ObjectOf(Model().Caret());
}

std::vector<ItemNode*> TreeViewUrl::Selected() const {
    std::vector<ItemNode*> objects;
    for (TreeViewNode* node : Model().Selected())
        if (ItemNode* o = ObjectOf(node)) objects.push_back(o);
    return objects;
}

void TreeViewUrl::SetCaret(ItemNode* object) {
    auto* node = static_cast<TreeViewNode*>(object ? object->treeNode : nullptr);
    if (node && node != &urlRoot) {
        Model().EnsureVisible(node);
        Model().Click(node, false, false);
    } else {
        Model().DeselectAll();
        Model().SetCaret(nullptr, false);
    }
    Changed();
}

std::vector<ItemNode*> TreeViewUrl::Rows() {
    std::vector<ItemNode*> rows;
    for (size_t i = 0, n = Model().RowCount(); i < n; ++i)
        if (ItemNode* o = ObjectOf(Model().RowNode(i))) rows.push_back(o);
    return rows;
}

void TreeViewUrl::ExpandChanged(TreeViewNode* node) {
    rules_.ExpandChanged(node);
    TreeView::ExpandChanged(node);
}

void TreeViewUrl::RemoveObjectNode(ItemNode& object) {
    auto* node = static_cast<TreeViewNode*>(object.treeNode);
    if (!node || node == &urlRoot) return;
    ForgetHover();
    Model().Remove(node);
    Changed();
}

void TreeViewUrl::OnDestroy() {
    dropTarget_.Revoke();
    TreeView::OnDestroy();
}
