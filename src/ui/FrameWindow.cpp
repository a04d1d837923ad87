#include "ui/FrameWindow.h"

#include <commctrl.h>
#include <dde.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "lang/CommandIds.h"
#include "platform/Lang.h"
#include "platform/WindowReportTarget.h"
#include "shell/gui/DHelp.h"
#include "shell/gui/DText.h"
#include "panes/PaneCommands.h"
#include "ui/FrameLayout.h"

const wchar_t kMainWindowClass[] = L"OrvexWindowClass";

namespace {

FrameWindow* g_mainWindow = nullptr;

// The toolbar's buttons: image index and command, 0 a separator.
const DToolButton kToolButtons[] = {
    {0, CMD_NEW_WEB_PAGE},
    {7, CMD_PROPERTIES},
    {14, CMD_CHECK_NOW},
    {0, 0},
    {1, CMD_IMPORT},
    {2, CMD_EXPORT},
    {0, 0},
    {12, CMD_OPEN_PAGE},
    {3, CMD_MARK_SEEN},
};

// The text after the first line feed, or the whole text.
AStr ToolTipOf(const AStr& text) {
    const char* s = text.c_str();
    const char* lf = s ? std::strchr(s, '\n') : nullptr;
    return lf ? AStr(lf + 1) : text;
}

}  // namespace

FrameWindow* TheMainWindow() {
    return g_mainWindow;
}
void SetTheMainWindow(FrameWindow* window) {
    g_mainWindow = window;
}

FrameWindow::FrameWindow()
    : dropTarget_(*this,
                  {static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocator")),
                   static_cast<CLIPFORMAT>(CF_TEXT)}) {}

FrameWindow::~FrameWindow() {
    Destroy();
    if (g_mainWindow == this) g_mainWindow = nullptr;
}

bool FrameWindow::Create(const FrameArgs& args) {
    args_ = args;
    if (args.editNewObject) newObjectEditor_ = args.editNewObject;
    if (args.options) options_ = args.options;
    paths_ = WatchListPaths(args.programDir.empty() ? std::string(".") : args.programDir);
    if (!RegisterWindowClass(args.instance, kMainWindowClass, CS_DBLCLKS, nullptr, nullptr)) {
        if (args.menu) DestroyMenu(args.menu);
        return false;
    }
    DCreateArgs create;
    create.exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    create.className = kMainWindowClass;
    create.title = args.caption;
    create.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    create.menu = args.menu;
    create.instance = args.instance;
    if (!DWindow::Create(create)) {
        if (args.menu && !IsMenu(args.menu)) return false;
        if (args.menu) DestroyMenu(args.menu);
        return false;
    }
    return true;
}

// The creation steps, in their order.
bool FrameWindow::OnCreate(const CREATESTRUCTW&) {
    windowTitle_ = LoadText(TEXT_WINDOW_TITLE);
    SetWindowIcons();
    AddTrayIcon();
    if (!CreatePanes() || !CreateToolbar() ||
        !statusBar_.Create(Handle(), kStatusBarId, args_.instance))
        return false;
    LoadWatchList();
    itemPane_.Build();
    SetTimer(Handle(), kHeartbeatTimer, kHeartbeatMs, nullptr);
    engine_->SetNewChanges(list_.CountNewChanges());
    dropRegistered_ = dropTarget_.Register(Handle());
    if (!separator_.Create(Handle(), kSeparatorId, args_.instance)) return false;
    RegisterDde();
    return true;
}

void FrameWindow::SetWindowIcons() {
    HICON large = static_cast<HICON>(LoadImageW(args_.instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXICON),
                                                GetSystemMetrics(SM_CYICON), LR_SHARED));
    HICON small = static_cast<HICON>(LoadImageW(args_.instance, MAKEINTRESOURCEW(2), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

// The one place the panes are made: the item pane 101, then the result
// pane 102.
bool FrameWindow::CreatePanes() {
    if (!itemPane_.Create(Handle(), kItemPaneId, args_.instance) ||
        !resultPane_.Create(Handle(), kResultPaneId, args_.instance))
        return false;
    ConnectItemPane();
    resultPane_.SetLimit(static_cast<size_t>(std::max(0, options_->outputLimit)));
    return true;
}

bool FrameWindow::CreateToolbar() {
    DToolbarArgs t;
    t.parent = Handle();
    t.id = kToolbarId;
    t.instance = args_.instance;
    t.bitmapId = 100;
    t.cellWidth = t.cellHeight = 20;
    t.buttons.assign(std::begin(kToolButtons), std::end(kToolButtons));
    if (!toolbar_.Create(t)) return false;
    banner_.Load(static_cast<HMODULE>(TheLanguage().Module()), 5, L"GIF");
    return true;
}

void FrameWindow::OnDestroy() {
    if (engine_) engine_->Shutdown();
    dropTarget_.Revoke();
    KillTimer(Handle(), kHeartbeatTimer);
    if (selectionTimer_) KillTimer(Handle(), kSelectionTimer);
    selectionTimer_ = 0;
    resultPane_.Clear();
    current_ = nullptr;
    StopBlink();
    tray_.Delete();
    ReleaseClosedMessageWindows();
    UnregisterDde();
    lock_.Release();
    if (g_mainWindow == this) g_mainWindow = nullptr;
    PostQuitMessage(0);
}

void FrameWindow::NewWebPage(const AStr& address) {
    NewWebPage(address, InsertPosition{&list_, nullptr, false});
}

void FrameWindow::Restore() {
    ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(Handle());
}

void FrameWindow::ShowMessage(const AStr& text, UINT icon, unsigned titleId) {
    if (args_.showMessage) {
        args_.showMessage(text);
        return;
    }
    MessageBoxW(Handle(), WideText(text.c_str()).c_str(),
                WideText(LoadText(titleId).c_str()).c_str(), icon | MB_OK | MB_TASKMODAL);
}

// --- layout ---------------------------------------------------------------

void FrameWindow::OnSize(UINT type, int, int) {
    if (type == SIZE_MINIMIZED) {
        ShowWindow(Handle(), SW_HIDE);
        hiddenToTray_ = true;
        return;
    }
    LayOut();
    if (hiddenToTray_) {
        hiddenToTray_ = false;
        std::vector<ItemNode*> selected = itemPane_.Selected();
        if (selected.size() == 1) ShowObjectResults(selected[0]);
    }
}

void FrameWindow::LayOut() {
    if (!itemPane_.Handle()) return;
    RECT client;
    GetClientRect(Handle(), &client);
    toolbar_.Fit();
    statusBar_.Fit();
    FrameLayout l = LayOutFrame(client.right, client.bottom, toolbar_.Height(), statusBar_.Height(),
                                options_->split);
    auto place = [](HWND w, const LayoutBox& r, HWND after, UINT flags) {
        if (w) SetWindowPos(w, after, r.x, r.y, r.width, r.height, flags | SWP_NOACTIVATE);
    };
    place(toolbar_.Handle(), l.toolbar, nullptr, SWP_NOZORDER);
    place(statusBar_.Handle(), l.status, nullptr, SWP_NOZORDER);
    place(itemPane_.Handle(), l.itemPane, nullptr, SWP_NOZORDER);
    place(resultPane_.Handle(), l.resultPane, nullptr, SWP_NOZORDER);
    place(separator_.Handle(), l.separator, HWND_TOP, 0);
}

void FrameWindow::SeparatorMoved() {
    RECT client;
    GetClientRect(Handle(), &client);
    options_->split = SplitFromSeparator(separator_.Position(), client.right);
    LayOut();
    SaveOptions();
}

// --- messages -------------------------------------------------------------

LRESULT FrameWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case kTrayMessage:
            OnTrayMessage(lParam);
            return 0;
        case kDroppedPagesMessage:
            OpenDroppedPages();
            return 0;
        case WM_DDE_INITIATE:
            return OnDdeInitiate(reinterpret_cast<HWND>(wParam), lParam);
        case WM_DDE_EXECUTE:
            OnDdeExecute(reinterpret_cast<HWND>(wParam), lParam);
            return 0;
        case WM_DDE_TERMINATE:
            OnDdeTerminate(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_INITMENUPOPUP:
            if (!HIWORD(lParam)) EnableMenuItems(reinterpret_cast<HMENU>(wParam), *this);
            return 0;
        case WM_HELP:
            ShowHelpFor(Handle(), reinterpret_cast<const HELPINFO*>(lParam));
            return TRUE;
        case WM_MENUSELECT:
            OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return 0;
        case WM_CONTEXTMENU: {
            HWND pane = reinterpret_cast<HWND>(wParam);
            if (pane != itemPane_.Handle() && pane != resultPane_.Handle()) break;
            ShowPopupMenu(pane, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        default:
            break;
    }
    return DFrameWindow::WindowProc(message, wParam, lParam);
}

LRESULT FrameWindow::OnNotify(const NMHDR& header) {
    int id = static_cast<int>(header.idFrom);
    if (header.code == TTN_GETDISPINFOW) {
        // The toolbar's tips: the command's text after its first line feed.
        static std::wstring tip;
        auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        tip = WideText(ToolTipOf(LoadText(static_cast<unsigned>(header.idFrom))).c_str());
        info.lpszText = const_cast<wchar_t*>(tip.c_str());
        info.hinst = nullptr;
        return 0;
    }
    if (id == kToolbarId && header.code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        auto& draw = reinterpret_cast<const NMTBCUSTOMDRAW&>(header);
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
        if (draw.nmcd.dwDrawStage == CDDS_POSTPAINT) {
            RECT area;
            GetClientRect(toolbar_.Handle(), &area);
            banner_.DrawRightAligned(draw.nmcd.hdc, area, 10);
        }
        return CDRF_DODEFAULT;
    }
    if (id == kItemPaneId || id == kResultPaneId) {
        OnPaneNotify(id, static_cast<int>(header.code),
                     reinterpret_cast<const TreeViewNotify&>(header).node);
        return 0;
    }
    return DefaultProc(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void FrameWindow::OnPaneNotify(int id, int code, TreeViewNode* node) {
    StopBlink();
    HWND pane = id == kItemPaneId ? itemPane_.Handle() : resultPane_.Handle();
    if (code == kTvnSetFocus ||
        (id == kResultPaneId && (code == kTvnClick || code == kTvnRightDoubleClick)))
        focusedPane_ = pane;
    if (id == kResultPaneId && code == kTvnScrolled) {
        // Reading on in the result pane: the one selected object is seen.
        std::vector<ItemNode*> selected = itemPane_.Selected();
        if (selected.size() == 1) MarkSeen(*selected[0]);
    }
    if (code == kTvnDoubleClick && node) {
        // Alt with a double click on an object asks for its properties.
        if (id == kItemPaneId && GetKeyState(VK_MENU) < 0)
            EditSelectedProperties();
        else
            EnterAction(id == kResultPaneId);
    }
    if (id == kItemPaneId && code == kTvnSelectionChanged) {
        ItemNode* object = TreeViewUrl::ObjectOf(node);
        if (object && object != current_) {
            selectionTimer_ = kSelectionTimer;
            SetTimer(Handle(), kSelectionTimer, kSelectionMs, nullptr);
        }
    }
}

void FrameWindow::OnSetFocus(HWND) {
    HWND pane = focusedPane_ ? focusedPane_ : itemPane_.Handle();
    if (pane) SetFocus(pane);
}

bool FrameWindow::OnCommand(int id, int code, HWND) {
    if (id == kSeparatorId && code == DWindowSeparator::kMovedCode) {
        SeparatorMoved();
        return true;
    }
    if (code != 0 && code != 1) return false;
    StopBlink();
    switch (id) {
        case CMD_RESTORE:
            Restore();
            return true;
        case CMD_NEW_WEB_PAGE:
        case CMD_FIRST_START_NEW_PAGE:
            NewWebPage(AStr(), NewObjectPosition(list_, itemPane_.Caret()));
            return true;
        case CMD_SHOW_RESULTS: {
            std::vector<ItemNode*> selected = itemPane_.Selected();
            ShowObjectResults(selected.size() == 1 ? selected[0] : nullptr);
            UpdateCaption();
            return true;
        }
        case CMD_SUSPEND_CHECKS:
            engine_->SetSuspended(!engine_->IsSuspended());
            return true;
        case CMD_CHECK_ALL:
            engine_->CheckAll();
            return true;
        case CMD_CHECK_NOW:
            for (ItemNode* node : itemPane_.Selected()) engine_->CheckSelected(*node);
            return true;
        case CMD_OPTIONS:
            EditProgramOptions();
            return true;
        case CMD_PROPERTIES:
            EditSelectedProperties();
            return true;
        case CMD_FIND:
            if (CanSearch()) Find();
            return true;
        case CMD_FIND_NEXT:
            if (CanSearch()) FindNext();
            return true;
        case CMD_EXPORT:
            ExportSelected();
            return true;
        case CMD_IMPORT:
            ImportObjects();
            return true;
        default:
            return RunCommand(id);  // the table of FrameCommands.cpp
    }
}

void FrameWindow::CommandEnable(DCommandEnabler& e) {
    size_t selected = itemPane_.Selected().size();
    switch (e.Id()) {
        case CMD_FIND:
            e.Enable(CanSearch());
            break;
        case CMD_FIND_NEXT:
            e.Enable(CanSearch() && options_->searchHistory.First() != nullptr);
            break;
        case CMD_IMPORT:
            e.Enable(true);
            break;
        case CMD_SUSPEND_CHECKS:
            e.Enable(true);
            e.SetCheck(engine_ && engine_->IsSuspended());
            break;
        case CMD_CHECK_ALL:
            e.Enable(list_.FirstItem() != nullptr);
            break;
        case CMD_PROPERTIES:
            e.Enable(selected == 1);
            break;
        case CMD_EXPORT:
        case CMD_MARK_SEEN:
        case CMD_CHECK_NOW:
        case CMD_CLEAR_HISTORY:
        case CMD_SWITCH_OFF:
        case CMD_SWITCH_ON:
            e.Enable(selected > 0);
            break;
        default:
            EnableCommand(e);  // the rules of FrameCommands.cpp
            break;
    }
}

void FrameWindow::OnTimer(UINT_PTR id) {
    switch (id) {
        case kBlinkTimer:
            blinkPhase_ = blinkPhase_ == 1 ? 2 : 1;
            SetTrayIcon(3 + blinkPhase_ - 1);
            break;
        case kSelectionTimer: {
            KillTimer(Handle(), kSelectionTimer);
            selectionTimer_ = 0;
            if (ItemNode* caret = itemPane_.Caret()) {
                ShowObjectResults(caret);
                UpdateCaption();
            }
            break;
        }
        default:
            break;  // the heartbeat only ends the idle phase
    }
}

bool FrameWindow::OnRegisteredMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (probe_ != 0 && message == probe_) {
        *result = static_cast<LRESULT>(probe_);
        return true;
    }
    if (message == platform::RegisteredMessage(platform::Report::kThreadEnd)) {
        if (engine_) engine_->OnThreadEnd(wParam, reinterpret_cast<const void*>(lParam));
        *result = 0;
        return true;
    }
    if (message == platform::RegisteredMessage(platform::Report::kBytesRead)) {
        *result = 0;  // only ends the idle phase
        return true;
    }
    return false;
}

bool FrameWindow::OnIdle(long count) {
    ReleaseClosedMessageWindows();
    if (count == 0) {
        UpdateStatusBar();
        if (GetFocus() == itemPane_.Handle() && itemPane_.Handle()) StopBlink();
        EnableToolbarButtons(toolbar_, *this);
    }
    if (engine_) engine_->SchedulingPass(static_cast<int>(count));
    return DFrameWindow::OnIdle(count);
}

void FrameWindow::OnDropText(const AStr& text) {
    NewWebPageAfterDrop(text, InsertPosition{&list_, nullptr, false});
}
