#include "panes/PaneCommands.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "watchlist/CheckNode.h"
#include "watchlist/ItemList.h"

namespace {

bool IsMailLink(const AStr& link) {
    const char* s = link.c_str();
    for (const char* p = "mailto:"; *p; ++p, ++s)
        if (std::tolower(static_cast<unsigned char>(*s)) != *p) return false;
    return true;
}

// The items of an object to open: a mailbox by 910 without the page
// items, a page by 908 without 910.
void ObjectItems(const ItemNode& object, PopupEdits& edits) {
    if (object.IsMailbox()) {
        edits.defaultId = kCmdOpenMailbox;
        edits.removedIds = {kCmdOpenPage, kCmdOpenPageNewWindow};
    } else if (!object.IsFolder()) {
        edits.defaultId = kCmdOpenPage;
        edits.removedIds = {kCmdOpenMailbox};
    }
}

}  // namespace

InsertPosition NewObjectPosition(ItemList& list, ItemNode* caret) {
    if (!caret || caret == &list) return InsertPosition{&list, nullptr, false};
    if (caret->IsFolder()) return InsertPosition{caret, nullptr, false};
    ItemNode* parent = caret->ParentItem();
    return InsertPosition{parent ? parent : &list, caret, false};
}

ItemNode* ResultTarget(ItemNode* current, const CheckNode* selectedCheck) {
    if (!current || !current->IsFolder()) return current;
    ItemNode* owner = selectedCheck ? selectedCheck->origin : nullptr;
    return owner && current->IsAncestorOf(owner) ? owner : nullptr;
}

bool PopupEdits::Removes(int id) const {
    return std::find(removedIds.begin(), removedIds.end(), id) != removedIds.end();
}

PopupEdits ItemPopupEdits(const ItemNode* first) {
    PopupEdits edits;
    if (first) ObjectItems(*first, edits);
    return edits;
}

PopupEdits ResultPopupEdits(const ResultPopupState& state) {
    PopupEdits edits;
    if (!state.onRecord) return edits;
    if (state.linkedChange) {
        edits.removedIds = {kCmdOpenPage, kCmdOpenPageNewWindow, kCmdCopyUrl};
        if (IsMailLink(state.linkedChange->link)) {
            edits.defaultId = kCmdOpenChangeLink;
            edits.removedIds.push_back(kCmdOpenChangeLinkPage);
        } else {
            edits.defaultId = kCmdOpenChangeLinkPage;
            edits.removedIds.push_back(kCmdOpenChangeLink);
            edits.removedIds.push_back(kCmdOpenChangeLinkNewWindow);
        }
        return edits;
    }
    if (state.target) ObjectItems(*state.target, edits);
    if (!state.target) {
        edits.removedPositions = {2};
        edits.removedIds = {kCmdOpenPage, kCmdOpenPageNewWindow, kCmdOpenMailbox, kCmdCopyUrl};
    }
    for (int id : {kCmdOpenChangeLink, kCmdOpenChangeLinkNewWindow, kCmdOpenChangeLinkPage,
                   kCmdCopyChangeLink})
        edits.removedIds.push_back(id);
    return edits;
}

std::vector<size_t> SeparatorsToPrune(const std::vector<int>& ids) {
    std::vector<size_t> pruned;
    bool commandKept = false;
    bool separatorOpen = false;  // a kept separator not yet followed by a command
    size_t open = 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] != 0) {
            commandKept = true;
            separatorOpen = false;
        } else if (!commandKept || separatorOpen) {
            pruned.push_back(i);
        } else {
            separatorOpen = true;
            open = i;
        }
    }
    if (separatorOpen) pruned.push_back(open);
    std::sort(pruned.rbegin(), pruned.rend());
    return pruned;
}

ProgramCall BrowserCall(const AStr& openCommand, const AStr& url) {
    const std::string command = openCommand.c_str();
    const char* blanks = " \t";
    size_t start = command.find_first_not_of(blanks);
    if (start == std::string::npos) return ProgramCall{AStr(), AStr(url)};
    size_t end;
    ProgramCall call;
    if (command[start] == '"') {
        end = command.find('"', start + 1);
        if (end == std::string::npos) end = command.size();
        call.program = AStr(command.substr(start + 1, end - start - 1).c_str());
        if (end < command.size()) ++end;  // past the closing quote
    } else {
        end = command.find_first_of(blanks, start);
        if (end == std::string::npos) end = command.size();
        call.program = AStr(command.substr(start, end - start).c_str());
    }
    std::string arguments;
    size_t from = command.find_first_not_of(blanks, end);
    if (from != std::string::npos) arguments = command.substr(from);
    size_t mark = arguments.find("%1");
    if (mark != std::string::npos)
        arguments.replace(mark, 2, url.c_str());
    else
        arguments += (arguments.empty() ? "" : " ") + std::string(url.c_str());
    call.arguments = AStr(arguments.c_str());
    return call;
}
