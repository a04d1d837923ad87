#include "shell/gui/DWindowSeparator.h"

#include <algorithm>

namespace {

const wchar_t kSeparatorClass[] = L"OvistoSeparator";

}  // namespace

bool DWindowSeparator::Create(HWND parent, int id, HINSTANCE instance) {
    id_ = id;
    if (!RegisterWindowClass(instance, kSeparatorClass, 0, nullptr, nullptr)) return false;
    DCreateArgs args;
    args.className = kSeparatorClass;
    args.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    args.x = args.y = 0;
    args.width = 4;
    args.height = 0;
    args.parent = parent;
    args.id = id;
    args.instance = instance;
    return DWindow::Create(args);
}

int DWindowSeparator::Position() const {
    RECT r;
    if (!Handle() || !GetWindowRect(Handle(), &r)) return 0;
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    return (r.left + r.right) / 2;
}

void DWindowSeparator::MoveTo(int middle) {
    RECT r;
    if (!Handle() || !GetWindowRect(Handle(), &r)) return;
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    int width = r.right - r.left;
    SetWindowPos(Handle(), nullptr, middle - width / 2, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT DWindowSeparator::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32644)));  // west-east arrows
            return TRUE;
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(Handle(), &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
            return TRUE;
        }
        case WM_LBUTTONDOWN:
            dragging_ = true;
            grip_ = static_cast<short>(LOWORD(lParam));
            SetCapture(Handle());
            return 0;
        case WM_MOUSEMOVE:
            if (dragging_) {
                POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                MapWindowPoints(Handle(), GetParent(Handle()), &p, 1);
                RECT parent;
                GetClientRect(GetParent(Handle()), &parent);
                MoveTo(std::max(0L, std::min(parent.right, static_cast<LONG>(p.x - grip_ + 2))));
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (dragging_) {
                dragging_ = false;
                if (message == WM_LBUTTONUP) ReleaseCapture();
                SendMessageW(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(id_, kMovedCode),
                             reinterpret_cast<LPARAM>(Handle()));
            }
            return 0;
        default:
            return DWindow::WindowProc(message, wParam, lParam);
    }
}
