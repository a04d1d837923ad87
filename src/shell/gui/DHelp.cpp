#include "shell/gui/DHelp.h"

#include <utility>

#include "platform/Lang.h"

namespace {

DHelpCall& Call() {
    static DHelpCall call;
    return call;
}

}  // namespace

DHelpCall SetHelpCall(DHelpCall call) {
    return std::exchange(Call(), std::move(call));
}

bool ShowHelp(HWND owner, UINT command, ULONG_PTR data) {
    const char* file = HelpFile().c_str();
    if (Call()) return Call()(owner, file, command, data);
    return WinHelpA(owner, file, command, data) != FALSE;
}

bool ShowHelpFor(HWND owner, const HELPINFO* info) {
    bool menu = info && info->iContextType == HELPINFO_MENUITEM;
    return ShowHelp(owner, HELP_CONTEXT, menu ? kHelpContextMenuItem : kHelpContextWindow);
}
