#include "shell/gui/DragWin.h"

#include <shlobj.h>

#include <cstring>

namespace {

// Escape cancels, letting go of the left button drops.
class DropSource : public IDropSource {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
            *out = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the stack of the drag loop, which outlasts every use.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

HGLOBAL GlobalBlockOf(const std::string& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, bytes.empty() ? 1 : bytes.size());
    if (!block) return nullptr;
    void* data = GlobalLock(block);
    if (!data) {
        GlobalFree(block);
        return nullptr;
    }
    if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

DDataObject::DDataObject(std::vector<DClipEntry> entries) : entries_(std::move(entries)) {}

HRESULT DDataObject::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
        *out = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG DDataObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG DDataObject::Release() {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

const DClipEntry* DDataObject::Find(const FORMATETC* format) const {
    if (!format || format->dwAspect != DVASPECT_CONTENT || !(format->tymed & TYMED_HGLOBAL))
        return nullptr;
    for (const DClipEntry& e : entries_)
        if (e.format == format->cfFormat) return &e;
    return nullptr;
}

HRESULT DDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!medium) return E_POINTER;
    const DClipEntry* entry = Find(format);
    if (!entry) return DV_E_FORMATETC;
    HGLOBAL block = GlobalBlockOf(entry->bytes);
    if (!block) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT DDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) {
    return E_NOTIMPL;
}

HRESULT DDataObject::QueryGetData(FORMATETC* format) {
    return Find(format) ? S_OK : DV_E_FORMATETC;
}

HRESULT DDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT DDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
    return E_NOTIMPL;
}

HRESULT DDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const DClipEntry& e : entries_)
        formats.push_back({e.format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    return SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), out);
}

HRESULT DDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT DDataObject::DUnadvise(DWORD) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT DDataObject::EnumDAdvise(IEnumSTATDATA** out) {
    if (out) *out = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

DWORD DragWin::DoDrag(IDataObject* data, DWORD allowed) {
    if (!data || dragging_) return DROPEFFECT_NONE;
    dragging_ = true;
    DWORD effect = DROPEFFECT_NONE;
    if (loop_) {
        effect = loop_(data, allowed);
    } else {
        DropSource source;
        if (DoDragDrop(data, &source, allowed, &effect) != DRAGDROP_S_DROP)
            effect = DROPEFFECT_NONE;
    }
    dragging_ = false;
    return effect & allowed;
}
