// The tree view's caret and multiple selection: clicks, the keyboard and
// the selection queries (part of TreeViewModel).
#include <algorithm>

#include "framework/TreeViewModel.h"

bool TreeViewModel::SetSelected(TreeViewNode* node, bool select) {
    if (!node || node->selected_ == select) return false;
    node->selected_ = select;
    if (select)
        ++selectedCount_;
    else
        --selectedCount_;
    return true;
}

void TreeViewModel::Select(TreeViewNode* node, bool select) {
    if (node && node->view_ == this && SetSelected(node, select)) events_->SelectionChanged();
}

void TreeViewModel::SelectAll() {
    BuildRows();
    bool changed = false;
    if (!multiSelect_)
        changed = SetSelected(caret_, true);
    else
        for (TreeViewNode* n : rows_) changed |= SetSelected(n, true);
    if (changed) events_->SelectionChanged();
}

void TreeViewModel::DeselectAll() {
    bool changed = false;
    for (TreeViewNode* n = root_; n && selectedCount_; n = n->NextBelow(root_))
        changed |= SetSelected(n, false);
    if (changed) events_->SelectionChanged();
}

std::vector<TreeViewNode*> TreeViewModel::Selected() const {
    std::vector<TreeViewNode*> out;
    for (TreeViewNode* n = root_; n && out.size() < selectedCount_; n = n->NextBelow(root_))
        if (n->selected_) out.push_back(n);
    return out;
}

TreeViewNode* TreeViewModel::FirstSelected() const {
    if (!selectedCount_) return nullptr;
    for (TreeViewNode* n = root_; n; n = n->NextBelow(root_))
        if (n->selected_) return n;
    return nullptr;
}

void TreeViewModel::SetCaret(TreeViewNode* node, bool ensureVisible) {
    if (node && node->view_ != this) return;
    bool changed = caret_ != node;
    caret_ = anchor_ = node;
    if (ensureVisible && node) EnsureVisible(node);
    if (changed) events_->SelectionChanged();
}

void TreeViewModel::SelectRange(TreeViewNode* from, TreeViewNode* to, bool keepOthers) {
    long a = RowOf(from), b = RowOf(to);
    if (a < 0) a = b;
    if (a > b) std::swap(a, b);
    if (!keepOthers)
        for (TreeViewNode* n = root_; n && selectedCount_; n = n->NextBelow(root_)) {
            long r = RowOf(n);
            if (r < a || r > b) SetSelected(n, false);
        }
    for (long r = a; r <= b && r >= 0; ++r) SetSelected(rows_[r], true);
}

void TreeViewModel::Click(TreeViewNode* node, bool ctrl, bool shift) {
    if (!node || node->view_ != this) return;
    if (!multiSelect_) ctrl = shift = false;
    TreeViewNode* oldCaret = caret_;
    bool changed = false;
    if (shift) {
        if (!anchor_ || RowOf(anchor_) < 0) anchor_ = caret_ && RowOf(caret_) >= 0 ? caret_ : node;
        std::vector<TreeViewNode*> was = Selected();
        SelectRange(anchor_, node, ctrl);
        changed = Selected() != was;
    } else if (ctrl) {
        changed = SetSelected(node, !node->selected_);
        anchor_ = node;
    } else {
        changed = !node->selected_ || selectedCount_ != 1;
        for (TreeViewNode* n = root_; n && selectedCount_; n = n->NextBelow(root_))
            if (n != node) SetSelected(n, false);
        SetSelected(node, true);
        anchor_ = node;
    }
    caret_ = node;
    if (changed || oldCaret != caret_) events_->SelectionChanged();
}

void TreeViewModel::MoveTo(TreeViewNode* target, bool ctrl, bool shift) {
    if (!target) return;
    if (!multiSelect_) ctrl = shift = false;
    if (ctrl && !shift) {
        TreeViewNode* old = caret_;
        caret_ = target;
        EnsureVisible(target);
        if (old != caret_) events_->SelectionChanged();
        return;
    }
    Click(target, ctrl, shift);
    EnsureVisible(target);
}

bool TreeViewModel::Key(TreeKey key, bool ctrl, bool shift) {
    BuildRows();
    if (key == TreeKey::SelectAll) {
        SelectAll();
        return true;
    }
    if (rows_.empty()) return true;
    long last = static_cast<long>(rows_.size()) - 1;
    long cur = RowOf(caret_);
    TreeViewNode* caret = cur >= 0 ? caret_ : nullptr;
    long target = -1;
    switch (key) {
        case TreeKey::Up:
            target = cur <= 0 ? 0 : cur - 1;
            break;
        case TreeKey::Down:
            target = cur < 0 ? 0 : std::min(cur + 1, last);
            break;
        case TreeKey::Home:
            target = 0;
            break;
        case TreeKey::End:
            target = last;
            break;
        case TreeKey::PageDown:
        case TreeKey::PageUp:
            target = cur < 0 ? 0 : PageTarget(key == TreeKey::PageDown, cur);
            break;
        case TreeKey::Left:
        case TreeKey::Right:
            if (caret) return StepAcross(caret, key == TreeKey::Right, ctrl, shift);
            target = 0;
            break;
        case TreeKey::Space:
            ToggleCaret(caret, ctrl, shift);
            return true;
        default:
            return false;
    }
    MoveTo(rows_[target], ctrl, shift);
    return true;
}

long TreeViewModel::PageTarget(bool down, long cur) {
    long last = static_cast<long>(rows_.size()) - 1;
    if (down) {
        int step = std::max(clientHeight_ - RowHeight(cur), SingleRowHeight());
        long target = std::min(static_cast<long>(heights_.RowAt(RowTop(cur) + step)), last);
        return target == cur && cur < last ? target + 1 : target;
    }
    int single = SingleRowHeight();
    int y = RowTop(cur) - std::max(clientHeight_ - single, single);
    long target = y <= 0 ? 0 : static_cast<long>(heights_.RowAt(y));
    return target == cur && cur > 0 ? target - 1 : target;
}

bool TreeViewModel::StepAcross(TreeViewNode* caret, bool right, bool ctrl, bool shift) {
    if (!right) {
        if (caret->expanded_ && caret->HasChildren()) {
            Expand(caret, false);
        } else {
            TreeViewNode* parent = caret->ParentNode();
            if (parent && (parent != root_ || showRoot_)) MoveTo(parent, ctrl, shift);
        }
    } else if (caret->HasChildren()) {
        if (!caret->expanded_)
            Expand(caret, true);
        else
            MoveTo(caret->FirstChildNode(), ctrl, shift);
    }
    return true;
}

void TreeViewModel::ToggleCaret(TreeViewNode* caret, bool ctrl, bool shift) {
    if (!caret) return;
    if (ctrl && multiSelect_) {
        SetSelected(caret, !caret->selected_);
        anchor_ = caret;
        events_->SelectionChanged();
    } else {
        Click(caret, false, shift);
    }
}
