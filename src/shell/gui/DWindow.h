#pragma once
// The window base class: one object per window handle. The framework's
// window procedure finds the object of a handle (kept in GWLP_USERDATA from
// WM_NCCREATE on) and hands each message to its WindowProc, which calls one
// virtual handler per message.
#include <windows.h>

#include "framework/AStr.h"

// What a window is made with. A child takes `id` as its child id; a
// top-level window takes `menu`.
struct DCreateArgs {
    DWORD exStyle = 0;
    const wchar_t* className = nullptr;
    const char* title = "";
    DWORD style = 0;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    HWND parent = nullptr;
    HMENU menu = nullptr;
    int id = 0;
    HINSTANCE instance = nullptr;
};

class DWindow {
  public:
    DWindow() = default;
    virtual ~DWindow();
    DWindow(const DWindow&) = delete;
    DWindow& operator=(const DWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    // The object of a window made by this framework, or null.
    static DWindow* FromHandle(HWND hwnd);

    // Registers a window class served by the framework's procedure; true
    // when it is registered (also by an earlier call).
    static bool RegisterWindowClass(HINSTANCE instance, const wchar_t* className, UINT style,
                                    HICON icon, HICON smallIcon);

    bool Create(const DCreateArgs& args);
    void Destroy();
    // The title, by the display rule of DText.h.
    void SetTitle(const char* title);

    // The window's own message filter, called by the message loop before a
    // message is translated and dispatched; true consumes the message.
    virtual bool PreTranslate(MSG& msg);

  protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // false makes the creation fail.
    virtual bool OnCreate(const CREATESTRUCTW& cs);
    virtual void OnDestroy();
    // true when handled; otherwise the window is destroyed.
    virtual bool OnClose();
    virtual void OnMove(int x, int y);
    virtual void OnSize(UINT type, int width, int height);
    // code 0 for a menu, 1 for an accelerator, else a control's
    // notification; true when the command was taken.
    virtual bool OnCommand(int id, int code, HWND control);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnSetFocus(HWND previous);
    virtual void OnPaint(HDC dc, const RECT& dirty);
    // Messages numbered by RegisterWindowMessage; true when answered.
    virtual bool OnRegisteredMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};
