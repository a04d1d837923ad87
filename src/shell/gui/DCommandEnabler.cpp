#include "shell/gui/DCommandEnabler.h"

#include "shell/gui/DText.h"
#include "shell/gui/DToolbar.h"

void DMenuItemEnabler::Enable(bool on) {
    EnableMenuItem(menu_, position_, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
}

void DMenuItemEnabler::SetText(const AStr& text) {
    std::wstring wide = WideText(text.c_str());
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(wide.c_str());
    SetMenuItemInfoW(menu_, position_, TRUE, &info);
}

void DMenuItemEnabler::SetCheck(bool on) {
    CheckMenuItem(menu_, position_, MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
}

void DGadgetEnabler::Enable(bool on) {
    toolbar_.EnableButton(Id(), on);
}
void DGadgetEnabler::SetCheck(bool on) {
    toolbar_.CheckButton(Id(), on);
}

void EnableMenuItems(HMENU menu, DCommandTarget& target) {
    int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        UINT id = GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separators and submenus
        DMenuItemEnabler enabler(menu, i, static_cast<int>(id));
        target.CommandEnable(enabler);
    }
}

void EnableToolbarButtons(DToolbar& toolbar, DCommandTarget& target) {
    for (int id : toolbar.Commands()) {
        DGadgetEnabler enabler(toolbar, id);
        target.CommandEnable(enabler);
    }
}
