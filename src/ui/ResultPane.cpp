#include "ui/ResultPane.h"

#include <ctime>
#include <string>

#include "shell/gui/DText.h"
#include "ui/PaneNotify.h"
#include "watchlist/CheckNode.h"
#include "watchlist/ItemNode.h"

namespace {

const wchar_t kResultPaneClass[] = L"OvistoResultPane";
const int kRowHeight = 18;

std::wstring CheckTime(uint32_t time) {
    std::time_t t = static_cast<std::time_t>(time);
    std::tm* local = std::localtime(&t);
    char text[64] = "";
    if (local) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", local);
    return WideText(text);
}

}  // namespace

bool ResultPane::Create(HWND parent, int id, HINSTANCE instance) {
    if (!RegisterWindowClass(instance, kResultPaneClass, CS_DBLCLKS, nullptr, nullptr)) return false;
    images_.Load(instance, 3, 16);
    return DWindow::Create(PaneCreateArgs(parent, id, instance, kResultPaneClass));
}

void ResultPane::Show(ItemNode* object) {
    object_ = object;
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

void ResultPane::OnPaint(HDC dc, const RECT& dirty) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    if (!object_) return;
    HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    int y = 2;
    auto row = [&](int indent, int image, const std::wstring& text) {
        images_.Draw(image, dc, 4 + indent, y + 1);
        RECT r{24 + indent, y, client.right, y + kRowHeight};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        y += kRowHeight;
    };
    for (CheckNode* check = object_->checks.First(); check && y < client.bottom;
         check = ListOf<CheckNode>::NextOf(check)) {
        row(0, check->changes.First() ? 1 : 0, CheckTime(check->time));
        for (ChangeNode* change = check->changes.First(); change && y < client.bottom;
             change = ListOf<ChangeNode>::NextOf(change))
            row(16, change->link.IsEmpty() ? 2 : 3, WideText(change->text.c_str()));
    }
    SelectObject(dc, font);
}

void ResultPane::OnSetFocus(HWND) { SendPaneNotify(Handle(), kPaneFocus, object_); }

LRESULT ResultPane::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            SetFocus(Handle());
            SendPaneNotify(Handle(), kPaneClick, object_);
            return 0;
        case WM_RBUTTONDBLCLK:
            SendPaneNotify(Handle(), kPaneRightDoubleClick, object_);
            return 0;
        default:
            return DWindow::WindowProc(message, wParam, lParam);
    }
}
