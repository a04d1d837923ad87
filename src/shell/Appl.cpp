#include "shell/Appl.h"

#include "lang/CommandIds.h"
#include "platform/Lang.h"
#include "platform/Files.h"
#include "platform/Profile.h"
#include "shell/CommandLine.h"
#include "shell/SingleInstance.h"
#include "watchlist/Options.h"

Appl::Appl(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int showCommand)
    : DApplication(instance, previous, commandLine, showCommand),
      accelerators_(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(1))) {}

Appl::~Appl() {
    frame_.Destroy();
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

bool Appl::CreateMainWindow() {
    HMENU menu = static_cast<HMENU>(LoadMenu(MENU_MAIN));
    AStr caption = LoadText(TEXT_PROGRAM_NAME);
    frame_.SetProbeMessage(ProbeMessage());
    FrameArgs frameArgs;
    frameArgs.instance = Instance();
    frameArgs.caption = caption.c_str();
    frameArgs.menu = menu;
    frameArgs.programDir = programDir_.empty() ? platform::ProgramDirectory() : programDir_;
    frameArgs.options = &ProgramOptions();
    frameArgs.settingsFile = settingsFile_.empty() ? OptionsFilePath() : settingsFile_;
    if (!frame_.Create(frameArgs)) return false;
    frame_.KeepPlacement(frameArgs.settingsFile, "Window");
    frame_.ApplyPlacement(ShowCommand());
    SetMainWindow(&frame_);
    SetTheMainWindow(&frame_);

    std::vector<AStr> args = SplitCommandLine(CommandLine().c_str());
    if (FirstArgumentIs(args, "/url") && args.size() > 1) frame_.NewWebPage(args[1]);
    return true;
}

void Appl::PreTranslate(MSG& msg) {
    if (accelerators_ && frame_.Handle() &&
        TranslateAcceleratorW(frame_.Handle(), accelerators_, &msg))
        return;
    DApplication::PreTranslate(msg);
}

bool Appl::Idle(long count) {
    return frame_.Handle() ? frame_.OnIdle(count) : false;
}
