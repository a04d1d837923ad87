#pragma once
// Dialog templates built in memory, for tests of the dialog framework that
// need no resource file: a caption and a list of controls in dialog units.
#include <windows.h>

#include <string>
#include <vector>

class DialogTemplate {
  public:
    enum Kind : WORD { kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082 };

    DialogTemplate(const wchar_t* caption, short cx, short cy, DWORD style) {
        Align(4);
        DLGTEMPLATE head = {};
        head.style = style | DS_SETFONT;
        head.cx = cx;
        head.cy = cy;
        countAt_ = bytes_.size() + offsetof(DLGTEMPLATE, cdit);
        Raw(&head, sizeof head);
        Word(0);  // no menu
        Word(0);  // the system's class
        Text(caption);
        Word(8);
        Text(L"MS Shell Dlg");
    }
    DialogTemplate& Add(Kind kind, WORD id, const wchar_t* text, short x, short y, short cx,
                        short cy, DWORD style = 0) {
        Align(4);
        DLGITEMTEMPLATE item = {};
        item.style = style | WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Raw(&item, sizeof item);
        Word(0xFFFF);
        Word(kind);
        Text(text);
        Word(0);  // no creation data
        WORD count;
        std::memcpy(&count, &bytes_[countAt_], sizeof count);
        ++count;
        std::memcpy(&bytes_[countAt_], &count, sizeof count);
        return *this;
    }
    const DLGTEMPLATE* Get() {
        data_.assign((bytes_.size() + 3) / 4, 0);
        std::memcpy(data_.data(), bytes_.data(), bytes_.size());
        return reinterpret_cast<const DLGTEMPLATE*>(data_.data());
    }

  private:
    void Raw(const void* p, size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        bytes_.insert(bytes_.end(), b, b + n);
    }
    void Word(WORD w) { Raw(&w, sizeof w); }
    void Text(const wchar_t* s) { Raw(s, (wcslen(s) + 1) * sizeof(wchar_t)); }
    void Align(size_t to) {
        while (bytes_.size() % to) bytes_.push_back(0);
    }
    std::vector<unsigned char> bytes_;
    std::vector<DWORD> data_;  // DWORD-aligned copy handed to the system
    size_t countAt_ = 0;
};
