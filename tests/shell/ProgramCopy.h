#pragma once
// A copy of the built program (and chosen language modules) in a folder of
// its own, started as a separate process. Every wait is bounded and keeps
// this thread's messages flowing, so windows of the test process answer
// the program's probe while the test waits.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/TempDir.h"

// Waits until the condition holds or the time is up; true when it held.
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds);

class ProgramCopy {
  public:
    // Copies ovisto.exe and the named files (e.g. "ovenu.dll") from the
    // test program's folder.
    explicit ProgramCopy(const std::vector<std::string>& modules);
    ~ProgramCopy();
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    const TempDir& Folder() const { return dir_; }
    std::string SettingsFile() const { return dir_.File("ovisto.ini"); }

    // Starts one more process of this copy with the arguments.
    bool Start(const std::string& arguments = "");
    // The main window of the most recently started process, once it shows.
    HWND WaitForMainWindow(DWORD milliseconds = 30000);
    // Start and WaitForMainWindow: the new process's main window or null.
    HWND StartAndShow(const std::string& arguments = "");
    // A message box (dialog) of the most recent process, once it shows.
    HWND WaitForDialog(DWORD milliseconds = 30000);
    // Waits for the most recent process to end; false when it did not.
    bool WaitForExit(DWORD* exitCode, DWORD milliseconds = 30000);
    bool IsRunning() const;
    // Asks the main window to close and waits for the process to end.
    bool Close(HWND mainWindow, DWORD* exitCode);

  private:
    HWND FindWindowOfProcess(const wchar_t* className) const;
    TempDir dir_;
    std::vector<PROCESS_INFORMATION> processes_;
};

std::wstring WindowCaption(HWND window);
