#include "panes/ItemPane.h"

#include "watchlist/ItemNode.h"

namespace {

bool ShowsSwitchedOff(const ItemNode& o) {
    // A folder counts as off when nothing below it is switched on.
    if (o.IsFolder() && o.HasChildren()) return !(o.derivedMarks & kMarkSwitchedOn);
    return o.IsSwitchedOff();
}

}  // namespace

int ItemImageIndex(const ItemNode& o) {
    if (ShowsSwitchedOff(o)) return 9;
    switch (o.state) {
        case kCheckFailed:
            return 8;
        case kCheckIdle:
        case kCheckRequested:
            return o.HasUnseen() ? 5 : 2;
        case kCheckComparing:
            return 4;
        default:
            return 1;
    }
}

namespace {

// An empty page (-2) and an HTTP status (-1) may have words of their own in
// the language module (10000, 10000 + status); without them, and for every
// other failure, the error's text.
AStr FailureText(const ItemNode& o, PaneTexts& texts) {
    constexpr int32_t kHighestStatus = 999;
    AStr own;
    if (o.lastError == -2)
        own = texts.Text(kTextEmptyBody);
    else if (o.lastError == -1 && o.detail > 0 && o.detail <= kHighestStatus)
        own = texts.Text(kTextEmptyBody + static_cast<unsigned>(o.detail));
    return own.IsEmpty() ? texts.Error(o.lastError, o.detail) : own;
}

}  // namespace

AStr ItemNodeText(const ItemNode& o, PaneTexts& texts) {
    AStr text = o.DisplayName();
    if (o.state == kCheckFailed && o.lastError != 0) {
        text += "  ";
        text += texts.Text(kTextErrorLabel);
        text += ": ";
        text += FailureText(o, texts);
    }
    return text;
}

ItemNode* ItemPane::ObjectOf(TreeViewNode* node) {
    auto* item = dynamic_cast<ItemTVN*>(node);
    if (!item || dynamic_cast<ItemTVNRoot*>(node)) return nullptr;
    return item->Object();
}

void ItemPane::Build() {
    ItemNode* list = root_.Object();
    list->treeNode = &root_;
    for (ItemNode* o = list->FirstItem(); o; o = o->NextItem()) AddObjectNode(*o, &root_);
    model_.Expand(&root_, true);
    if (TreeViewNode* first = root_.FirstChildNode()) model_.SetCaret(first);
}

void ItemPane::AddObjectNode(ItemNode& object, TreeViewNode* parentNode) {
    if (!object.treeNode) {
        TreeViewNode* before = nullptr;
        for (ItemNode* s = object.NextItem(); s && !before; s = s->NextItem())
            before = static_cast<TreeViewNode*>(s->treeNode);
        auto* node = new ItemTVN(&object);
        object.treeNode = node;
        node->InitExpanded(object.expanded);
        model_.Insert(parentNode, node, before && before->Owner() == parentNode ? before : nullptr);
        RefreshObjectNode(object);
    }
    auto* node = static_cast<TreeViewNode*>(object.treeNode);
    for (ItemNode* child = object.FirstItem(); child; child = child->NextItem())
        AddObjectNode(*child, node);
}

bool ItemPane::RefreshObjectNode(ItemNode& object) {
    auto* node = static_cast<TreeViewNode*>(object.treeNode);
    if (!node || node == &root_) return false;
    model_.SetText(node, ItemNodeText(object, texts_).c_str());
    int index = ItemImageIndex(object);
    model_.SetImage(node, object.IsFolder() ? 0 : index);
    model_.SetStateImage(node, object.IsFolder() ? index : 0);
    return true;
}

void ItemPane::ExpandChanged(TreeViewNode* node) {
    if (ItemNode* o = ObjectOf(node)) o->expanded = node->IsExpanded();
}
