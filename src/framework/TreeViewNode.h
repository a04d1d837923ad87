#pragma once
// A node of the framework's tree view: text, image, state image, expanded
// and selected flags, and a class number by which the view draws it. The
// view keeps its layout cache here too, so laying out a row costs nothing
// when the node has been measured before.
#include <cstdint>
#include <vector>

#include "framework/AStr.h"
#include "framework/List.h"

class TreeViewModel;

class TreeViewNode : public Tree {
  public:
    TreeViewNode() = default;
    explicit TreeViewNode(const char* text, int image = 0) : text_(text), image_(image) {}
    // A node destroyed while in a view leaves it consistent (caret,
    // selection and rows forget it and its subtree).
    ~TreeViewNode() override;

    // Owner drawing: the class a painter draws the node by (0 = plain).
    virtual int NodeClass() const { return 0; }

    const AStr& Text() const { return text_; }
    int Image() const { return image_; }
    int StateImage() const { return stateImage_; }
    bool IsExpanded() const { return expanded_; }
    bool IsSelected() const { return selected_; }
    // The expanded flag of a node not yet in a view.
    void InitExpanded(bool expanded) {
        if (!view_) expanded_ = expanded;
    }
    // The view's model showing this node, or null.
    TreeViewModel* View() const { return view_; }

    TreeViewNode* ParentNode() const { return dynamic_cast<TreeViewNode*>(Owner()); }
    TreeViewNode* FirstChildNode() const { return static_cast<TreeViewNode*>(First()); }
    TreeViewNode* LastChildNode() const { return static_cast<TreeViewNode*>(Last()); }
    TreeViewNode* NextNode() const { return static_cast<TreeViewNode*>(Next()); }
    TreeViewNode* PrevNode() const { return static_cast<TreeViewNode*>(Prev()); }
    // Next in pre-order below root, or null.
    TreeViewNode* NextBelow(const TreeViewNode* root) const {
        return static_cast<TreeViewNode*>(NextPreOrder(root));
    }

  private:
    friend class TreeViewModel;
    AStr text_;
    int image_ = 0;
    int stateImage_ = 0;
    bool expanded_ = false;
    bool selected_ = false;
    TreeViewModel* view_ = nullptr;
    // Layout cache: valid while measureStamp_ equals the model's stamp and
    // the wrap width is the one measured for.
    uint32_t measureStamp_ = 0;
    int measuredFor_ = -1;
    int labelWidth_ = 0;
    std::vector<uint32_t> lineStarts_, lineEnds_;
    size_t row_ = 0;  // row index while displayed and the rows are current
};
