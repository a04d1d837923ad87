#include "ui/MessageBoxDialog.h"

#include <algorithm>
#include <string>

#include "shell/gui/DText.h"
#include "watchlist/ItemNode.h"

namespace {

// Room kept between the text and the edge of its control.
constexpr int kTextMargin = 10;
constexpr int kWindowIcon = 4;
// The system's icons IDI_HAND and IDI_INFORMATION, by number (the headers
// name them in the 8-bit form only).
const LPCWSTR kStopIcon = MAKEINTRESOURCEW(32513);
const LPCWSTR kInformationIcon = MAKEINTRESOURCEW(32516);

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

}  // namespace

MessageBoxDialog::MessageBoxDialog(HINSTANCE languageModule, const AStr& text, unsigned iconFlags)
    : DDialog([&] {
          DDialogArgs a;
          a.templateId = kTemplate;
          a.module = languageModule;
          return a;
      }()),
      text_(text),
      iconFlags_(iconFlags) {}

void MessageBoxDialog::OnInit() {
    HICON small = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kWindowIcon), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE,
                      GetWindowLongPtrW(Handle(), GWL_EXSTYLE) | WS_EX_APPWINDOW);

    SetItemText(kTextId, text_);
    HICON icon = LoadIconW(nullptr, (iconFlags_ & kMessageIconStop) ? kStopIcon : kInformationIcon);
    SendDlgItemMessageW(Handle(), kIconId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    FitText();
    CentreOverOwner();
}

// The text as one block of lines without word breaks; a wider block widens
// the text, the window and moves the close button by half. A taller block
// likewise makes room downwards, so that no line is cut. The window never
// grows beyond the work area.
void MessageBoxDialog::FitText() {
    HWND textItem = Item(kTextId);
    if (!textItem) return;
    std::wstring wide = WideText(text_.c_str());
    HDC dc = GetDC(textItem);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    RECT block{0, 0, 0, 0};
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &block,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_LEFT);
    SelectObject(dc, old);
    ReleaseDC(textItem, dc);

    RECT item = WindowRect(textItem), window = WindowRect(Handle()), work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int itemW = item.right - item.left, itemH = item.bottom - item.top;
    int windowW = window.right - window.left, windowH = window.bottom - window.top;
    int growW = std::max(0, int(block.right) + kTextMargin - itemW);
    int growH = std::max(0, int(block.bottom) - itemH);
    growW = std::min(growW, std::max(0, int(work.right - work.left) - windowW));
    growH = std::min(growH, std::max(0, int(work.bottom - work.top) - windowH));
    if (growW == 0 && growH == 0) return;

    SetWindowPos(textItem, nullptr, 0, 0, itemW + growW, itemH + growH,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Handle(), nullptr, 0, 0, windowW + growW, windowH + growH,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (HWND close = Item(kCloseId)) {
        RECT b = WindowRect(close);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&b), 2);
        SetWindowPos(close, nullptr, b.left + growW / 2, b.top + growH, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Over the owner while it is on screen, else over the work area.
void MessageBoxDialog::CentreOverOwner() {
    HWND owner = GetWindow(Handle(), GW_OWNER);
    RECT over{};
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        over = WindowRect(owner);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    RECT r = WindowRect(Handle());
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = over.left + ((over.right - over.left) - w) / 2;
    int y = over.top + ((over.bottom - over.top) - h) / 2;
    SetWindowPos(Handle(), nullptr, std::max(0, x), std::max(0, y), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::unique_ptr<MessageBoxDialog> ShowMessageWindow(HWND owner, HINSTANCE languageModule,
                                                    const AStr& text, unsigned iconFlags) {
    auto dialog = std::make_unique<MessageBoxDialog>(languageModule, text, iconFlags);
    if (!dialog->CreateModeless(owner)) return nullptr;
    ShowWindow(dialog->Handle(), SW_SHOW);
    SetForegroundWindow(dialog->Handle());
    return dialog;
}

MessageWindows::MessageWindows() = default;
MessageWindows::~MessageWindows() = default;

MessageBoxDialog* MessageWindows::OpenWindow(const ItemNode& object) {
    return static_cast<MessageBoxDialog*>(object.messageWindow);
}

bool MessageWindows::Open(ItemNode& object, HWND owner, const AStr& text, unsigned iconFlags) {
    std::unique_ptr<MessageBoxDialog> window = ShowMessageWindow(owner, nullptr, text, iconFlags);
    if (!window) return false;
    object.messageWindow = window.get();
    windows_.push_back(std::move(window));
    return true;
}

void MessageWindows::ReleaseClosed(ItemNode& list) {
    auto closed = [](const std::unique_ptr<MessageBoxDialog>& w) { return w->IsClosed(); };
    if (std::none_of(windows_.begin(), windows_.end(), closed)) return;
    for (ItemNode* o = &list; o; o = o->NextInTree(&list))
        if (MessageBoxDialog* w = OpenWindow(*o); w && w->IsClosed()) o->messageWindow = nullptr;
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(), closed), windows_.end());
}
