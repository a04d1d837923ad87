// URLs that reach the main window from other programs: a DDE conversation
// with "OVISTO"/"system" and a drop of a link; both end in the new-web-page
// request with the URL.
#include <dde.h>

#include "MainWindowFixture.h"

namespace {

// A DDE client window that records the acknowledgements it receives.
struct DdeClient {
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_DDE_ACK) {
            DdeClient* self = reinterpret_cast<DdeClient*>(GetWindowLongPtrW(w, GWLP_USERDATA));
            self->acks.push_back({reinterpret_cast<HWND>(wp), lp});
            return 0;
        }
        if (m == WM_DDE_TERMINATE) {
            reinterpret_cast<DdeClient*>(GetWindowLongPtrW(w, GWLP_USERDATA))->terminated = true;
            return 0;
        }
        return DefWindowProcW(w, m, wp, lp);
    }
    DdeClient() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OvistoTestDdeClient";
        RegisterClassW(&wc);
        window = CreateWindowW(L"OvistoTestDdeClient", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~DdeClient() { DestroyWindow(window); }
    // Initiate to one window with the two names (null: atom 0).
    void Initiate(HWND server, const wchar_t* app, const wchar_t* topic) {
        ATOM a = app ? GlobalAddAtomW(app) : 0, t = topic ? GlobalAddAtomW(topic) : 0;
        SendMessageW(server, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window), MAKELPARAM(a, t));
        if (a) GlobalDeleteAtom(a);
        if (t) GlobalDeleteAtom(t);
    }
    void Execute(HWND server, const std::wstring& command) {
        size_t bytes = (command.size() + 1) * sizeof(wchar_t);
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
        memcpy(GlobalLock(h), command.c_str(), bytes);
        GlobalUnlock(h);
        PostMessageW(server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(window),
                     PackDDElParam(WM_DDE_EXECUTE, 0, reinterpret_cast<UINT_PTR>(h)));
    }
    struct Ack {
        HWND from;
        LPARAM param;
    };
    HWND window = nullptr;
    std::vector<Ack> acks;
    bool terminated = false;
};

TEST_F(MainWindowTest, DdeInitiateIsAnsweredOnlyForItsOwnNames) {
    ASSERT_TRUE(Open());
    DdeClient client;
    client.Initiate(Main(), L"OVISTO", nullptr);
    client.Initiate(Main(), nullptr, L"system");
    client.Initiate(Main(), L"OTHER", L"system");
    client.Initiate(Main(), L"OVISTO", L"other");
    EXPECT_TRUE(client.acks.empty()) << "an empty or foreign name is not answered";
    client.Initiate(Main(), L"ovisto", L"SYSTEM");
    ASSERT_EQ(1u, client.acks.size()) << "atoms do not tell case apart";
    EXPECT_EQ(Main(), client.acks[0].from);
    wchar_t name[32] = {};
    GlobalGetAtomNameW(LOWORD(client.acks[0].param), name, 32);
    EXPECT_STREQ(L"OVISTO", name);
    GlobalDeleteAtom(LOWORD(client.acks[0].param));
    GlobalDeleteAtom(HIWORD(client.acks[0].param));
}

TEST_F(MainWindowTest, DdeExecuteIsAcknowledgedAndOpensTheNewPageFlow) {
    WriteWatchList();  // no first-start request in the way
    ASSERT_TRUE(Open());
    Pump();
    DdeClient client;
    client.Execute(Main(), L"http://127.0.0.1/dde");
    ASSERT_TRUE(PumpUntil([&] { return !client.acks.empty(); }, 5000));
    UINT_PTR status = 0, handle = 0;
    UnpackDDElParam(WM_DDE_ACK, client.acks[0].param, &status, &handle);
    EXPECT_EQ(0x8000u, status & 0xFFFF) << "a positive acknowledgement";
    EXPECT_NE(0u, handle) << "the command handle goes back";
    FreeDDElParam(WM_DDE_ACK, client.acks[0].param);
    GlobalFree(reinterpret_cast<HGLOBAL>(handle));
    EXPECT_EQ((std::vector<std::string>{"http://127.0.0.1/dde"}), NewPages());
    EXPECT_TRUE(IsWindowVisible(Main())) << "the window shows itself";

    // While a modal dialog keeps the window disabled: acknowledged, ignored.
    EnableWindow(Main(), FALSE);
    client.Execute(Main(), L"http://127.0.0.1/later");
    ASSERT_TRUE(PumpUntil([&] { return client.acks.size() == 2; }, 5000));
    EXPECT_EQ(1u, NewPages().size());
    EnableWindow(Main(), TRUE);

    // An overlong command is cut, never read past its block.
    client.Execute(Main(), std::wstring(2000, L'a'));
    ASSERT_TRUE(PumpUntil([&] { return client.acks.size() == 3; }, 5000));
    ASSERT_EQ(2u, NewPages().size());
    EXPECT_EQ(kMaxDdeCommand, NewPages()[1].size());

    PostMessageW(Main(), WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(client.window), 0);
    ASSERT_TRUE(PumpUntil([&] { return client.terminated; }, 5000)) << "terminate is answered";
}

// A data object offering texts in global memory.
class TextObject : public IDataObject {
  public:
    void Offer(CLIPFORMAT format, const std::string& bytes) { offers_.push_back({format, bytes}); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* fe, STGMEDIUM* medium) override {
        for (const auto& o : offers_)
            if (o.first == fe->cfFormat && (fe->tymed & TYMED_HGLOBAL)) {
                HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, o.second.size());
                memcpy(GlobalLock(h), o.second.data(), o.second.size());
                GlobalUnlock(h);
                medium->tymed = TYMED_HGLOBAL;
                medium->hGlobal = h;
                medium->pUnkForRelease = nullptr;
                return S_OK;
            }
        return DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* fe) override {
        for (const auto& o : offers_)
            if (o.first == fe->cfFormat) return S_OK;
        return DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

  private:
    std::vector<std::pair<CLIPFORMAT, std::string>> offers_;
};

TEST_F(MainWindowTest, DroppedLinkOpensTheNewPageFlowAndOtherObjectsAreRefused) {
    WriteWatchList();
    ASSERT_TRUE(Open());
    Pump();
    IDropTarget& target = frame->DropTarget();
    CLIPFORMAT url = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocator"));
    POINTL at{10, 10};

    TextObject nothing;
    nothing.Offer(CF_BITMAP, "x");
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target.DragEnter(&nothing, 0, at, &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
    target.DragLeave();

    TextObject link;
    link.Offer(CF_TEXT, std::string("http://127.0.0.1/text\0", 22));
    link.Offer(url, std::string("http://127.0.0.1/link\0junk", 26));
    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target.DragEnter(&link, 0, at, &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_LINK), effect);
    effect = DROPEFFECT_COPY;
    target.DragOver(0, at, &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect) << "only a source that allows a link";
    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target.Drop(&link, 0, at, &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);

    TextObject text;
    text.Offer(CF_TEXT, "http://127.0.0.1/unterminated");
    effect = DROPEFFECT_LINK;
    target.Drop(&text, 0, at, &effect);
    Pump();  // the dialogs open once the drops have returned
    EXPECT_EQ((std::vector<std::string>{"http://127.0.0.1/link", "http://127.0.0.1/unterminated"}),
              NewPages())
        << "the link format first; a text read only within its block";
}

}  // namespace
