#pragma once
// The pages of the property sheet of a web page or mailbox. Each edits the
// sheet's copy of the object's record; the sheet gives the copy back on OK.
#include <functional>

#include "framework/AStr.h"
#include "propfields/PeriodFields.h"
#include "shell/gui/DColorComboBox.h"
#include "shell/gui/DPropertySheet.h"
#include "watchlist/ItemProperties.h"

// What the pages know besides the record.
struct ItemPageContext {
    bool defaultsMode = false;       // the program-wide defaults for new objects
    bool lastAttemptFailed = false;  // the object's last error is not 0
    // A mailbox's connection at its last check (pop3's kMail...; 0 unknown).
    uint8_t mailSecurity = 0;
    // Fills `path` with a chosen sound file (kind 2) or program (kind 4);
    // false when the user gave up.
    std::function<bool(HWND owner, uint8_t kind, AStr& path)> chooseEventFile;
};

// An editable drop-down list with the values a period field offers and the
// shown one in its edit field.
void FillOfferedList(HWND combo, PeriodField field, const AStr& shown);

// Common to the first pages: the period lists, the last attempt, the colour.
class ObjectPage : public DPropertyPage {
  protected:
    ObjectPage(int templateId, ItemProperties& record, const ItemPageContext& context);
    void FillPeriod(int days, int hours, int minutes) const;
    // False (the field refused) when a period field is bad.
    bool ReadPeriod(int days, int hours, int minutes, uint32_t* seconds) const;
    // The time in `id` with its label; both hidden when there is none.
    void ShowLastAttempt(int id, int label, bool mailbox) const;
    void FillColors(int id);
    void ReadColor();
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

    ItemProperties& record_;
    const ItemPageContext& context_;
    DColorComboBox colors_;
};

// A web page: name, address, period, comparison mode, colour (template 1).
class ItemPropDialog : public ObjectPage {
  public:
    ItemPropDialog(ItemProperties& record, const ItemPageContext& context);

  protected:
    void OnInit() override;
    void TransferToControls() override;
    bool Validate() override;
    void TransferFromControls() override;
};

// A mailbox: name, period, server, port, user, password, colour (template 3).
class MailPropDialog : public ObjectPage {
  public:
    MailPropDialog(ItemProperties& record, const ItemPageContext& context);

  protected:
    void OnInit() override;
    void TransferToControls() override;
    bool Validate() override;
    void TransferFromControls() override;
};

// Keywords and thresholds (template 9).
class ItemFilterDialog : public DPropertyPage {
  public:
    explicit ItemFilterDialog(ItemProperties& record);

  protected:
    void OnInit() override;
    void TransferToControls() override;
    void TransferFromControls() override;

  private:
    ItemProperties& record_;
};

// Discarding old checks, the text log and the notification event
// (template 8). An event held on arrival (a program that came with an
// imported object) is shown with a note and runs only once confirmed.
class ItemOptionsDialog : public DPropertyPage {
  public:
    ItemOptionsDialog(ItemProperties& record, const ItemPageContext& context);

  protected:
    void OnInit() override;
    void TransferToControls() override;
    bool Validate() override;
    void TransferFromControls() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void UpdateDiscardFields() const;
    void UpdateEventFields() const;
    uint8_t ChosenEvent() const;
    ItemProperties& record_;
    const ItemPageContext& context_;
    bool held_ = false;
};
