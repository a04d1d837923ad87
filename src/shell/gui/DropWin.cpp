#include "shell/gui/DropWin.h"

DropWin::DropWin(Owner& owner, std::vector<CLIPFORMAT> formats)
    : owner_(owner), formats_(std::move(formats)) {}

DropWin::~DropWin() {
    Revoke();
    Forget();
}

bool DropWin::Register(HWND window) {
    Revoke();
    if (FAILED(RegisterDragDrop(window, this))) return false;
    window_ = window;
    return true;
}

void DropWin::Revoke() {
    if (window_) RevokeDragDrop(window_);
    window_ = nullptr;
}

CLIPFORMAT DropWin::OfferedFormat(IDataObject* object) const {
    if (!object) return 0;
    for (CLIPFORMAT f : formats_) {
        FORMATETC fe{f, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        if (object->QueryGetData(&fe) == S_OK) return f;
    }
    return 0;
}

bool DropWin::ReadText(IDataObject* object, CLIPFORMAT format, size_t limit, AStr* text) {
    FORMATETC fe{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!object || object->GetData(&fe, &medium) != S_OK) return false;
    bool ok = false;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        if (const void* data = GlobalLock(medium.hGlobal)) {
            *text = TextOfBlock(data, GlobalSize(medium.hGlobal), limit);
            GlobalUnlock(medium.hGlobal);
            ok = true;
        }
    }
    ReleaseStgMedium(&medium);
    return ok;
}

HRESULT DropWin::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
        *out = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG DropWin::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}
// The owner holds the object for its whole life; COM only borrows it.
ULONG DropWin::Release() {
    return static_cast<ULONG>(InterlockedDecrement(&references_));
}

DWORD DropWin::Owner::OnDragOver(DropWin& target, IDataObject* object, DWORD, POINTL,
                                 DWORD allowed) {
    return target.OfferedFormat(object) && (allowed & DROPEFFECT_LINK) ? DROPEFFECT_LINK
                                                                       : DROPEFFECT_NONE;
}

DWORD DropWin::Owner::OnDrop(DropWin& target, IDataObject* object, DWORD, POINTL, DWORD) {
    CLIPFORMAT format = target.OfferedFormat(object);
    AStr text;
    if (!format || !ReadText(object, format, 4096, &text)) return DROPEFFECT_NONE;
    OnDropText(text);
    return DROPEFFECT_COPY;
}

void DropWin::Forget() {
    if (object_) object_->Release();
    object_ = nullptr;
}

HRESULT DropWin::DragEnter(IDataObject* object, DWORD keys, POINTL point, DWORD* effect) {
    Forget();
    object_ = object;
    if (object_) object_->AddRef();
    return DragOver(keys, point, effect);
}

HRESULT DropWin::DragOver(DWORD keys, POINTL point, DWORD* effect) {
    DWORD answer = owner_.OnDragOver(*this, object_, keys, point, effect ? *effect : 0);
    if (effect) *effect = answer;
    return S_OK;
}

HRESULT DropWin::DragLeave() {
    Forget();
    owner_.OnDragLeave(*this);
    return S_OK;
}

HRESULT DropWin::Drop(IDataObject* object, DWORD keys, POINTL point, DWORD* effect) {
    DWORD answer = owner_.OnDrop(*this, object, keys, point, effect ? *effect : 0);
    Forget();
    owner_.OnDragLeave(*this);
    if (effect) *effect = answer;
    return S_OK;
}
