#pragma once
// The application: the main window, accelerator table 1 of the executable
// and the idle calls that drive the main window's idle tasks.
#include <windows.h>

#include "ui/FrameWindow.h"
#include <string>

#include "shell/gui/DApplication.h"

class Appl : public DApplication {
  public:
    Appl(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int showCommand);
    ~Appl() override;

    // Menu 1 and caption (string 32000) from the language module, the
    // window created, its stored placement applied, recorded as the main
    // window; then "/url <address>" on the command line goes to the
    // new-web-page command.
    bool CreateMainWindow() override;
    // Accelerators for the main window first, then the framework's way.
    void PreTranslate(MSG& msg) override;
    bool Idle(long count) override;

    FrameWindow& Frame() { return frame_; }
    // Another program directory and settings file than the executable's
    // (for running the window on prepared folders).
    void SetProgramDirectory(const std::string& dir, const std::string& settingsFile) {
        programDir_ = dir;
        settingsFile_ = settingsFile;
    }

  private:
    FrameWindow frame_;
    HACCEL accelerators_;
    std::string programDir_;
    std::string settingsFile_;
};
