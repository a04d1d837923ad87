#pragma once
// The clipboard and dropped data objects as blocks of bytes per format.
// Every text put on the clipboard goes with CF_LOCALE 1024 (the user's
// default locale), so that programs reading it as Unicode convert it by the
// code page it was written in.
#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "shell/gui/DragWin.h"

// The number of a registered format by its name.
CLIPFORMAT RegisteredFormat(const wchar_t* name);

// Opens the clipboard for `owner`, empties it and puts the entries (and
// CF_LOCALE when a text is among them); false when it could not be opened.
// `textFormats` names the registered formats that hold text too.
bool PutClipboard(HWND owner, const std::vector<DClipEntry>& entries,
                  const std::vector<CLIPFORMAT>& textFormats = {});
// Whether the clipboard offers the format.
bool ClipboardOffers(CLIPFORMAT format);
// The bytes of a format on the clipboard (the whole block, at most `limit`
// bytes); false when it is not there or cannot be opened.
bool ReadClipboard(HWND owner, CLIPFORMAT format, std::string* bytes, size_t limit);

// Whether a data object offers the format in global memory, content aspect.
bool DataOffers(IDataObject* object, CLIPFORMAT format);
// The bytes of a format of a data object, at most `limit`; false when it
// cannot be read.
bool ReadDataBytes(IDataObject* object, CLIPFORMAT format, std::string* bytes, size_t limit);
