// The main window's export and import: the selected objects written to an
// export file, and the import dialog run with every check stopped and
// suspended, whose left tree becomes the watch list on OK.
#include "import/ImportApply.h"
#include "panes/ItemDrop.h"
#include "platform/Lang.h"
#include "ui/FrameWindow.h"
#include "ui/ItemPropSheet.h"
#include "watchlist/ObjectStream.h"
#include "watchlist/Options.h"
#include "watchlist/SafeSave.h"
#include "watchlist/UserFiles.h"

namespace {

// The kinds the object-type dialog offers.
constexpr int kKindPage = 0;
constexpr int kKindMailbox = 1;
constexpr int kKindFolder = 2;

// A new entry of the import dialog: its kind, then its properties.
bool EditNewEntry(HWND owner, ItemProperties& properties) {
    int kind = kKindPage;
    if (!ChooseObjectKind(owner, kind)) return false;
    properties.address.Clear();
    if (kind == kKindFolder) return EditFolder(owner, properties) == 1;
    return EditObject(owner, properties, kind == kKindMailbox, false, false) == 1;
}

}  // namespace

bool FrameWindow::ExportSelected() {
    std::vector<ItemNode*> objects = TopObjects(itemPane_.Selected());
    if (objects.empty()) return false;
    AStr path;
    const bool chosen = importSeams_.chooseExportFile
                            ? importSeams_.chooseExportFile(Handle(), path)
                            : ChooseExportFile(Handle(), path);
    if (!chosen || path.IsEmpty()) return false;
    const std::string bytes =
        ObjectsToStream(std::vector<const ItemNode*>(objects.begin(), objects.end()));
    if (bytes.empty()) return false;
    auto fill = [&bytes](owstream& os) {
        const long size = static_cast<long>(bytes.size());
        return os.Write(bytes.data(), size) == size ? 0 : -1;
    };
    // Mailbox passwords travel in the file: readable by its owner only.
    return SaveFileWhole(path.c_str(), fill, true) == 0;
}

int FrameWindow::ImportObjects() {
    ImportDialogArgs args;
    args.seams = importSeams_;
    AskExportSourceDialog ask(args.source, true, importSeams_);
    if (ask.RunModal(Handle()) != IDOK) return 0;
    {
        // A source that cannot be read opens nothing.
        ImportNode probe;
        uint8_t kind = args.source.kind;
        AStr failure = SourceFailureText(
            LoadSource(kind, args.source.path.c_str(), probe, options_->defaults));
        if (!failure.IsEmpty()) {
            ShowMessage(failure, MB_ICONERROR);
            return 0;
        }
    }
    for (ItemNode* o = list_.FirstItem(); o; o = o->NextInTree(&list_)) engine_->StopChecks(*o);
    const bool wasSuspended = options_->suspended;
    options_->suspended = true;

    args.watchList = &list_;
    args.defaults = &options_->defaults;
    args.apply = [this](ImportNode& left) { ReplaceWatchList(left); };
    args.editDefaults = [this](HWND owner) {
        if (EditDefaults(owner, options_->defaults) && !args_.settingsFile.empty())
            SaveDefaults(options_->defaults, args_.settingsFile);
    };
    args.editNewEntry = EditNewEntry;
    if (args_.showMessage) args.showMessage = args_.showMessage;
    ImportDialog dialog(args);
    dialog.RunModal(Handle());
    options_->suspended = wasSuspended;
    return dialog.Applied() ? 1 : 0;
}

void FrameWindow::ReplaceWatchList(ImportNode& left) {
    resultPane_.Clear();
    current_ = nullptr;
    itemPane_.SetCaret(nullptr);
    for (ItemNode* o = list_.FirstItem(); o; o = o->NextItem()) itemPane_.RemoveObjectNode(*o);
    ItemList rebuilt;
    std::vector<ItemNode*> held;
    BuildImportedList(left, rebuilt, &held);
    list_.Clear();  // the old objects gave their records to the new ones
    list_.TakeAll(rebuilt);
    list_.RecomputeMarks();
    list_.RenumberCopies();
    CleanUpUserFolder(list_);
    if (engine_) engine_->SetNewChanges(list_.CountNewChanges());
    itemPane_.Build();
    SaveWatchList();
    SaveChangeLog();
}
