#include "shell/gui/DWindowPlacement.h"

#include "platform/Profile.h"

namespace {

// What a missing value reads as.
constexpr long kMissing = static_cast<long>(0x80000000UL);

}  // namespace

DWindowPlacement::DWindowPlacement(std::string settingsFile, std::string section)
    : file_(std::move(settingsFile)), section_(std::move(section)) {}

void DWindowPlacement::Apply(HWND window, int startShowCommand) {
    restoring_ = true;
    platform::ProfileFile settings(file_);
    long x = settings.ReadInt(section_.c_str(), "X", kMissing);
    long y = settings.ReadInt(section_.c_str(), "Y", kMissing);
    long w = settings.ReadInt(section_.c_str(), "W", kMissing);
    long h = settings.ReadInt(section_.c_str(), "H", kMissing);
    bool usable =
        x != kMissing && y != kMissing && w != kMissing && h != kMissing && w > 0 && h > 0;
    if (usable) {
        long show = settings.ReadInt(section_.c_str(), "show", SW_SHOWNORMAL);
        if (show <= 0 || show > SW_MAX) show = SW_SHOWNORMAL;
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        wp.showCmd = startShowCommand == SW_HIDE ? SW_HIDE : static_cast<UINT>(show);
        wp.rcNormalPosition = RECT{x, y, x + w, y + h};
        SetWindowPlacement(window, &wp);
    } else {
        ShowWindow(window, startShowCommand);
    }
    restoring_ = false;
}

void DWindowPlacement::Save(HWND window) {
    if (restoring_ || !savingEnabled_ || !window) return;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!GetWindowPlacement(window, &wp)) return;
    const RECT& r = wp.rcNormalPosition;
    platform::ProfileFile settings(file_);
    settings.WriteSigned(section_.c_str(), "X", r.left);
    settings.WriteSigned(section_.c_str(), "Y", r.top);
    settings.WriteSigned(section_.c_str(), "W", r.right - r.left);
    settings.WriteSigned(section_.c_str(), "H", r.bottom - r.top);
    settings.WriteSigned(section_.c_str(), "show",
                         wp.showCmd == 0 ? 1 : static_cast<long>(wp.showCmd));
}
