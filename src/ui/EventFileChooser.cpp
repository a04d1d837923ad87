// The file-open dialog behind the browse button of an object's event.
#include <windows.h>
// after windows.h
#include <commdlg.h>

#include <string>

#include "lang/PropertyIds.h"
#include "platform/Lang.h"
#include "shell/gui/DText.h"
#include "ui/FileFilter.h"
#include "ui/ItemPropSheet.h"
#include "watchlist/HeldEvents.h"

bool ChooseObjectEventFile(HWND owner, uint8_t kind, AStr& path) {
    const bool program = kind == kEventRunProgram;
    std::wstring filter = FileDialogFilter(
        program ? TEXT_EVENT_CHOOSER_PROGRAMS : TEXT_EVENT_CHOOSER_SOUNDS, TEXT_EVENT_CHOOSER_ALL);
    std::wstring title = WideText(LoadText(TEXT_EVENT_CHOOSER_TITLE).c_str());
    wchar_t file[MAX_PATH] = {};
    std::wstring initial = program ? L"*.exe" : L"*.wav";
    initial.copy(file, MAX_PATH - 1);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = program ? L"exe" : L"wav";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&ofn)) return false;
    AStr chosen = NarrowText(file);
    if (program && std::wstring(file).find(L' ') != std::wstring::npos) {
        path = "\"";
        path += chosen;
        path += "\"";
    } else {
        path = chosen;
    }
    return true;
}
