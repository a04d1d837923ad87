#include "ui/SearchDialog.h"

#include "lang/CommandIds.h"
#include "shell/gui/DText.h"

void GetStrDialog::TransferToControls() {
    HWND combo = Item(kTextHistoryCombo);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const AStr& entry : SearchDialogList(request_.history, request_.text))
        SendMessageW(combo, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WideText(entry.c_str()).c_str()));
    if (!request_.text.IsEmpty()) SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

void GetStrDialog::TransferFromControls() {
    request_.text = ItemText(kTextHistoryCombo);
    RememberSearch(request_.history, request_.text);
}

GetSearchStrDialog::GetSearchStrDialog(SearchRequest& request)
    : GetStrDialog(DDialogArgs::FromTemplate(DLG_SEARCH), request), search_(request) {}

void GetSearchStrDialog::TransferToControls() {
    GetStrDialog::TransferToControls();
    SetChecked(kMatchCaseBox, search_.switches.matchCase);
    SetChecked(kWholeWordBox, search_.switches.wholeWord);
}

void GetSearchStrDialog::TransferFromControls() {
    GetStrDialog::TransferFromControls();
    search_.switches.matchCase = IsChecked(kMatchCaseBox);
    search_.switches.wholeWord = IsChecked(kWholeWordBox);
}
