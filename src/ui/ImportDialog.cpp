// The import dialog: its two panes in the places of controls 100 and 101,
// the add, defaults, source and apply buttons, and the watch list built
// from the left tree on OK.
#include "ui/ImportDialog.h"

#include "import/ImportApply.h"
#include "lang/CommandIds.h"
#include "lang/ImportIds.h"
#include "platform/Lang.h"
#include "shell/gui/DText.h"

AStr SourceFailureText(const SourceResult& result) {
    switch (result.failure) {
        case SourceResult::kNone:
            return AStr();
        case SourceResult::kSystemError:
            return ProgramErrorText(static_cast<int>(result.systemError));
        case SourceResult::kUnreadable:
            break;
    }
    return LoadText(TEXT_SOURCE_UNREADABLE);
}

ImportDialog::ImportDialog(ImportDialogArgs& args)
    : DDialog(DDialogArgs::FromTemplate(DLG_IMPORT)), args_(args) {
    if (args_.watchList) FillFromWatchList(*args_.watchList, leftRoot_);
}

ImportDialog::~ImportDialog() {
    // The panes' nodes go before the entries they stand for.
    left_.reset();
    right_.reset();
}

void ImportDialog::CreatePane(std::unique_ptr<ImportTreeView>& pane, ImportNode& root,
                              bool editable, int place, int id) {
    ImportPaneHost host;
    host.defaults = args_.defaults;
    if (editable) {
        host.changed = [this] { MarkChanged(true); };
        host.newEntry = [this](ImportNode& parent) { NewEntry(parent); };
    }
    pane.reset(new ImportTreeView(root, editable, std::move(host)));
    HWND placeholder = Item(place);
    RECT at;
    GetWindowRect(placeholder, &at);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&at), 2);
    ShowWindow(placeholder, SW_HIDE);
    if (pane->Create(Handle(), id, placeholder, at)) pane->Rebuild();
}

void ImportDialog::OnInit() {
    CreatePane(left_, leftRoot_, true, IDC_IMPORT_LEFT_PLACE, IDC_IMPORT_LEFT_PANE);
    CreatePane(right_, rightRoot_, false, IDC_IMPORT_RIGHT_PLACE, IDC_IMPORT_RIGHT_PANE);
    MarkChanged(false);
    ShowSourceName();
    const bool favorites = args_.source.kind == static_cast<uint8_t>(SourceKind::kFavorites);
    if (!args_.source.path.IsEmpty() || favorites) LoadSourceTree(args_.source);
}

bool ImportDialog::OnCommand(int id, int code, HWND control) {
    if (code != BN_CLICKED) return DDialog::OnCommand(id, code, control);
    switch (id) {
        case IDC_IMPORT_ADD:
            AddSelected();
            return true;
        case IDC_IMPORT_DEFAULTS:
            if (args_.editDefaults) args_.editDefaults(Handle());
            return true;
        case IDC_IMPORT_SOURCE:
            AskSource();
            return true;
        case IDC_IMPORT_APPLY:
            Apply();
            return true;
        default:
            return DDialog::OnCommand(id, code, control);
    }
}

void ImportDialog::TransferFromControls() {
    if (IsWindowEnabled(Item(IDC_IMPORT_APPLY))) Apply();
}

void ImportDialog::MarkChanged(bool changed) {
    EnableItem(IDC_IMPORT_APPLY, changed);
}

void ImportDialog::Apply() {
    if (!args_.apply) return;
    left_->RemoveAll();  // the nodes point at entries about to go
    args_.apply(leftRoot_);
    applied_ = true;
    leftRoot_.Clear();
    if (args_.watchList) FillFromWatchList(*args_.watchList, leftRoot_);
    left_->Rebuild();
    MarkChanged(false);
}

void ImportDialog::AddSelected() {
    std::vector<CopiedEntry> copies = right_->CopiedSelection();
    if (copies.empty()) return;
    EntryPosition end;
    end.parent = &leftRoot_;
    ImportNode* first = left_->PlaceCopies(copies, end);
    if (first && first->treeNode) left_->EnsureVisible(static_cast<TreeViewNode*>(first->treeNode));
    MarkChanged(true);
}

bool ImportDialog::LoadSourceTree(const SourceChoice& source) {
    right_->RemoveAll();  // the nodes point at entries about to go
    uint8_t kind = source.kind;
    ItemProperties defaults = args_.defaults ? *args_.defaults : ItemProperties();
    SourceResult result = LoadSource(kind, source.path.c_str(), rightRoot_, defaults);
    args_.source.kind = kind;
    args_.source.path = source.path;
    ShowSourceName();
    right_->Rebuild();
    if (result.Ok()) return true;
    AStr text = SourceFailureText(result);
    if (args_.showMessage)
        args_.showMessage(text);
    else
        MessageBoxW(Handle(), WideText(text.c_str()).c_str(),
                    WideText(LoadText(TEXT_PROGRAM_NAME).c_str()).c_str(),
                    MB_OK | MB_TASKMODAL | MB_ICONERROR);
    return false;
}

void ImportDialog::AskSource() {
    SourceChoice choice = args_.source;
    AskExportSourceDialog ask(choice, true, args_.seams);
    if (ask.RunModal(Handle()) == IDOK) LoadSourceTree(choice);
}

void ImportDialog::NewEntry(ImportNode& parent) {
    ItemProperties properties = args_.defaults ? *args_.defaults : ItemProperties();
    if (!args_.editNewEntry || !args_.editNewEntry(Handle(), properties)) return;
    auto* entry = new ImportNode;
    entry->properties = properties;
    entry->hasProperties = true;
    parent.Append(entry);
    left_->AddEntryNode(*entry);
    left_->Changed();
    MarkChanged(true);
}

void ImportDialog::ShowSourceName() {
    AStr name = args_.source.path;
    if (args_.source.kind == static_cast<uint8_t>(SourceKind::kFavorites))
        name = LoadText(TEXT_SOURCE_FAVORITES);
    else if (name.IsEmpty())
        name = LoadText(TEXT_SOURCE_NONE);
    SetItemText(IDC_IMPORT_SOURCE_NAME, name);
}
