#pragma once
// The result pane's rules: refilling it with the checks and changes of the
// current object (a news-tape folder gathering its descendants' checks),
// the check and change node texts and images, and the position remembered
// across a refill so the node the user looked at stays where it was.
#include <cstddef>
#include <cstdint>

#include "framework/TreeViewModel.h"
#include "panes/PaneNodes.h"
#include "panes/PaneTexts.h"

class ItemNode;
class CheckNode;
class ChangeNode;

// The shown text of a change with the change-text limit ("noutput", 0 = no
// limit): the text cut to the limit with the ellipsis byte 133, or for a
// link-only change url="link"; false when the change shows no node.
bool ChangeNodeText(const ChangeNode& change, size_t limit, AStr* text, int* image);
// A check's text: "date, time", three blanks, for an aggregated copy the
// owner's name (or title), for status 2 or 3 two blanks and its string.
AStr CheckNodeText(const CheckNode& check, PaneTexts& texts);

class ResultPane {
  public:
    ResultPane(TreeViewModel& model, TreeViewRoot& root, PaneTexts& texts)
        : model_(model), root_(root), texts_(texts) {}

    ItemNode* Current() const { return current_; }
    // Refills the pane with the object's checks (steps: remember the
    // position, empty a previous folder's aggregated list, gather a news
    // tape, rebuild, restore the position once). `paneHasFocus` decides
    // whether the first selected node or the top node is remembered.
    void Refill(ItemNode* object, size_t limit, bool paneHasFocus);
    // Empties the pane and makes no object current (its news tape emptied).
    void Clear();
    // The pane reported an expand change: the check record (and the source
    // of an aggregated copy) follows its node.
    void ExpandChanged(TreeViewNode* node);
    // Before a check record is deleted: its node and its changes' nodes go.
    void ForgetCheck(CheckNode& check);
    // The record of a node, or null.
    static CheckNode* CheckOf(TreeViewNode* node);
    static ChangeNode* ChangeOf(TreeViewNode* node);

  private:
    void Remember(bool paneHasFocus);
    void Restore(ItemNode* object);

    TreeViewModel& model_;
    TreeViewRoot& root_;
    PaneTexts& texts_;
    ItemNode* current_ = nullptr;
    struct Position {
        ItemNode* object = nullptr;
        CheckNode* check = nullptr;
        ChangeNode* change = nullptr;
        int x = 0;
        int y = 0;  // the node's top against the pane's top
    } remembered_;
};
