#include "shell/gui/DWindow.h"

#include "shell/gui/DText.h"

DWindow::~DWindow() {
    Destroy();
}

DWindow* DWindow::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (proc != &DWindow::StaticProc) return nullptr;
    return reinterpret_cast<DWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool DWindow::RegisterWindowClass(HINSTANCE instance, const wchar_t* className, UINT style,
                                  HICON icon, HICON smallIcon) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className, &existing))
        return existing.lpfnWndProc == &DWindow::StaticProc;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &DWindow::StaticProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

bool DWindow::Create(const DCreateArgs& a) {
    if (hwnd_) return false;
    std::wstring wideTitle = WideText(a.title);
    HMENU menuOrId =
        (a.style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(a.id)) : a.menu;
    HWND made = CreateWindowExW(a.exStyle, a.className, wideTitle.c_str(), a.style, a.x, a.y,
                                a.width, a.height, a.parent, menuOrId, a.instance, this);
    return made != nullptr && made == hwnd_;
}

void DWindow::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void DWindow::SetTitle(const char* title) {
    if (hwnd_) SetWindowTextW(hwnd_, WideText(title).c_str());
}

bool DWindow::PreTranslate(MSG&) {
    return false;
}

LRESULT CALLBACK DWindow::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWindow* self;
    if (message == WM_NCCREATE) {
        self = static_cast<DWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    } else {
        self = reinterpret_cast<DWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = self->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

LRESULT DWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT DWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate(*reinterpret_cast<CREATESTRUCTW*>(lParam)) ? 0 : -1;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_CLOSE:
            if (OnClose()) return 0;
            break;
        case WM_MOVE:
            OnMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_COMMAND:
            if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
            break;
        case WM_SETFOCUS:
            OnSetFocus(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            OnPaint(dc, ps.rcPaint);
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_TIMER:
            if (lParam) break;  // a timer with its own procedure
            OnTimer(wParam);
            return 0;
        default:
            if (message >= 0xC000 && message <= 0xFFFF) {
                LRESULT result = 0;
                if (OnRegisteredMessage(message, wParam, lParam, &result)) return result;
            }
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

bool DWindow::OnCreate(const CREATESTRUCTW&) {
    return true;
}
void DWindow::OnDestroy() {}
bool DWindow::OnClose() {
    return false;
}
void DWindow::OnMove(int, int) {}
void DWindow::OnSize(UINT, int, int) {}
bool DWindow::OnCommand(int, int, HWND) {
    return false;
}
void DWindow::OnTimer(UINT_PTR) {}
void DWindow::OnSetFocus(HWND) {}
void DWindow::OnPaint(HDC, const RECT&) {}
bool DWindow::OnRegisteredMessage(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}
