#include "panes/SearchText.h"

#include <algorithm>
#include <cstdint>

#include "framework/CaseFold.h"
#include "framework/TreeViewNode.h"

namespace {

std::vector<uint32_t> CodePoints(const AStr& text, bool fold) {
    std::vector<uint32_t> points;
    if (fold)
        casefold::FoldedText(text.c_str(), text.Length(), &points, nullptr);
    else
        casefold::DecodedText(text.c_str(), text.Length(), &points, nullptr);
    return points;
}

bool IsWordCharacter(uint32_t cp) {
    return cp == '_' || (cp >= '0' && cp <= '9') || casefold::IsLetter(cp);
}

}  // namespace

bool TextContains(const AStr& text, const AStr& needle, SearchSwitches switches) {
    if (needle.IsEmpty()) return false;
    std::vector<uint32_t> hay = CodePoints(text, !switches.matchCase);
    std::vector<uint32_t> want = CodePoints(needle, !switches.matchCase);
    for (auto at = hay.begin();; ++at) {
        at = std::search(at, hay.end(), want.begin(), want.end());
        if (at == hay.end()) return false;
        if (!switches.wholeWord) return true;
        auto after = at + static_cast<long>(want.size());
        bool before = at != hay.begin() && IsWordCharacter(*(at - 1));
        if (!before && (after == hay.end() || !IsWordCharacter(*after))) return true;
    }
}

std::vector<AStr> SearchDialogList(const std::vector<AStr>& history, const AStr& text) {
    std::vector<AStr> list(
        history.begin(),
        history.begin() + static_cast<long>(std::min(history.size(), kSearchHistorySize)));
    if (text.IsEmpty()) return list;
    list.erase(std::remove(list.begin(), list.end(), text), list.end());
    list.insert(list.begin(), text);
    return list;
}

void RememberSearch(std::vector<AStr>& history, const AStr& text) {
    while (history.size() > kSearchHistorySize - 1) history.pop_back();
    history.erase(std::remove(history.begin(), history.end(), text), history.end());
    history.insert(history.begin(), text);
}

SearchOutcome FindInTree(TreeViewNode& root, TreeViewNode* caret, const AStr& needle,
                         SearchSwitches switches, const AskToWrap& askToWrap) {
    SearchOutcome outcome;
    Tree* start = caret ? static_cast<Tree*>(caret) : root.FirstChild();
    if (!start) return outcome;
    for (Tree* node = start;;) {
        Tree* next = node->NextPreOrder(&root);
        if (!next) {
            if (!askToWrap()) return outcome;
            next = &root;
        }
        if (next == start) {
            outcome.searchedAll = true;
            return outcome;
        }
        auto* shown = static_cast<TreeViewNode*>(next);
        if (!shown->Text().IsEmpty() && TextContains(shown->Text(), needle, switches)) {
            outcome.found = shown;
            return outcome;
        }
        node = next;
    }
}
