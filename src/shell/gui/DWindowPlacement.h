#pragma once
// Keeps a window's normal position, size and show state in a section of
// the settings file: keys "X", "Y", "W", "H" and "show".
#include <windows.h>

#include <string>

class DWindowPlacement {
  public:
    DWindowPlacement(std::string settingsFile, std::string section);

    // Applies the stored placement with the stored show state (hidden
    // instead when the program was started hidden); when a value is missing
    // or unusable the window is shown with the start-up show command.
    // Saving starts only after this, so the moves and sizes of the creation
    // never overwrite what is stored.
    void Apply(HWND window, int startShowCommand);
    // Writes the window's current placement, unless saving is off or the
    // stored placement is being applied.
    void Save(HWND window);

    void EnableSaving(bool on) { savingEnabled_ = on; }
    bool IsRestoring() const { return restoring_; }

  private:
    std::string file_;
    std::string section_;
    bool savingEnabled_ = true;
    bool restoring_ = true;
};
