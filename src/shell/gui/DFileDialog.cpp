#include "shell/gui/DFileDialog.h"

#include <commdlg.h>

#include "shell/gui/DText.h"

std::wstring FileDialogFilter(const AStr& text) {
    std::wstring filter = WideText(text.c_str());
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    return filter;
}

bool DAskFileName(const DFileDialogArgs& args, std::wstring& path) {
    const std::wstring filter = FileDialogFilter(args.filter);
    const std::wstring title = WideText(args.title.c_str());
    std::wstring file(MAX_PATH, L'\0');
    std::wstring first =
        path.empty() ? std::wstring(L"*.") + (args.extension ? args.extension : L"*") : path;
    first.copy(&file[0], MAX_PATH - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = args.owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = &file[0];
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = args.extension;
    // The dialog would otherwise leave the process in the chosen folder.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                (args.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(args.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return false;
    path.assign(file.c_str());
    return true;
}
