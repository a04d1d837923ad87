#include "framework/TreeViewModel.h"

#include <algorithm>

TreeViewNode::~TreeViewNode() {
    if (view_) view_->NodeGone(this);
}

TreeViewModel::TreeViewModel(TreeViewNode* root, TextMeasurer* measurer, TreeViewEvents* events)
    : root_(root), measurer_(measurer), events_(events ? events : &noEvents_) {
    root_->view_ = this;
    for (TreeViewNode* n = root_->NextBelow(root_); n; n = n->NextBelow(root_)) Attach(n);
}

TreeViewModel::~TreeViewModel() {
    for (TreeViewNode* n = root_; n; n = n->NextBelow(root_)) n->view_ = nullptr;
}

// ---- settings ----

void TreeViewModel::SetShowRoot(bool show) {
    showRoot_ = show;
    Stale();
}

void TreeViewModel::SetImages(bool images, bool stateImages) {
    images_ = images;
    stateImages_ = stateImages;
    Stale();
}

void TreeViewModel::SetIndent(int indent) {
    indent_ = std::max(indent, kIconSize);
    Stale();
}

void TreeViewModel::SetWrap(bool wrap) {
    if (wrap_ == wrap) return;
    wrap_ = wrap;
    Stale();
}

void TreeViewModel::SetClientSize(int width, int height) {
    bool widthChanged = width != clientWidth_;
    clientWidth_ = std::max(width, 0);
    clientHeight_ = std::max(height, 0);
    if (wrap_ && widthChanged) Stale();  // every wrapped label breaks anew
    ClampScroll();
}

void TreeViewModel::MetricsChanged() {
    ++stamp_;
    Stale();
}

// ---- tree edits ----

void TreeViewModel::Attach(TreeViewNode* node) {
    for (TreeViewNode* n = node; n; n = n->NextBelow(node)) {
        n->view_ = this;
        n->measureStamp_ = 0;
        if (n->selected_) ++selectedCount_;
    }
}

void TreeViewModel::Insert(TreeViewNode* parent, TreeViewNode* node, TreeViewNode* before) {
    if (!parent || !node || node == parent || node->IsAncestorOf(parent)) return;
    if (node->view_ == this) {
        // A move within the view: the rows it leaves go stale too.
        if (!rowsStale_ && node->row_ < rows_.size() && rows_[node->row_] == node) Stale();
    } else {
        if (node->view_) node->view_->Remove(node);
        Attach(node);
    }
    if (before && before->Owner() == parent)
        parent->InsertBefore(before, node);
    else
        parent->Append(node);
    StaleIfShown(node);
}

void TreeViewModel::Remove(TreeViewNode* node) {
    if (!node || node == root_ || node->view_ != this) return;
    delete node;
}

void TreeViewModel::RemoveAll() {
    caret_ = anchor_ = nullptr;
    markNode_ = nullptr;
    root_->Clear();
    Stale();
    scrollX_ = scrollY_ = 0;
}

void TreeViewModel::NodeGone(TreeViewNode* node) {
    auto within = [node](const TreeViewNode* x) {
        for (const TreeViewNode* p = x; p; p = p->ParentNode())
            if (p == node) return true;
        return false;
    };
    if (!rowsStale_ && node->row_ < rows_.size() && rows_[node->row_] == node) Stale();
    if (caret_ && within(caret_)) {
        TreeViewNode* fallback = node->NextNode() ? node->NextNode() : node->PrevNode();
        if (!fallback) fallback = node->ParentNode();
        caret_ = fallback;
    }
    if (anchor_ && within(anchor_)) anchor_ = caret_;
    if (markNode_ && within(markNode_)) markNode_ = nullptr;
    for (TreeViewNode* n = node; n; n = n->NextBelow(node)) {
        if (n->selected_) --selectedCount_;
        n->view_ = nullptr;
    }
}

void TreeViewModel::Remeasure(TreeViewNode* node) {
    node->measureStamp_ = 0;
    if (!rowsStale_ && node->row_ < rows_.size() && rows_[node->row_] == node)
        measured_[node->row_] = false;
}

void TreeViewModel::SetText(TreeViewNode* node, const char* text) {
    node->text_ = text;
    Remeasure(node);
}

void TreeViewModel::SetImage(TreeViewNode* node, int image) {
    node->image_ = image;
}
void TreeViewModel::SetStateImage(TreeViewNode* node, int stateImage) {
    node->stateImage_ = stateImage;
}

void TreeViewModel::Expand(TreeViewNode* node, bool expand) {
    if (!node || node->expanded_ == expand) return;
    node->expanded_ = expand;
    if (node->HasChildren() && (node == root_ || IsShown(node))) Stale();
    if (!expand) {
        bool dropped = false;
        for (TreeViewNode* n = node->NextBelow(node); n; n = n->NextBelow(node))
            dropped |= SetSelected(n, false);
        if (caret_ && node->IsAncestorOf(caret_)) caret_ = node;
        if (anchor_ && node->IsAncestorOf(anchor_)) anchor_ = caret_;
        if (dropped) events_->SelectionChanged();
    }
    events_->ExpandChanged(node);
}

// ---- rows ----

bool TreeViewModel::IsShown(const TreeViewNode* node) const {
    if (!node) return false;
    if (node == root_) return showRoot_;
    for (const TreeViewNode* p = node->ParentNode(); p; p = p->ParentNode()) {
        if (p == root_) return !showRoot_ || root_->expanded_;
        if (!p->expanded_) return false;
    }
    return false;
}

int TreeViewModel::Depth(const TreeViewNode* node) const {
    int d = showRoot_ ? 0 : -1;
    for (const TreeViewNode* p = node; p && p != root_; p = p->ParentNode()) ++d;
    return d;
}

int TreeViewModel::LabelLeft(int depth) const {
    int x = kMargin + (depth + 1) * indent_;
    if (stateImages_) x += kIconSize;
    if (images_) x += kIconSize + 2;
    return x;
}

int TreeViewModel::SingleRowHeight() {
    return std::max(kIconSize + 2, measurer_->LineHeight() + 2);
}

int TreeViewModel::LineTop(const TreeRowView& row, size_t line) {
    const int lineHeight = measurer_->LineHeight();
    const int lines = static_cast<int>(std::max<size_t>(row.node->lineStarts_.size(), 1));
    return row.top + (row.height - lines * lineHeight) / 2 + static_cast<int>(line) * lineHeight;
}

int TreeViewModel::HeightFor(int lines) {
    return std::max(kIconSize + 2, std::max(lines, 1) * measurer_->LineHeight() + 2);
}

void TreeViewModel::BuildRows() {
    if (!rowsStale_) return;
    rowsStale_ = false;
    rows_.clear();
    depths_.clear();
    odd_.clear();
    std::vector<int> heights;
    int single = SingleRowHeight();
    contentWidth_ = 0;
    auto add = [&](TreeViewNode* n, int depth, bool odd) {
        n->row_ = rows_.size();
        rows_.push_back(n);
        depths_.push_back(depth);
        odd_.push_back(odd);
        int key = wrap_ ? std::max(clientWidth_ - LabelLeft(depth) - 2 * kLabelPad,
                                   10 * measurer_->AverageCharWidth())
                        : 0;
        bool valid = n->measureStamp_ == stamp_ && n->measuredFor_ == key;
        heights.push_back(valid ? HeightFor(static_cast<int>(n->lineStarts_.size())) : single);
        if (valid) contentWidth_ = std::max(contentWidth_, LabelLeft(depth) + n->labelWidth_);
    };
    int depth = 0;
    TreeViewNode* n = root_->FirstChildNode();
    if (showRoot_) {
        add(root_, 0, false);
        depth = 1;
        if (!root_->expanded_) n = nullptr;
    }
    bool odd = false;
    std::vector<bool> oddStack;
    while (n) {
        add(n, depth, odd);
        if (n->expanded_ && n->HasChildren()) {
            oddStack.push_back(odd);
            n = n->FirstChildNode();
            ++depth;
            odd = false;
            continue;
        }
        while (n && !n->NextNode()) {
            n = n->ParentNode();
            if (n == root_ || !n) {
                n = nullptr;
                break;
            }
            --depth;
            odd = oddStack.back();
            oddStack.pop_back();
        }
        if (n) {
            n = n->NextNode();
            odd = !odd;
        }
    }
    measured_.assign(rows_.size(), false);
    heights_.Assign(heights);
    ClampScroll();
}

void TreeViewModel::Measure(size_t row) {
    if (measured_[row]) return;
    measured_[row] = true;
    TreeViewNode* n = rows_[row];
    int depth = depths_[row];
    int key = wrap_ ? std::max(clientWidth_ - LabelLeft(depth) - 2 * kLabelPad,
                               10 * measurer_->AverageCharWidth())
                    : 0;
    if (n->measureStamp_ != stamp_ || n->measuredFor_ != key) {
        const char* text = n->text_.c_str();
        size_t len = n->text_.Length();
        int cls = n->NodeClass();
        if (wrap_) {
            WrappedText w = WrapText(*measurer_, cls, text, len, key);
            n->lineStarts_ = std::move(w.starts);
            n->lineEnds_ = std::move(w.ends);
            n->labelWidth_ = w.width + 2 * kLabelPad;
        } else {
            n->lineStarts_.assign(1, 0);
            n->lineEnds_.assign(1, static_cast<uint32_t>(len));
            n->labelWidth_ = measurer_->Width(cls, text, len) + 2 * kLabelPad;
        }
        n->measureStamp_ = stamp_;
        n->measuredFor_ = key;
    }
    heights_.SetHeight(row, HeightFor(static_cast<int>(n->lineStarts_.size())));
    contentWidth_ = std::max(contentWidth_, LabelLeft(depth) + n->labelWidth_);
}

size_t TreeViewModel::RowCount() {
    BuildRows();
    return rows_.size();
}

TreeViewNode* TreeViewModel::RowNode(size_t row) {
    BuildRows();
    return row < rows_.size() ? rows_[row] : nullptr;
}

long TreeViewModel::RowOf(const TreeViewNode* node) {
    if (!node || node->view_ != this || !IsShown(node)) return -1;
    BuildRows();
    return static_cast<long>(node->row_);
}

int TreeViewModel::RowTop(size_t row) {
    BuildRows();
    return heights_.Top(row);
}

int TreeViewModel::RowHeight(size_t row) {
    BuildRows();
    Measure(row);
    return heights_.Height(row);
}

int TreeViewModel::ContentHeight() {
    BuildRows();
    return heights_.Total();
}

int TreeViewModel::ContentWidth() {
    BuildRows();
    return contentWidth_;
}

TreeRowView TreeViewModel::RowView(size_t row) {
    BuildRows();
    Measure(row);
    TreeViewNode* n = rows_[row];
    TreeRowView v;
    v.node = n;
    v.depth = depths_[row];
    v.row = row;
    v.top = heights_.Top(row) - scrollY_;
    v.height = heights_.Height(row);
    v.buttonLeft = kMargin + v.depth * indent_ - scrollX_;
    int x = v.buttonLeft + indent_;
    v.stateLeft = stateImages_ ? x : -1;
    if (stateImages_) x += kIconSize;
    v.imageLeft = images_ ? x : -1;
    v.label.left = LabelLeft(v.depth) - scrollX_;
    v.label.top = v.top;
    v.label.right = v.label.left + n->labelWidth_;
    v.label.bottom = v.top + v.height;
    v.oddSibling = odd_[row] ? 1 : 0;
    return v;
}

// ---- geometry ----

TreeHitResult TreeViewModel::HitTest(int x, int y) {
    BuildRows();
    TreeHitResult hit;
    int contentY = y + scrollY_;
    if (contentY < 0 || contentY >= heights_.Total()) return hit;
    size_t row = heights_.RowAt(contentY);
    TreeRowView v = RowView(row);
    hit.node = v.node;
    hit.flags = (y - v.top) * 2 < v.height ? kHitUpperHalf : kHitLowerHalf;
    if (x < v.buttonLeft)
        hit.flags |= kHitOnIndent;
    else if (x < v.buttonLeft + indent_)
        hit.flags |= kHitOnButton;
    else if (v.stateLeft >= 0 && x < v.stateLeft + kIconSize)
        hit.flags |= kHitOnStateIcon;
    else if (x < v.label.left)
        hit.flags |= kHitOnIcon;
    else if (x < v.label.right)
        hit.flags |= kHitOnLabel;
    else
        hit.flags |= kHitOnRight;
    return hit;
}

bool TreeViewModel::NodeRect(TreeViewNode* node, bool labelOnly, TreeRect* rect) {
    long row = RowOf(node);
    if (row < 0) return false;
    TreeRowView v = RowView(static_cast<size_t>(row));
    if (labelOnly)
        *rect = v.label;
    else
        *rect = TreeRect{0, v.top, clientWidth_, v.top + v.height};
    return true;
}

bool TreeViewModel::FitsInClient(TreeViewNode* node) {
    TreeRect r;
    if (!NodeRect(node, true, &r)) return false;
    return r.left >= 0 && r.right <= clientWidth_ && r.top >= 0 && r.bottom <= clientHeight_;
}

// ---- scrolling ----

int TreeViewModel::MaxScrollY() {
    return std::max(0, ContentHeight() - clientHeight_);
}
int TreeViewModel::MaxScrollX() {
    return std::max(0, ContentWidth() - clientWidth_);
}

bool TreeViewModel::ClampScroll() {
    int y = std::min(scrollY_, std::max(0, heights_.Total() - clientHeight_));
    int x = std::min(scrollX_, std::max(0, contentWidth_ - clientWidth_));
    y = std::max(y, 0);
    x = std::max(x, 0);
    bool moved = x != scrollX_ || y != scrollY_;
    scrollX_ = x;
    scrollY_ = y;
    return moved;
}

bool TreeViewModel::ScrollTo(int x, int y, bool notify) {
    x = std::max(0, std::min(x, MaxScrollX()));
    y = std::max(0, std::min(y, MaxScrollY()));
    if (x == scrollX_ && y == scrollY_) return false;
    scrollX_ = x;
    scrollY_ = y;
    if (notify) events_->Scrolled();
    return true;
}

bool TreeViewModel::ScrollLines(int lines) {
    return ScrollTo(scrollX_, scrollY_ + lines * SingleRowHeight());
}

bool TreeViewModel::ScrollPages(int pages) {
    int single = SingleRowHeight();
    return ScrollTo(scrollX_, scrollY_ + pages * std::max(single, clientHeight_ - single));
}

bool TreeViewModel::Wheel(int delta, int linesPerNotch) {
    wheelRest_ += delta;
    int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    return notches ? ScrollLines(-notches * linesPerNotch) : false;
}

bool TreeViewModel::EnsureVisible(TreeViewNode* node) {
    if (!node || node->view_ != this) return false;
    bool moved = false;
    for (TreeViewNode* p = node->ParentNode(); p; p = p->ParentNode()) {
        if (p == root_ && !showRoot_) break;
        if (!p->expanded_) {
            Expand(p, true);
            moved = true;
        }
        if (p == root_) break;
    }
    long row = RowOf(node);
    if (row < 0) return moved;
    int top = RowTop(row), height = RowHeight(row);
    int y = scrollY_;
    if (top < y)
        y = top;
    else if (top + height > y + clientHeight_)
        y = std::min(top, top + height - clientHeight_);
    return ScrollTo(scrollX_, y) || moved;
}

bool TreeViewModel::ScrollNodeTo(TreeViewNode* node, int offset, bool notify) {
    long row = RowOf(node);
    if (row < 0) return false;
    Measure(row);
    return ScrollTo(scrollX_, RowTop(row) - offset, notify);
}

// ---- insertion mark ----

void TreeViewModel::SetInsertMark(TreeViewNode* node, bool after) {
    markNode_ = node && node->view_ == this ? node : nullptr;
    markAfter_ = after;
}

int TreeViewModel::InsertMarkY() {
    long row = RowOf(markNode_);
    if (row < 0) return -1;
    TreeRowView v = RowView(static_cast<size_t>(row));
    return markAfter_ ? v.top + v.height : v.top;
}
