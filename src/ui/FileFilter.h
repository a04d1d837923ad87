#pragma once
// The filter of a file dialog from texts of the language module.
#include <string>

// Two texts of the language module joined, with every "|" made a NUL and
// the closing NUL added.
std::wstring FileDialogFilter(unsigned first, unsigned all);
