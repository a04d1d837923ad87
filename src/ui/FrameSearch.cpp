// Searching the result pane: the search dialog with its history and
// switches kept in the options, and the walk that selects what it finds.
#include "lang/CommandIds.h"
#include "platform/Lang.h"
#include "shell/gui/DText.h"
#include "ui/FrameWindow.h"
#include "ui/SearchDialog.h"
#include "watchlist/Options.h"

namespace {

// The longest not-found message the window shows.
constexpr size_t kLongestSearchMessage = 511;

std::vector<AStr> HistoryOf(const StrList& list) {
    std::vector<AStr> history;
    for (const StrNode* n = list.First(); n; n = n->Next()) history.push_back(*n);
    return history;
}

}  // namespace

bool FrameWindow::CanSearch() {
    return resultPane_.Model().Caret() || resultPane_.Root()->FirstChild();
}

void FrameWindow::Find() {
    SearchRequest request;
    request.history = HistoryOf(options_->searchHistory);
    request.switches = {options_->searchMatchCase, options_->searchWholeWord};
    GetSearchStrDialog dialog(request);
    if (dialog.RunModal(Handle()) != IDOK) return;
    options_->searchHistory.Clear();
    for (const AStr& entry : request.history) options_->searchHistory.Add(entry.c_str());
    options_->searchMatchCase = request.switches.matchCase;
    options_->searchWholeWord = request.switches.wholeWord;
    SaveOptions();
    FindInResults(request.text, request.switches);
}

void FrameWindow::FindNext() {
    const StrNode* last = options_->searchHistory.First();
    if (!last) return;
    FindInResults(*last, {options_->searchMatchCase, options_->searchWholeWord});
}

int FrameWindow::FindInResults(const AStr& text, SearchSwitches switches) {
    TreeViewNode* root = resultPane_.Root();
    TreeViewModel& model = resultPane_.Model();
    SearchOutcome outcome = FindInTree(*root, model.Caret(), text, switches,
                                       [&] { return AskYesNo(LoadText(TEXT_SEARCH_WRAP)); });
    if (!outcome.found) {
        if (outcome.searchedAll) {
            AStr message = FormatText(TEXT_SEARCH_NOT_FOUND, text);
            if (message.Length() > kLongestSearchMessage)
                message = AStr(message.c_str(), kLongestSearchMessage);
            ShowMessage(message);
        }
        return -1;
    }
    TreeViewNode* found = outcome.found;
    model.DeselectAll();
    std::vector<TreeViewNode*> above;
    for (TreeViewNode* p = found->ParentNode(); p && p != root; p = p->ParentNode())
        above.push_back(p);
    for (auto it = above.rbegin(); it != above.rend(); ++it) resultPane_.Expand(*it, true);
    model.SetCaret(found);
    model.Select(found, true);
    resultPane_.EnsureVisible(found);
    resultPane_.Changed();
    SetFocus(resultPane_.Handle());
    return 1;
}

bool FrameWindow::AskYesNo(const AStr& text) {
    if (args_.askYesNo) return args_.askYesNo(text);
    int answer = MessageBoxW(Handle(), WideText(text.c_str()).c_str(),
                             WideText(LoadText(TEXT_PROGRAM_NAME).c_str()).c_str(),
                             MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL);
    return answer == IDYES;
}
