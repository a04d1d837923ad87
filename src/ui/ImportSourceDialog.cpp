// The question of the import's source (template 12) and the system's file
// dialogs of import and export: the file-open and save-file dialogs with
// the filters of the language module, and the folder browser.
#include <windows.h>
// after windows.h
#include <shlobj.h>

#include <string>

#include "lang/ImportIds.h"
#include "platform/Files.h"
#include "platform/Lang.h"
#include "shell/gui/DFileDialog.h"
#include "shell/gui/DText.h"
#include "ui/ImportDialog.h"

namespace {

// The radio button of each kind of source, by kind.
const int kKindButtons[] = {IDC_SOURCE_FOLDER, IDC_SOURCE_EXPORT, IDC_SOURCE_PAGE,
                            IDC_SOURCE_FAVORITES, IDC_SOURCE_TROVIK};
constexpr uint8_t kKinds = sizeof kKindButtons / sizeof kKindButtons[0];

// Texts of the language module joined as one filter.
AStr FilterOf(std::initializer_list<unsigned> texts) {
    AStr joined;
    for (unsigned id : texts) joined += LoadText(id);
    return joined;
}

// The file dialog: open (`save` false) or save, with the filter, the
// default extension and the first name shown.
bool RunFileDialog(HWND owner, bool save, const AStr& filter, const wchar_t* extension,
                   unsigned titleId, AStr& path) {
    DFileDialogArgs args;
    args.owner = owner;
    args.save = save;
    args.filter = filter;
    args.title = LoadText(titleId);
    args.extension = extension;
    std::wstring file = path.IsEmpty() ? std::wstring() : WideText(path.c_str());
    if (!DAskFileName(args, file)) return false;
    path = NarrowText(file.c_str());
    return true;
}

int CALLBACK StartFolder(HWND window, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

bool BrowseFolder(HWND owner, AStr& path) {
    std::wstring start =
        WideText(path.IsEmpty() ? platform::ProgramDirectory().c_str() : path.c_str());
    std::wstring title = WideText(LoadText(TEXT_FOLDER_BROWSE_TITLE).c_str());
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = StartFolder;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
    if (!chosen) return false;
    wchar_t folder[MAX_PATH] = {};
    bool ok = SHGetPathFromIDListW(chosen, folder) != FALSE;
    CoTaskMemFree(chosen);
    if (ok) path = NarrowText(folder);
    return ok;
}

}  // namespace

bool ChooseExportFile(HWND owner, AStr& path) {
    path.Clear();
    return RunFileDialog(owner, true, FilterOf({TEXT_FILTER_EXPORT, TEXT_FILTER_ALL}), L"ovf",
                         TEXT_EXPORT_TITLE, path);
}

bool ChooseSourcePath(HWND owner, uint8_t kind, AStr& path) {
    switch (static_cast<SourceKind>(kind)) {
        case SourceKind::kShortcutFolder:
            return BrowseFolder(owner, path);
        case SourceKind::kExportFile:
            return RunFileDialog(owner, false, FilterOf({TEXT_FILTER_EXPORT, TEXT_FILTER_ALL}),
                                 L"ovf", TEXT_FILE_CHOOSER_TITLE, path);
        case SourceKind::kPageLinks:
            return RunFileDialog(owner, false, FilterOf({TEXT_FILTER_ALL}), nullptr,
                                 TEXT_FILE_CHOOSER_TITLE, path);
        case SourceKind::kTrovikTree:
            return RunFileDialog(owner, false, FilterOf({TEXT_FILTER_TROVIK, TEXT_FILTER_ALL}),
                                 L"trv", TEXT_FILE_CHOOSER_TITLE, path);
        case SourceKind::kFavorites:
            break;
    }
    return false;
}

// ---- the source question ----

AskExportSourceDialog::AskExportSourceDialog(SourceChoice& choice, bool importMode,
                                             const ImportFileSeams& seams)
    : DDialog(DDialogArgs::FromTemplate(DLG_IMPORT_SOURCE)),
      choice_(choice),
      importMode_(importMode),
      seams_(seams) {}

uint8_t AskExportSourceDialog::CheckedKind() const {
    for (uint8_t k = 0; k < kKinds; ++k)
        if (IsChecked(kKindButtons[k])) return k;
    return static_cast<uint8_t>(SourceKind::kExportFile);
}

void AskExportSourceDialog::TransferToControls() {
    uint8_t kind = choice_.kind < kKinds ? choice_.kind : 1;
    if (!importMode_) {
        EnableItem(IDC_SOURCE_PAGE, false);
        EnableItem(IDC_SOURCE_TROVIK, false);
        if (kind == static_cast<uint8_t>(SourceKind::kPageLinks) ||
            kind == static_cast<uint8_t>(SourceKind::kTrovikTree))
            kind = static_cast<uint8_t>(SourceKind::kExportFile);
    }
    for (uint8_t k = 0; k < kKinds; ++k) SetChecked(kKindButtons[k], k == kind);
    SendMessageW(Item(IDC_SOURCE_PATH), EM_LIMITTEXT, MAX_PATH - 1, 0);
    SetItemText(IDC_SOURCE_PATH, choice_.path);
    ShowPathControls();
}

void AskExportSourceDialog::TransferFromControls() {
    choice_.kind = CheckedKind();
    choice_.path = ItemText(IDC_SOURCE_PATH);
}

bool AskExportSourceDialog::Validate() {
    if (CheckedKind() != static_cast<uint8_t>(SourceKind::kFavorites) &&
        ItemText(IDC_SOURCE_PATH).IsEmpty())
        return RefuseField(IDC_SOURCE_PATH);
    return true;
}

void AskExportSourceDialog::ShowPathControls() {
    const bool path = CheckedKind() != static_cast<uint8_t>(SourceKind::kFavorites);
    for (int id : {IDC_SOURCE_BROWSE, IDC_SOURCE_PATH, IDC_SOURCE_PATH_LABEL}) EnableItem(id, path);
}

void AskExportSourceDialog::Browse() {
    const uint8_t kind = CheckedKind();
    AStr path = ItemText(IDC_SOURCE_PATH);
    bool chosen;
    if (seams_.chooseSource)
        chosen = seams_.chooseSource(Handle(), kind, path);
    else if (!importMode_ && kind != static_cast<uint8_t>(SourceKind::kShortcutFolder))
        chosen = ChooseExportFile(Handle(), path);  // a file to write
    else
        chosen = ChooseSourcePath(Handle(), kind, path);
    if (chosen) SetItemText(IDC_SOURCE_PATH, path);
}

bool AskExportSourceDialog::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED && id == IDC_SOURCE_BROWSE) {
        Browse();
        return true;
    }
    if (code == BN_CLICKED && id >= IDC_SOURCE_FAVORITES && id <= IDC_SOURCE_TROVIK) {
        ShowPathControls();
        return true;
    }
    return DDialog::OnCommand(id, code, control);
}
