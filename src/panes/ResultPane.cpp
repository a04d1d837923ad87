#include "panes/ResultPane.h"

#include <cstring>

#include "panes/NewsTape.h"
#include "watchlist/ItemNode.h"

bool ChangeNodeText(const ChangeNode& change, size_t limit, AStr* text, int* image) {
    bool hasLink = !change.link.IsEmpty();
    if (change.text.IsEmpty()) {
        if (!hasLink) return false;
        *text = "url=\"";
        *text += change.link;
        *text += "\"";
        *image = 3;
        return true;
    }
    size_t n = change.text.Length();
    if (limit != 0 && n > limit) {
        text->Assign(change.text.c_str(), limit);
        *text += '\x85';  // the ellipsis of code page 1251
    } else {
        *text = change.text;
    }
    if (!hasLink)
        *image = 2;
    else
        *image = std::strncmp(change.link.c_str(), "mailto:", 7) == 0 ? 4 : 3;
    return true;
}

AStr CheckNodeText(const CheckNode& check, PaneTexts& texts) {
    AStr text = texts.CheckTime(check.time);
    text += "   ";
    if (const ItemNode* owner = check.origin)
        text += owner->properties.name.IsEmpty() ? owner->title : owner->properties.name;
    if (check.result == 2 || check.result == 3) {
        text += "  ";
        text += texts.Text(check.result == 2 ? kTextResult2 : kTextResult3);
    }
    return text;
}

CheckNode* ResultPane::CheckOf(TreeViewNode* node) {
    auto* c = dynamic_cast<CheckTVN*>(node);
    return c ? c->Record() : nullptr;
}

ChangeNode* ResultPane::ChangeOf(TreeViewNode* node) {
    auto* c = dynamic_cast<ChangeTVN*>(node);
    return c ? c->Record() : nullptr;
}

void ResultPane::Remember(bool paneHasFocus) {
    remembered_ = Position();
    if (!current_) return;
    TreeViewNode* node = nullptr;
    if (paneHasFocus) {
        node = model_.FirstSelected();
        TreeRect r;
        if (node &&
            !(model_.NodeRect(node, false, &r) && r.bottom > 0 && r.top < model_.ClientHeight()))
            node = nullptr;
    }
    if (!node) node = model_.HitTest(0, 0).node;
    if (!node) return;
    TreeRect r;
    model_.NodeRect(node, false, &r);
    remembered_.object = current_;
    remembered_.check = CheckOf(node);
    remembered_.change = ChangeOf(node);
    remembered_.x = model_.ScrollX();
    remembered_.y = r.top;
}

void ResultPane::Refill(ItemNode* object, size_t limit, bool paneHasFocus) {
    Remember(paneHasFocus);
    // A copy going away takes its node along first.
    auto dropped = [this](CheckNode& copy) {
        if (remembered_.check == &copy) remembered_ = Position();
        if (copy.treeNode) delete static_cast<TreeViewNode*>(copy.treeNode);
    };
    if (current_ && current_ != object && current_->IsFolder()) EmptyNewsTape(*current_, dropped);
    if (object && object->IsFolder() && (object->properties.flags & kFlagNewsTape))
        MergeNewsTape(*object, dropped);
    model_.RemoveAll();
    current_ = object;
    if (!object) return;
    for (CheckNode* check = object->checks.First(); check; check = check->NextCheck()) {
        const ItemNode* owner = check->origin ? check->origin : object;
        auto* node = new CheckTVN(check, owner->properties.color);
        model_.SetText(node, CheckNodeText(*check, texts_).c_str());
        model_.SetImage(node, 1);
        node->InitExpanded(check->expanded);
        model_.Insert(&root_, node);
        CheckNode* source = check->origin ? SourceOf(*check) : check;
        if (!source) continue;
        for (ChangeNode* change = source->changes.First(); change; change = change->NextChange()) {
            AStr text;
            int image = 0;
            if (!ChangeNodeText(*change, limit, &text, &image)) continue;
            auto* changeNode = new ChangeTVN(change, !change->link.IsEmpty());
            model_.SetText(changeNode, text.c_str());
            model_.SetImage(changeNode, image);
            model_.Insert(node, changeNode);
        }
    }
    Restore(object);
}

void ResultPane::Restore(ItemNode* object) {
    Position p = remembered_;
    remembered_ = Position();
    if (p.object != object || (!p.check && !p.change)) return;
    void* ref = p.change ? p.change->treeNode : p.check->treeNode;
    auto* node = static_cast<TreeViewNode*>(ref);
    if (!node) return;
    model_.Select(node, true);
    model_.SetCaret(node, false);
    model_.ScrollTo(p.x, model_.ScrollY(), false);
    model_.ScrollNodeTo(node, p.y, false);
}

void ResultPane::Clear() {
    model_.RemoveAll();
    if (current_ && current_->IsFolder()) EmptyNewsTape(*current_);
    current_ = nullptr;
    remembered_ = Position();
}

void ResultPane::ExpandChanged(TreeViewNode* node) {
    CheckNode* check = CheckOf(node);
    if (!check) return;
    check->expanded = node->IsExpanded();
    if (CheckNode* source = SourceOf(*check)) source->expanded = check->expanded;
}

void ResultPane::ForgetCheck(CheckNode& check) {
    if (check.treeNode) delete static_cast<TreeViewNode*>(check.treeNode);
    for (ChangeNode* c = check.changes.First(); c; c = c->NextChange())
        if (c->treeNode) delete static_cast<TreeViewNode*>(c->treeNode);
}
