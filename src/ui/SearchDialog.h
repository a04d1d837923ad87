#pragma once
// The dialogs that ask for a text with a history of earlier ones: the plain
// one, and the search dialog with its two switches.
#include <vector>

#include "framework/AStr.h"
#include "panes/SearchText.h"
#include "shell/gui/DDialog.h"

// Control ids of the templates.
enum : int {
    kTextHistoryCombo = 202,
    kMatchCaseBox = 204,
    kWholeWordBox = 205,
};

struct StringRequest {
    AStr text;
    std::vector<AStr> history;  // most recent first
};

struct SearchRequest : StringRequest {
    SearchSwitches switches;
};

class GetStrDialog : public DDialog {
  public:
    GetStrDialog(const DDialogArgs& args, StringRequest& request)
        : DDialog(args), request_(request) {}

  protected:
    void TransferToControls() override;
    void TransferFromControls() override;

  private:
    StringRequest& request_;
};

class GetSearchStrDialog : public GetStrDialog {
  public:
    explicit GetSearchStrDialog(SearchRequest& request);

  protected:
    void TransferToControls() override;
    void TransferFromControls() override;

  private:
    SearchRequest& search_;
};
