#pragma once
// The import dialog (template 11): the program's own watch list on the
// left, editable, and an outside source on the right, read only. Entries
// are copied from right to left (the add button, drag and drop, the
// clipboard); OK or Apply hands the left tree to the caller, which builds
// the new watch list from it. The question of the source (template 12) and
// the export file chooser live here too.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "import/LoadSource.h"
#include "shell/gui/DDialog.h"
#include "ui/ImportTreeView.h"

class ItemNode;

// The file dialogs and the folder browser, replaceable by tests.
struct ImportFileSeams {
    // The save-file dialog of an export; true with the chosen path.
    std::function<bool(HWND owner, AStr& path)> chooseExportFile;
    // The file-open dialog (kinds 1, 2, 4) or the folder browser (kind 0) of
    // the source question; true with the chosen path.
    std::function<bool(HWND owner, uint8_t kind, AStr& path)> chooseSource;
};

// The source question: the kind of source and its file or folder.
struct SourceChoice {
    uint8_t kind = static_cast<uint8_t>(SourceKind::kExportFile);
    AStr path;
};

class AskExportSourceDialog : public DDialog {
  public:
    // importMode: a file to read is chosen; otherwise one to write, and
    // only folders, export files and the Favorites are offered.
    AskExportSourceDialog(SourceChoice& choice, bool importMode, const ImportFileSeams& seams);

  protected:
    bool OnCommand(int id, int code, HWND control) override;
    void TransferToControls() override;
    void TransferFromControls() override;
    bool Validate() override;

  private:
    uint8_t CheckedKind() const;
    void ShowPathControls();
    void Browse();

    SourceChoice& choice_;
    bool importMode_;
    const ImportFileSeams& seams_;
};

// What the import dialog works with.
struct ImportDialogArgs {
    ItemNode* watchList = nullptr;
    // The properties of entries made from a bare address or name.
    ItemProperties* defaults = nullptr;
    ImportFileSeams seams;
    // The source the right pane starts with (none when the path is empty
    // and the kind is not the Favorites).
    SourceChoice source;
    // Builds the new watch list from the left tree; the dialog then fills
    // the left tree anew from the list.
    std::function<void(ImportNode& left)> apply;
    // The defaults button: the defaults sheet and, on OK, their saving.
    std::function<void(HWND owner)> editDefaults;
    // Insert in the left pane: properties of a new entry; false to make none.
    std::function<bool(HWND owner, ItemProperties& properties)> editNewEntry;
    // A message to the user (a message box unless replaced).
    std::function<void(const AStr& text)> showMessage;
};

class ImportDialog : public DDialog {
  public:
    explicit ImportDialog(ImportDialogArgs& args);
    ~ImportDialog() override;

    ImportTreeView& Left() { return *left_; }
    ImportTreeView& Right() { return *right_; }
    ImportNode& LeftRoot() { return leftRoot_; }
    ImportNode& RightRoot() { return rightRoot_; }
    // Reads the source into the right pane; false (with the message shown)
    // when it could not be read.
    bool LoadSourceTree(const SourceChoice& source);
    // Copies the selected entries of the right pane to the end of the left.
    void AddSelected();
    // True once the watch list was rebuilt from the left tree.
    bool Applied() const { return applied_; }

  protected:
    void OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void TransferFromControls() override;

  private:
    void CreatePane(std::unique_ptr<ImportTreeView>& pane, ImportNode& root, bool editable,
                    int place, int id);
    void MarkChanged(bool changed);
    void Apply();
    void AskSource();
    void NewEntry(ImportNode& parent);
    void ShowSourceName();

    ImportDialogArgs& args_;
    ImportNode leftRoot_;
    ImportNode rightRoot_;
    std::unique_ptr<ImportTreeView> left_;
    std::unique_ptr<ImportTreeView> right_;
    bool applied_ = false;
};

// The message a source that could not be read shows; empty when it was read.
AStr SourceFailureText(const SourceResult& result);
// The system's file dialogs behind the seams.
bool ChooseExportFile(HWND owner, AStr& path);
bool ChooseSourcePath(HWND owner, uint8_t kind, AStr& path);
