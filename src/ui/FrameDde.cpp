// The main window's DDE server, service "OVISTO", topic "system": a
// conversation is accepted only for exactly those names, and an Execute
// string is taken as the address of a new web page.
#include <dde.h>

#include <vector>

#include "framework/BlockText.h"
#include "shell/gui/DText.h"
#include "ui/FrameWindow.h"

namespace {

const wchar_t kService[] = L"OVISTO";
const wchar_t kTopic[] = L"system";

// The command string of an Execute, read within its block: UTF-16 when
// both windows are Unicode windows, else 8-bit.
AStr CommandText(HGLOBAL block, bool wide) {
    AStr text;
    const void* data = block ? GlobalLock(block) : nullptr;
    if (!data) return text;
    size_t size = GlobalSize(block);
    if (wide) {
        std::vector<wchar_t> chars(kMaxDdeCommand + 1, L'\0');
        size_t n = std::min(size / sizeof(wchar_t), kMaxDdeCommand);
        const wchar_t* w = static_cast<const wchar_t*>(data);
        for (size_t i = 0; i < n && w[i]; ++i) chars[i] = w[i];
        text = NarrowText(chars.data());
    } else {
        text = TextOfBlock(data, size, kMaxDdeCommand);
    }
    GlobalUnlock(block);
    return text;
}

}  // namespace

void FrameWindow::RegisterDde() {
    serviceAtom_ = GlobalAddAtomW(kService);
    topicAtom_ = GlobalAddAtomW(kTopic);
}

void FrameWindow::UnregisterDde() {
    if (serviceAtom_) GlobalDeleteAtom(serviceAtom_);
    if (topicAtom_) GlobalDeleteAtom(topicAtom_);
    serviceAtom_ = topicAtom_ = 0;
}

LRESULT FrameWindow::OnDdeInitiate(HWND client, LPARAM atoms) {
    ATOM application = LOWORD(atoms), topic = HIWORD(atoms);
    if (!application || application != serviceAtom_ || !topic || topic != topicAtom_) return 0;
    // The acknowledgement carries atoms of its own, which the client deletes.
    ATOM service = GlobalAddAtomW(kService), ownTopic = GlobalAddAtomW(kTopic);
    SendMessageW(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(Handle()),
                 MAKELPARAM(service, ownTopic));
    return 0;
}

void FrameWindow::OnDdeExecute(HWND client, LPARAM lParam) {
    UINT_PTR low = 0, high = 0;
    UnpackDDElParam(WM_DDE_EXECUTE, lParam, &low, &high);
    HGLOBAL commands = reinterpret_cast<HGLOBAL>(high);
    AStr url = CommandText(commands, IsWindowUnicode(client) && IsWindowUnicode(Handle()));
    LPARAM ack = ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, 0x8000,
                                reinterpret_cast<UINT_PTR>(commands));
    if (!PostMessageW(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(Handle()), ack))
        FreeDDElParam(WM_DDE_ACK, ack);
    // A modal dialog is open: acknowledged, otherwise ignored.
    if (!IsWindowEnabled(Handle())) return;
    ShowWindow(Handle(), SW_SHOWNORMAL);
    NewWebPage(url);
}

void FrameWindow::OnDdeTerminate(HWND client) {
    PostMessageW(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(Handle()), 0);
}
