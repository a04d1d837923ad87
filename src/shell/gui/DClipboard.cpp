#include "shell/gui/DClipboard.h"

#include <algorithm>

namespace {

constexpr DWORD kDefaultLocale = 1024;  // LOCALE_USER_DEFAULT

// The block's bytes, at most `limit`.
bool BlockBytes(HGLOBAL block, size_t limit, std::string* bytes) {
    if (!block) return false;
    const void* data = GlobalLock(block);
    if (!data) return false;
    size_t size = std::min(static_cast<size_t>(GlobalSize(block)), limit);
    bytes->assign(static_cast<const char*>(data), size);
    GlobalUnlock(block);
    return true;
}

}  // namespace

CLIPFORMAT RegisteredFormat(const wchar_t* name) {
    return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name));
}

bool PutClipboard(HWND owner, const std::vector<DClipEntry>& entries,
                  const std::vector<CLIPFORMAT>& textFormats) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    bool text = false;
    for (const DClipEntry& e : entries) {
        HGLOBAL block = GlobalBlockOf(e.bytes);
        if (block && !SetClipboardData(e.format, block)) GlobalFree(block);
        text = text || e.format == CF_TEXT ||
               std::find(textFormats.begin(), textFormats.end(), e.format) != textFormats.end();
    }
    if (text) {
        std::string locale(reinterpret_cast<const char*>(&kDefaultLocale), sizeof kDefaultLocale);
        HGLOBAL block = GlobalBlockOf(locale);
        if (block && !SetClipboardData(CF_LOCALE, block)) GlobalFree(block);
    }
    CloseClipboard();
    return true;
}

bool ClipboardOffers(CLIPFORMAT format) {
    return IsClipboardFormatAvailable(format) != FALSE;
}

bool ReadClipboard(HWND owner, CLIPFORMAT format, std::string* bytes, size_t limit) {
    if (!IsClipboardFormatAvailable(format) || !OpenClipboard(owner)) return false;
    bool ok = BlockBytes(GetClipboardData(format), limit, bytes);
    CloseClipboard();
    return ok;
}

bool DataOffers(IDataObject* object, CLIPFORMAT format) {
    FORMATETC fe{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return object && object->QueryGetData(&fe) == S_OK;
}

bool ReadDataBytes(IDataObject* object, CLIPFORMAT format, std::string* bytes, size_t limit) {
    FORMATETC fe{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!object || object->GetData(&fe, &medium) != S_OK) return false;
    bool ok = medium.tymed == TYMED_HGLOBAL && BlockBytes(medium.hGlobal, limit, bytes);
    ReleaseStgMedium(&medium);
    return ok;
}
