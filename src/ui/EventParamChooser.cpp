#include "ui/EventParamChooser.h"

#include <commdlg.h>

#include <string>

#include "lang/CommandIds.h"
#include "platform/Lang.h"
#include "shell/gui/DText.h"
#include "watchlist/EventRules.h"

std::wstring FileDialogFilter(const AStr& text) {
    std::wstring filter = WideText(text.c_str());
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    return filter;
}

bool ChooseEventParameter(HWND owner, uint8_t kind, AStr* param) {
    if (kind != kEventSound && kind != kEventRunProgram) return false;
    bool sound = kind == kEventSound;
    AStr filterText = LoadText(sound ? TEXT_FILTER_SOUNDS : TEXT_FILTER_PROGRAMS);
    filterText += LoadText(TEXT_FILTER_ALL_FILES);
    std::wstring filter = FileDialogFilter(filterText);
    std::wstring title = WideText(LoadText(TEXT_CHOOSE_EVENT_FILE).c_str());
    std::wstring file(MAX_PATH, L'\0');
    file.replace(0, 5, sound ? L"*.wav" : L"*.exe");

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = &file[0];
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = sound ? L"wav" : L"exe";
    ofn.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return false;
    AStr chosen = RecordText(file.c_str());
    *param = sound ? chosen : ProgramParameter(chosen);
    return true;
}
