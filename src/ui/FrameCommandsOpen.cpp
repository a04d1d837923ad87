// The main window's commands that leave the program: pages and links in the
// browser, the Enter action, the report page, help and the about box.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <string>

#include "compare/ChangeReport.h"
#include "lang/CommandIds.h"
#include "panes/PaneCommands.h"
#include "panes/PaneTexts.h"
#include "panes/ResultPane.h"
#include "platform/Lang.h"
#include "shell/gui/DDialog.h"
#include "shell/gui/DFileDialog.h"
#include "shell/gui/DHelp.h"
#include "shell/gui/DText.h"
#include "stream/TextStream.h"
#include "ui/FrameWindow.h"

namespace {

constexpr LONG kClassNameBytes = 20;
constexpr LONG kOpenCommandBytes = 200;

// The default value of a key of HKEY_CLASSES_ROOT, at most `bytes` bytes;
// empty when the key is missing.
AStr ClassesValue(const std::string& key, LONG bytes) {
    std::string value(static_cast<size_t>(bytes), '\0');
    LONG size = bytes;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), &value[0], &size) != ERROR_SUCCESS)
        return AStr();
    return AStr(value.c_str());
}

// The open command of the program that shows ".htm" files.
AStr PageOpenCommand() {
    AStr cls = ClassesValue(".htm", kClassNameBytes);
    if (cls.IsEmpty()) return AStr();
    return ClassesValue(std::string(cls.c_str()) + "\\shell\\open\\command", kOpenCommandBytes);
}

// The report page's texts and times as the result pane shows them.
class WindowReportHost : public ReportHost {
  public:
    AStr Text(unsigned id) const override { return LoadText(id); }
    AStr CheckTime(uint32_t time) const override { return PaneTexts().CheckTime(time); }
};

bool ChooseReportFile(HWND owner, AStr& path) {
    DFileDialogArgs args;
    args.owner = owner;
    args.save = true;
    args.filter = LoadText(TEXT_REPORT_FILTER);
    args.filter += LoadText(TEXT_FILTER_ALL_FILES);
    args.title = LoadText(TEXT_REPORT_TITLE);
    args.extension = L"htm";
    std::wstring file;
    if (!DAskFileName(args, file)) return false;
    path = NarrowText(file.c_str());
    return true;
}

}  // namespace

int FrameWindow::ShellExecuteSeam(const AStr& file, const AStr& parameters, const char* folder) {
    if (args_.shellExecute) return args_.shellExecute(file, parameters, folder);
    std::wstring wideFolder = folder ? WideText(folder) : std::wstring();
    std::wstring wideParameters = WideText(parameters.c_str());
    HINSTANCE result = ShellExecuteW(Handle(), nullptr, WideText(file.c_str()).c_str(),
                                     parameters.IsEmpty() ? nullptr : wideParameters.c_str(),
                                     folder ? wideFolder.c_str() : nullptr, SW_SHOWNORMAL);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

bool FrameWindow::OpenInBrowser(const AStr& url, bool newWindow) {
    int result;
    if (newWindow && !url.StartsWithNoCase("mailto:")) {
        // A new window of the browser: its program started with the address.
        ProgramCall call = BrowserCall(PageOpenCommand(), url);
        result = call.program.IsEmpty() ? SE_ERR_NOASSOC
                                        : ShellExecuteSeam(call.program, call.arguments, nullptr);
    } else {
        result = ShellExecuteSeam(url, AStr(), ".");
    }
    if (result > 32) return true;
    AStr text = ProgramErrorText(result);
    text += "\r\n";
    text += url;
    ShowMessage(text, MB_ICONSTOP);
    return false;
}

void FrameWindow::OpenObject(ItemNode& object, bool newWindow) {
    if (object.IsFolder()) return;
    OpenInBrowser(object.properties.address, newWindow);
    if (object.HasUnseen()) MarkSeen(object);
}

// The change's link (905 to 907) or the target object (908 to 910).
void FrameWindow::OpenCommand(int id) {
    const bool newWindow = id == CMD_OPEN_CHANGE_LINK_NEW_WINDOW || id == CMD_OPEN_PAGE_NEW_WINDOW;
    if (id == CMD_OPEN_CHANGE_LINK || id == CMD_OPEN_CHANGE_LINK_NEW_WINDOW ||
        id == CMD_OPEN_CHANGE_LINK_PAGE) {
        if (ChangeNode* change = SelectedLinkedChange()) OpenInBrowser(change->link, newWindow);
        return;
    }
    if (ItemNode* target = OpenTarget()) OpenObject(*target, newWindow);
}

void FrameWindow::EnterCommand(int) {
    EnterAction(ResultPaneFocused());
}

// Enter, or a double click in a pane: the item pane opens its selected
// page (a mailbox only by its own command); the result pane marks the
// object seen and opens the selected change's link or the target object.
void FrameWindow::EnterAction(bool inResults) {
    if (inResults) {
        // Read before marking seen: that shows the results again.
        ChangeNode* change = SelectedLinkedChange();
        const AStr link = change ? change->link : AStr();
        ItemNode* target = ResultTarget(current_, SelectedCheck());
        std::vector<ItemNode*> selected = itemPane_.Selected();
        if (selected.size() == 1) MarkSeen(*selected[0]);
        if (!link.IsEmpty())
            OpenInBrowser(link, false);
        else if (target)
            OpenObject(*target, false);
        return;
    }
    std::vector<ItemNode*> selected = itemPane_.Selected();
    if (selected.size() == 1 && !selected[0]->IsMailbox()) OpenObject(*selected[0], false);
}

void FrameWindow::SaveReportCommand(int) {
    if (!current_ || current_->checks.IsEmpty()) return;
    AStr path;
    const bool chosen =
        args_.chooseReportFile ? args_.chooseReportFile(path) : ChooseReportFile(Handle(), path);
    if (!chosen) return;
    otfwstream out(path.c_str());
    if (out.IsError()) return;  // nothing is written where no file could be made
    WriteChangeReport(WindowReportHost(), out, *current_);
}

// Help contents, help on help, the about box and the program's web site.
void FrameWindow::HelpCommand(int id) {
    switch (id) {
        case CMD_HELP_CONTENTS:
        case CMD_HELP_INDEX:
            ShowHelp(Handle(), HELP_INDEX, 0);
            break;
        case CMD_HELP_ON_HELP:
            ShowHelp(Handle(), HELP_HELPONHELP, 0);
            break;
        case CMD_ABOUT:
            ShowAbout();
            break;
        default:
            OpenInBrowser(LoadText(TEXT_WEB_SITE), false);
            break;
    }
}

void FrameWindow::ShowAbout() {
    DDialog about(DDialogArgs::FromTemplate(DLG_ABOUT, 0));
    about.RunModal(Handle());
}
