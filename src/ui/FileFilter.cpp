#include "ui/FileFilter.h"

#include "platform/Lang.h"
#include "shell/gui/DText.h"

std::wstring FileDialogFilter(unsigned first, unsigned all) {
    AStr text = LoadText(first);
    text += LoadText(all);
    std::wstring filter = WideText(text.c_str());
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    return filter + L'\0';
}
