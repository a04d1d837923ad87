#include "ui/EventParamChooser.h"

#include <string>

#include "lang/CommandIds.h"
#include "platform/Lang.h"
#include "shell/gui/DFileDialog.h"
#include "shell/gui/DText.h"
#include "watchlist/EventRules.h"

bool ChooseEventParameter(HWND owner, uint8_t kind, AStr* param) {
    if (kind != kEventSound && kind != kEventRunProgram) return false;
    bool sound = kind == kEventSound;
    AStr filterText = LoadText(sound ? TEXT_FILTER_SOUNDS : TEXT_FILTER_PROGRAMS);
    filterText += LoadText(TEXT_FILTER_ALL_FILES);
    DFileDialogArgs args;
    args.owner = owner;
    args.filter = filterText;
    args.title = LoadText(TEXT_CHOOSE_EVENT_FILE);
    args.extension = sound ? L"wav" : L"exe";
    std::wstring file;
    if (!DAskFileName(args, file)) return false;
    AStr chosen = RecordText(file.c_str());
    *param = sound ? chosen : ProgramParameter(chosen);
    return true;
}
