#pragma once
// The property dialogs of watched objects: the sheet of a web page or
// mailbox (also the defaults for new objects), the folder dialog and the
// choice of a new object's kind. Each edits a copy and gives it back only
// on OK.
#include <windows.h>

#include <functional>

#include "propfields/ObjectFields.h"
#include "ui/ItemPropPages.h"
#include "watchlist/ItemProperties.h"

class ItemNode;

struct ItemSheetArgs {
    bool isMailbox = false;
    bool defaultsMode = false;
    bool lastAttemptFailed = false;
    uint8_t mailSecurity = 0;  // shown on a mailbox's first page
    // The event file chooser; empty: the system's file-open dialog.
    std::function<bool(HWND owner, uint8_t kind, AStr& path)> chooseEventFile;
};

class ItemPropSheet : public DPropertySheet {
  public:
    ItemPropSheet(ItemProperties& record, const ItemSheetArgs& args);

  private:
    ItemPageContext context_;
    ItemPropDialog page_;
    MailPropDialog mail_;
    ItemFilterDialog filter_;
    ItemOptionsDialog options_;
};

// The sheet on a copy of `properties`; 1 for OK (the copy given back), else 0.
int EditObject(HWND owner, ItemProperties& properties, const ItemSheetArgs& args);
int EditObject(HWND owner, ItemProperties& properties, bool isMailbox, bool defaultsMode,
               bool lastAttemptFailed);
// The program-wide defaults for new objects; true for OK.
bool EditDefaults(HWND owner, ItemProperties& defaults);
// The folder dialog; 1 for OK.
int EditFolder(HWND owner, ItemProperties& properties);
// The kind of a new object: 0 web page, 1 mailbox, 2 folder; `kind` is the
// first choice and receives the chosen one. 1 for OK.
int ChooseObjectKind(HWND owner, int& kind);

// The properties of an object of the watch list, by its kind: the folder
// dialog or the sheet (told whether the last attempt failed and how the
// mailbox connected). On OK the object takes the new properties and
// *changes (when given) says what changed; the caller then stops, forgets
// and requests checks, rewrites the node and saves the watch list.
bool EditObjectProperties(HWND owner, ItemNode& node, PropertyChanges* changes = nullptr);
