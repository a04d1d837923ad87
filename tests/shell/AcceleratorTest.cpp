// Keys of accelerator table 1 become commands of the main window before
// any other handling; other keys go on to the window.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "lang/CommandIds.h"
#include "shell/Appl.h"

namespace {

WNDPROC g_original = nullptr;
std::vector<std::pair<UINT, WPARAM>> g_seen;

LRESULT CALLBACK Recorder(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_KEYDOWN) g_seen.emplace_back(message, wParam);
    return CallWindowProcW(g_original, w, message, wParam, lParam);
}

TEST(Accelerators, UnmodifiedKeysOfTheTableBecomeCommands) {
    Appl app(GetModuleHandleW(nullptr), nullptr, "", SW_HIDE);
    ASSERT_TRUE(app.CreateMainWindow());
    HWND main = app.Frame().Handle();
    g_original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Recorder)));

    const std::pair<WPARAM, int> keys[] = {{VK_DELETE, CMD_DELETE},
                                           {VK_F3, CMD_FIND_NEXT},
                                           {VK_TAB, CMD_OTHER_PANE},
                                           {VK_RETURN, CMD_ENTER},
                                           {VK_INSERT, CMD_NEW_OBJECT}};
    for (const auto& key : keys) {
        g_seen.clear();
        MSG msg{main, WM_KEYDOWN, key.first, 1, 0, {0, 0}};
        app.PreTranslate(msg);
        ASSERT_EQ(1u, g_seen.size()) << key.first;
        EXPECT_EQ(static_cast<UINT>(WM_COMMAND), g_seen[0].first);
        EXPECT_EQ(MAKEWPARAM(key.second, 1), g_seen[0].second) << "code 1: from an accelerator";
    }

    g_seen.clear();
    MSG other{main, WM_KEYDOWN, 'Q', 1, 0, {0, 0}};
    app.PreTranslate(other);
    ASSERT_EQ(1u, g_seen.size());
    EXPECT_EQ(static_cast<UINT>(WM_KEYDOWN), g_seen[0].first) << "dispatched to the window";

    SetWindowLongPtrW(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_original));
    MSG left;
    while (PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE)) {
    }
}

}  // namespace
