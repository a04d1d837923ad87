#pragma once
// The system's file-open and save-file dialogs, asked with a filter and a
// title of the language module.
#include <windows.h>

#include <string>

#include "framework/AStr.h"

struct DFileDialogArgs {
    HWND owner = nullptr;
    // A save-file dialog asks before it overwrites; an open dialog wants a
    // file that exists.
    bool save = false;
    AStr filter;  // "name|pattern|name|pattern|", as the language module writes it
    AStr title;
    const wchar_t* extension = nullptr;  // added to a typed name without one; no dot
};

// Shows the dialog with `path` as the first name (empty: "*.<extension>");
// true with `path` set to the chosen file.
bool DAskFileName(const DFileDialogArgs& args, std::wstring& path);

// A filter text as the file dialog reads it: each "|" becomes a NUL, and the
// list ends with two NULs.
std::wstring FileDialogFilter(const AStr& text);
