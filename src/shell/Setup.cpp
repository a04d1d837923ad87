#include "shell/Setup.h"

#include <windows.h>

#include "lang/CommandIds.h"
#include "platform/Lang.h"
#include "shell/CommandLine.h"
#include "shell/gui/DText.h"
#include "watchlist/Options.h"

namespace {

bool ConfirmUninstall() {
    std::wstring text = WideText(DisplayText(TEXT_CONFIRM_UNINSTALL).c_str());
    std::wstring title = WideText(LoadText(TEXT_PROGRAM_NAME).c_str());
    return MessageBoxW(nullptr, text.c_str(), title.c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES;
}

}  // namespace

bool HandleSetupSwitch(const std::vector<AStr>& args) {
    if (FirstArgumentIs(args, "/install") || FirstArgumentIs(args, "/shadow")) return true;
    if (!FirstArgumentIs(args, "/uninstall")) return true;
    if (ConfirmUninstall()) SetAutostart(false);
    return false;
}
