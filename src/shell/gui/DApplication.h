#pragma once
// The application object: start-up of the main window and the message loop
// with its idle phases.
#include <windows.h>

#include "framework/AStr.h"

class DWindow;

class DApplication {
  public:
    DApplication(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int showCommand);
    virtual ~DApplication();
    DApplication(const DApplication&) = delete;
    DApplication& operator=(const DApplication&) = delete;

    // CreateMainWindow, then shows the main window with the start-up show
    // command unless it is visible or minimised already; false without a
    // main window.
    virtual bool InitInstance();
    // Once per system, for the first copy only: nothing to do here.
    virtual bool InitApplication();
    virtual bool CreateMainWindow();
    // Takes and hands on messages until the quit message; returns its code.
    // After each message the idle count starts at 0 again; while the queue
    // is empty Idle is called with 0, 1, 2, ... until a call asks for no
    // more idle time, and then the loop blocks until the next message.
    virtual int MessageLoop();
    // Handles one message: a modeless dialog's keys, the main window's
    // filter, else translate and dispatch.
    virtual void PreTranslate(MSG& msg);
    virtual bool MainWindowPreTranslate(MSG& msg);
    // A message for a modeless dialog taken by its dialog manager.
    bool ModelessDialogMessage(MSG& msg);
    // One idle call; true asks for another one before the loop blocks.
    virtual bool Idle(long count);
    // Called when the Pause key is released, before the message goes on.
    virtual void PauseKey();

    // -1 when initialisation fails, else the message loop's result.
    int Run();

    HINSTANCE Instance() const { return instance_; }
    HINSTANCE PreviousInstance() const { return previous_; }
    const AStr& CommandLine() const { return commandLine_; }
    int ShowCommand() const { return showCommand_; }
    DWindow* MainWindow() const { return mainWindow_; }
    void SetMainWindow(DWindow* window) { mainWindow_ = window; }

  private:
    HINSTANCE instance_;
    HINSTANCE previous_;
    AStr commandLine_;
    int showCommand_;
    DWindow* mainWindow_ = nullptr;
};
