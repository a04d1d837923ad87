#include "ui/ItemPropSheet.h"

#include "ui/EventParamChooser.h"

#include "lang/PropertyIds.h"
#include "platform/Lang.h"
#include "watchlist/ItemNode.h"

namespace {

DPropertySheetArgs SheetArgs(const ItemSheetArgs& args) {
    DPropertySheetArgs sheet;
    sheet.title = LoadText(args.isMailbox ? TEXT_MAILBOX_SHEET_TITLE : TEXT_PAGE_SHEET_TITLE);
    sheet.okText = LoadText(TEXT_SHEET_OK);
    sheet.cancelText = LoadText(TEXT_SHEET_CANCEL);
    sheet.helpText = LoadText(TEXT_SHEET_HELP);
    sheet.withApply = false;
    sheet.withHelp = true;
    return sheet;
}

ItemPageContext PageContext(const ItemSheetArgs& args) {
    ItemPageContext context;
    context.defaultsMode = args.defaultsMode;
    context.lastAttemptFailed = args.lastAttemptFailed;
    context.mailSecurity = args.mailSecurity;
    context.chooseEventFile = args.chooseEventFile;
    if (!context.chooseEventFile)
        context.chooseEventFile = [](HWND owner, uint8_t kind, AStr& path) {
            return ChooseEventParameter(owner, kind, &path);
        };
    return context;
}

}  // namespace

ItemPropSheet::ItemPropSheet(ItemProperties& record, const ItemSheetArgs& args)
    : DPropertySheet(SheetArgs(args)),
      context_(PageContext(args)),
      page_(record, context_),
      mail_(record, context_),
      filter_(record),
      options_(record, context_) {
    if (args.isMailbox) {
        AddPage(&mail_);
    } else {
        AddPage(&page_);
        AddPage(&filter_);
    }
    AddPage(&options_);
}

int EditObject(HWND owner, ItemProperties& properties, const ItemSheetArgs& args) {
    ItemProperties copy = properties;
    ItemPropSheet sheet(copy, args);
    if (sheet.RunModal(owner) != IDOK) return 0;
    properties = copy;
    return 1;
}

int EditObject(HWND owner, ItemProperties& properties, bool isMailbox, bool defaultsMode,
               bool lastAttemptFailed) {
    ItemSheetArgs args;
    args.isMailbox = isMailbox;
    args.defaultsMode = defaultsMode;
    args.lastAttemptFailed = lastAttemptFailed;
    return EditObject(owner, properties, args);
}

bool EditDefaults(HWND owner, ItemProperties& defaults) {
    return EditObject(owner, defaults, false, true, false) == 1;
}

bool EditObjectProperties(HWND owner, ItemNode& node, PropertyChanges* changes) {
    ItemProperties copy = node.properties;
    bool ok;
    if (node.IsFolder()) {
        ok = EditFolder(owner, copy) == 1;
    } else {
        ItemSheetArgs args;
        args.isMailbox = node.IsMailbox();
        args.lastAttemptFailed = node.lastError != 0;
        args.mailSecurity = node.mailSecurity;
        ok = EditObject(owner, copy, args) == 1;
    }
    if (!ok) return false;
    if (changes) *changes = CompareProperties(node.properties, copy);
    node.properties = copy;
    return true;
}
