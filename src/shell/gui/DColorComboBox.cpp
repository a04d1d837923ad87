#include "shell/gui/DColorComboBox.h"

#include <utility>

#include "shell/gui/DText.h"

void DColorComboBox::Attach(HWND combo, std::vector<Entry> entries) {
    combo_ = combo;
    entries_ = std::move(entries);
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    for (const Entry& e : entries_)
        SendMessageW(combo_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WideText(e.name.c_str()).c_str()));
}

void DColorComboBox::Select(int index) const {
    SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int DColorComboBox::Selected() const {
    LRESULT index = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
    return index == CB_ERR || index >= static_cast<LRESULT>(entries_.size())
               ? -1
               : static_cast<int>(index);
}

bool DColorComboBox::Draw(const DRAWITEMSTRUCT& item) const {
    if (item.hwndItem != combo_ || !combo_) return false;
    HDC dc = item.hDC;
    RECT box = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &box, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID < entries_.size()) {
        const Entry& e = entries_[item.itemID];
        // The swatch: a square as high as the entry, framed in the text colour.
        RECT swatch = {box.left + 2, box.top + 2, box.left + 2 + (box.bottom - box.top - 4) * 2,
                       box.bottom - 2};
        HBRUSH fill = CreateSolidBrush(e.color);
        FillRect(dc, &swatch, fill);
        DeleteObject(fill);
        FrameRect(dc, &swatch, GetSysColorBrush(COLOR_WINDOWTEXT));
        RECT text = box;
        text.left = swatch.right + 4;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        std::wstring name = WideText(e.name.c_str());
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &box);
    return true;
}
