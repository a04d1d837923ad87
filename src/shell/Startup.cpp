#include "shell/Startup.h"

#include <ole2.h>

#include "platform/Lang.h"
#include "platform/Profile.h"
#include "shell/Appl.h"
#include "shell/CommandLine.h"
#include "shell/ProgramPaths.h"
#include "shell/Setup.h"
#include "shell/SingleInstance.h"
#include "watchlist/Options.h"

namespace {

// The stored language code normalised and its module loaded; a code that
// changed on the way is written back.
void StartLanguage() {
    Options& options = ProgramOptions();
    if (ChooseLanguage(options.language, nullptr))
        platform::ProfileFile(OptionsFilePath())
            .WriteText("Options", "Language", options.language.c_str());
}

}  // namespace

int ProcessEntry(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int showCommand) {
    SetProgramInstance(instance);
    UINT probe = RegisterProbeMessage();
    if (HWND running = FindRunningCopy(probe)) {
        ShowWindow(running, SW_SHOWNORMAL);
        SetForegroundWindow(running);
        return 0;
    }

    LoadOptions();
    StartLanguage();
    if (!HandleSetupSwitch(SplitCommandLine(commandLine))) return 0;

    int result;
    {
        Appl application(instance, previous, commandLine, showCommand);
        HRESULT ole = OleInitialize(nullptr);
        result = application.Run();
        if (SUCCEEDED(ole)) OleUninitialize();
    }
    return result;
}
