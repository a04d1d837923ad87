#pragma once
// Searching the texts of the result pane: how a text matches, the history of
// earlier searches, and the walk from the caret through the whole pane.
#include <functional>
#include <vector>

#include "framework/AStr.h"

class TreeViewNode;

struct SearchSwitches {
    bool matchCase = false;  // "bCase"
    bool wholeWord = false;  // "bWord"
};

// Whether `text` holds `needle`; both are read by the display rule (UTF-8
// when well formed with a multi-byte sequence, else 1251). Without match
// case both are compared in folded form; with whole word a hit counts only
// when neither neighbour is a letter, a digit or "_".
bool TextContains(const AStr& text, const AStr& needle, SearchSwitches switches);

// The search history holds at most this many texts, most recent first.
constexpr size_t kSearchHistorySize = 12;
// The list the search dialog offers: the history, with the current text (when
// there is one) moved or put at the top.
std::vector<AStr> SearchDialogList(const std::vector<AStr>& history, const AStr& text);
// The history after a search for `text`: the text at the front, once, and
// the oldest entries dropped beyond the limit.
void RememberSearch(std::vector<AStr>& history, const AStr& text);

// What the walk does when it reaches the end of the pane: true to go on
// from the top.
using AskToWrap = std::function<bool()>;

struct SearchOutcome {
    TreeViewNode* found = nullptr;
    bool searchedAll = false;  // back at the start: nothing holds the text
};

// From the node after `caret` (the root's first child when there is no
// caret), in tree order, the first node whose text holds the needle. The
// start node itself is never tested.
SearchOutcome FindInTree(TreeViewNode& root, TreeViewNode* caret, const AStr& needle,
                         SearchSwitches switches, const AskToWrap& askToWrap);
