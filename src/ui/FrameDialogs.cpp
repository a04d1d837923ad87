// The main window's dialog commands: the properties of the selected object
// and the program options.
#include <algorithm>

#include "lang/CommandIds.h"
#include "platform/Files.h"
#include "platform/Lang.h"
#include "propfields/ObjectFields.h"
#include "ui/FrameWindow.h"
#include "ui/ItemPropSheet.h"
#include "ui/OptionsDialog.h"
#include "watchlist/Options.h"
#include "watchlist/UserFiles.h"

void FrameWindow::EditSelectedProperties() {
    std::vector<ItemNode*> selected = itemPane_.Selected();
    if (selected.size() != 1) return;
    ItemNode& object = *selected[0];
    PropertyChanges changes;
    if (!EditObjectProperties(Handle(), object, &changes)) return;
    if (object.IsFolder()) {
        object.checks.Clear();  // the folder's gathered checks are made again
    } else {
        if (changes.address || changes.period) engine_->StopChecks(object);
        if (changes.address) {
            // Another address is another page: nothing of the old one stays.
            MarkSeen(object);
            object.checks.Clear();
            DeleteObjectFiles(list_, object);
            object.frames.reset();
            object.neverChecked = true;
        }
        if (changes.address || changes.period) engine_->RequestCheck(object);
    }
    RefreshObjectNode(object);
    if (&object == current_) ShowObjectResults(current_);
    SaveWatchList();
}

void FrameWindow::EditProgramOptions() {
    const AStr languageBefore = options_->language;
    OptionsDialogArgs args;
    args.options = options_;
    args.settingsFile = args_.settingsFile;
    args.languageDir = platform::ProgramDirectory();
    args.editDefaults = [](HWND owner, ItemProperties& defaults) {
        return EditDefaults(owner, defaults);
    };
    const OptionsOutcome outcome = EditOptions(Handle(), args);
    if (!outcome.ok) return;
    if (outcome.languageChanged && options_->language != languageBefore)
        ShowMessage(LoadText(TEXT_LANGUAGE_CHANGED), MB_ICONINFORMATION, TEXT_OPTIONS_TITLE);
    if (outcome.outputLimitChanged) {
        resultPane_.SetLimit(static_cast<size_t>(std::max(0, options_->outputLimit)));
        ShowObjectResults(current_);
    }
}
