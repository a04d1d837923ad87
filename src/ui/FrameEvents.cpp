// Notifications of the main window: a recorded check is announced (the
// check engine runs the steps and calls back here to reveal the object and
// to run its event), the events themselves (blink, sound, message window,
// program), and the message windows the user has closed.
#include "ui/FrameWindow.h"  // first: <windows.h> before the rest

#include <mmsystem.h>
#include <shellapi.h>

#include "platform/Lang.h"
#include "shell/gui/DText.h"
#include "watchlist/EventRules.h"

namespace {

// The shell's answers above this value mean the program started.
constexpr intptr_t kShellStarted = 32;

intptr_t ShellOpen(HWND owner, const AStr& program, const AStr& arguments) {
    HINSTANCE r = ShellExecuteW(owner, L"open", WideText(program.c_str()).c_str(),
                                WideText(arguments.c_str()).c_str(), L".", SW_SHOWDEFAULT);
    return reinterpret_cast<intptr_t>(r);
}

// An asynchronous start does not always report a missing file, so the file
// is looked for first.
bool PlayWave(const AStr& file) {
    std::wstring path = WideText(file.c_str());
    if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    return PlaySoundW(path.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT) != FALSE;
}

}  // namespace

void FrameWindow::Notify(ItemNode& object) {
    if (engine_) engine_->Notify(object);
}

// While the window is hidden in the notification area, the changed object
// becomes the only selection, so that its results are there on return.
void FrameWindow::RevealChangedObject(ItemNode& object) {
    if (!hiddenToTray_ && !IsIconic(Handle())) return;
    if (SelectsChangedObject(object, itemPane_.Selected())) itemPane_.SetCaret(&object);
}

void FrameWindow::Announce(ItemNode& object, const ItemEvent& event) {
    RunEvent(object, event);
}

void FrameWindow::RunEvent(ItemNode& object, const ItemEvent& event) {
    switch (event.type) {
        case kEventBlink:
            StartBlink();
            break;
        case kEventSound:
            PlayEventSound(event.param);
            break;
        case kEventMessage:
            // One window per object: while it is open, further news of the
            // object adds none.
            if (!MessageWindows::IsOpen(object))
                messageWindows_.Open(object, Handle(), EventMessageText(object, event.param),
                                     kMessageIconInformation);
            break;
        case kEventRunProgram:
            if (!MessageWindows::IsOpen(object)) RunEventProgram(object, event.param);
            break;
        default:
            break;  // nothing, the program-wide kind left over, or unknown
    }
}

void FrameWindow::PlayEventSound(const AStr& file) {
    bool played = args_.playSound ? args_.playSound(file) : PlayWave(file);
    if (played) return;
    if (args_.beep)
        args_.beep();
    else
        MessageBeep(MB_OK);
}

// A program that does not start leaves a stop message with the shell's
// reason and the program; until it is closed the object runs nothing more.
void FrameWindow::RunEventProgram(ItemNode& object, const AStr& commandLine) {
    EventCommand command = SplitEventCommand(commandLine.c_str());
    intptr_t value = args_.shellOpen ? args_.shellOpen(command.program, command.arguments)
                                     : ShellOpen(Handle(), command.program, command.arguments);
    if (value > kShellStarted) return;
    AStr text = ProgramErrorText(static_cast<int>(value));
    text += "\n";
    text += command.program;
    messageWindows_.Open(object, Handle(), text, kMessageIconStop);
}

void FrameWindow::ReleaseClosedMessageWindows() {
    messageWindows_.ReleaseClosed(list_);
}
