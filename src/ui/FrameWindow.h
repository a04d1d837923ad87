#pragma once
// The main window: the item pane (101) and result pane (102) side by side
// under the toolbar (105) and above the status bar (106), split by the
// separator (99). It owns the watch list of its program directory and the
// check engine that runs in its idle phases, holds the program directory's
// lock, sits in the notification area (and hides there when minimised),
// blinks its tray icon for news, serves DDE "OVISTO"/"system" and takes
// dropped URLs. The parts of the window live in the Frame*.cpp files.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/CheckEngine.h"
#include "framework/AStr.h"
#include "lang/CommandIds.h"
#include "platform/DirectoryLock.h"
#include "shell/gui/DCommandEnabler.h"
#include "shell/gui/DFrameWindow.h"
#include "shell/gui/DStatusBar.h"
#include "shell/gui/DToolbar.h"
#include "shell/gui/DTrayIcon.h"
#include "shell/gui/DWindowSeparator.h"
#include "shell/gui/DropWin.h"
#include "panes/SearchText.h"
#include "ui/Banner.h"
#include "ui/ImportDialog.h"
#include "ui/MessageBoxDialog.h"
#include "ui/TreeViewText.h"
#include "ui/TreeViewUrl.h"
#include "watchlist/ItemList.h"
#include "watchlist/Options.h"
#include "watchlist/WatchListFile.h"

// The main window class every copy registers.
extern const wchar_t kMainWindowClass[];

// Child ids, timer ids and the tray callback message.
enum FrameIds : int {
    kSeparatorId = 99,
    kItemPaneId = 101,
    kResultPaneId = 102,
    kToolbarId = 105,
    kStatusBarId = 106,
};
enum FrameTimers : UINT_PTR {
    kHeartbeatTimer = 1,
    kBlinkTimer = 2,
    kSelectionTimer = 3,
};
constexpr UINT kTrayMessage = 0x341B;
// Posted after a URL was dropped: its new-page dialog opens once the drop
// has returned to the program it came from.
constexpr UINT kDroppedPagesMessage = WM_APP + 1;
constexpr UINT kHeartbeatMs = 60000;
constexpr UINT kBlinkMs = 500;
constexpr UINT kSelectionMs = 500;
// Longest DDE command taken (characters).
constexpr size_t kMaxDdeCommand = 519;

// What the main window is made with. programDir holds the watch list, the
// "USER" folder and the lock; options and settingsFile are the program
// options and where they are saved.
struct FrameArgs {
    HINSTANCE instance = nullptr;
    const char* caption = "";
    HMENU menu = nullptr;
    std::string programDir;
    Options* options = nullptr;
    std::string settingsFile;
    CheckEngine::Clock clock;  // null: the system's
    // How a message is shown to the user (a message box unless replaced).
    std::function<void(const AStr& text)> showMessage;
    // How a yes/no question is asked (a message box unless replaced).
    std::function<bool(const AStr& text)> askYesNo;
    // How a notification's program is started through the shell with the
    // verb "open": the shell's value, 32 or less when it failed.
    std::function<intptr_t(const AStr& program, const AStr& arguments)> shellOpen;
    // How a notification's wave file is played without waiting: false when
    // it cannot be played.
    std::function<bool(const AStr& file)> playSound;
    // The default beep that stands in for a sound that cannot be played.
    std::function<void()> beep;
    // How a page, program or document is started: file, parameters (may be
    // empty) and folder (null: none); the shell's answer, above 32 when it
    // started (ShellExecute unless replaced).
    std::function<int(const AStr& file, const AStr& parameters, const char* folder)> shellExecute;
    // How the file of a saved report is chosen (the save-file dialog unless
    // replaced); false when the user cancelled.
    std::function<bool(AStr& path)> chooseReportFile;
    // How the properties of a new page or mailbox are edited (the property
    // sheet unless replaced); true for OK.
    std::function<bool(ItemProperties& properties, bool isMailbox)> editNewObject;
};

class FrameWindow : public DFrameWindow,
                    public DCommandTarget,
                    public DropWin::Owner,
                    public EngineHost {
  public:
    FrameWindow();
    ~FrameWindow() override;

    // Creates the window hidden with the styles of a main window and runs
    // its creation steps; the menu belongs to the window from here on (also
    // when creation fails).
    bool Create(const FrameArgs& args);
    // The registered message the window answers with its own number.
    void SetProbeMessage(UINT probe) { probe_ = probe; }

    // The new-web-page dialog with an address filled in (from "/url", DDE
    // or a drop); on OK the page is appended to the list.
    void NewWebPage(const AStr& address);
    // Replaces how a new object's properties are edited (before or after
    // Create; tests).
    void SetNewObjectEditor(std::function<bool(ItemProperties&, bool isMailbox)> edit) {
        newObjectEditor_ = std::move(edit);
    }

    // Shows a minimised window restored, any other one as it was, and
    // brings it to the foreground.
    void Restore();
    bool IsHiddenToTray() const { return hiddenToTray_; }

    // The object shown in the result pane, its caption, its node.
    void ShowObjectResults(ItemNode* object);
    ItemNode* CurrentObject() const { return current_; }
    void RefreshObjectNode(ItemNode& object);
    // Clears the unseen-changes mark of the object and of everything below
    // it, counting them off, and saves the change log when any was set.
    void MarkSeen(ItemNode& object);
    void UpdateCaption();

    // Tray icon blinking: timer 2, icons 3 and 4 in turn.
    void StartBlink();
    void StopBlink();
    bool IsBlinking() const { return blinkTimer_ != 0; }
    int BlinkPhase() const { return blinkPhase_; }
    // The icon (3 or 4) the tray shows.
    int TrayIconId() const { return trayIcon_; }

    // The status bar text the idle pass writes.
    AStr StatusText() const;

    ItemList& WatchList() { return list_; }
    CheckEngine* Engine() { return engine_.get(); }
    TreeViewUrl& Items() { return itemPane_; }
    TreeViewText& Results() { return resultPane_; }
    // Selects the next node of the result pane holding the text: 1 when one
    // was found, -1 otherwise.
    int FindInResults(const AStr& text, SearchSwitches switches);
    // Replaces how yes/no questions are asked (tests).
    void SetQuestionHandler(std::function<bool(const AStr& text)> ask) {
        args_.askYesNo = std::move(ask);
    }
    DToolbar& Toolbar() { return toolbar_; }
    DStatusBar& StatusBar() { return statusBar_; }
    DWindowSeparator& Separator() { return separator_; }
    const DTrayIcon& Tray() const { return tray_; }
    IDropTarget& DropTarget() { return dropTarget_; }
    HWND FocusedPane() const { return focusedPane_; }

    // Edits of the tree (FrameEdits.cpp). The new-web-page dialog for an
    // object at a position (a URL dropped on the item pane); true for OK.
    bool NewWebPage(const AStr& address, const InsertPosition& at);
    // The same once the drop that brought the address has ended.
    void NewWebPageAfterDrop(const AStr& address, const InsertPosition& at);
    // Makes an object of the properties at the position (the root's end
    // when at.parent is null): never checked, a copy number, checking
    // switched on, its node added, a check asked for, the watch list saved.
    ItemNode* NewObject(const ItemProperties& properties, const InsertPosition& at);
    // Opens a page in the browser, in a new window of the program that
    // opens ".htm" files when asked (not for "mailto:"); a failure is shown
    // with the address. False when the shell failed.
    bool OpenInBrowser(const AStr& url, bool newWindow);
    // The main menu's popup menus as they would be shown for a pane (3 for
    // the item pane, 4 for the result pane): trimmed for the selection,
    // separators pruned; the caller destroys it. Null for another window.
    HMENU PreparePopupMenu(HWND pane);
    // Where a pane's popup menu opens: the given screen point, or for
    // (-1, -1) (the keyboard) the lower left corner of the first selected
    // node, else the middle of the pane.
    POINT PopupMenuPoint(HWND pane, POINT screen);
    // Deletes the selected objects that may be deleted, with their
    // subtrees, once the user agreed (`confirmed`); saves the watch list.
    // Returns the number of objects deleted.
    size_t DeleteObjects(bool confirmed);
    // The same for given objects, asking nothing (a drag moved them out).
    size_t DeleteObjectList(const std::vector<ItemNode*>& objects);
    // Deletes the records of the result pane's selected nodes and saves the
    // change log; the number of check and change records deleted.
    size_t DeleteRecords();
    // Copy in the item pane: the clipboard is emptied and, for exactly one
    // object, gets the object with its subtree in the private format and its
    // URL when it has one; false when the clipboard could not be opened.
    bool CopyObjectsToClipboard(const std::vector<ItemNode*>& objects);
    // A private stream on the clipboard inserted into `parent` (the root
    // when null); -1 when there is none or it cannot be read.
    int PasteObjects(ItemNode* parent);
    int PasteObjects(const InsertPosition& at);
    const WatchListPaths& Paths() const { return paths_; }
    // Export and import (FrameImport.cpp). Writes the selected objects with
    // their subtrees to an export file chosen by the user; false when
    // nothing was written.
    bool ExportSelected();
    // Asks for the source, then runs the import dialog with checks
    // suspended; 1 when the watch list was replaced.
    int ImportObjects();
    // The file dialogs of export and import (tests replace them).
    ImportFileSeams& ImportSeams() { return importSeams_; }
    bool HoldsDirectoryLock() const { return lock_.IsHeld(); }

    // Notifications (FrameEvents.cpp): the announcement of a recorded check
    // of the object, one event run for it, and the message windows the user
    // has closed let go (every idle pass).
    void Notify(ItemNode& object);
    void RunEvent(ItemNode& object, const ItemEvent& event);
    void ReleaseClosedMessageWindows();
    const MessageWindows& OpenMessageWindows() const { return messageWindows_; }

    bool OnIdle(long count) override;

    // EngineHost: the check engine's calls back into the window.
    void RefreshObject(ItemNode& object) override;
    void RevealChangedObject(ItemNode& object) override;
    void BeforeCheckDeleted(ItemNode& object, CheckNode& check) override;
    void Announce(ItemNode& object, const ItemEvent& event) override;
    void SaveChangeLog() override;
    void SaveWatchList() override;
    void SaveOptions() override;
    TextLogSettings TextLogSetup(uint32_t now) override;

    // DCommandTarget: which commands can be used now.
    void CommandEnable(DCommandEnabler& enabler) override;
    // DropWin::Owner: a URL dropped on the window.
    void OnDropText(const AStr& text) override;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCreate(const CREATESTRUCTW& cs) override;
    void OnDestroy() override;
    void OnSize(UINT type, int width, int height) override;
    void OnSetFocus(HWND previous) override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnTimer(UINT_PTR id) override;
    bool OnRegisteredMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    // Creation steps (FrameWindow.cpp).
    void SetWindowIcons();
    bool CreatePanes();
    bool CreateToolbar();
    void LoadWatchList();
    // Layout (FrameLayout.cpp use in FrameWindow.cpp).
    void LayOut();
    void SeparatorMoved();
    // Pane notifications.
    LRESULT OnNotify(const NMHDR& header);
    void OnPaneNotify(int id, int code, TreeViewNode* node);
    bool ClearUnseen(ItemNode& object);
    // Tray (FrameTray.cpp).
    void AddTrayIcon();
    void SetTrayIcon(int iconId);
    void OnTrayMessage(LPARAM mouse);
    void ShowTrayMenu();
    // DDE server (FrameDde.cpp).
    void RegisterDde();
    void UnregisterDde();
    LRESULT OnDdeInitiate(HWND client, LPARAM atoms);
    void OnDdeExecute(HWND client, LPARAM command);
    void OnDdeTerminate(HWND client);
    // Status bar and caption (FrameStatus.cpp).
    void UpdateStatusBar();
    // A menu item under the mouse or the keyboard: its prompt on the status
    // line; the usual line again when the menu closes.
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    // Messages to the user (the title a text of the language module).
    void ShowMessage(const AStr& text, UINT icon = MB_ICONEXCLAMATION,
                     unsigned titleId = TEXT_PROGRAM_NAME);
    bool AskYesNo(const AStr& text);
    // The properties and options commands (FrameDialogs.cpp).
    void EditSelectedProperties();
    void EditProgramOptions();
    // Search of the result pane (FrameSearch.cpp).
    bool CanSearch();
    void Find();
    void FindNext();
    // Notification events (FrameEvents.cpp).
    void PlayEventSound(const AStr& file);
    void RunEventProgram(ItemNode& object, const AStr& commandLine);
    // The command table (FrameCommands*.cpp): each handler gets its id.
    bool RunCommand(int id);
    void EnableCommand(DCommandEnabler& e);
    bool ItemPaneFocused() const;
    bool ResultPaneFocused() const;
    ItemNode* OpenTarget();
    CheckNode* SelectedCheck();
    ChangeNode* SelectedLinkedChange();
    void CutCommand(int id);
    void CopyCommand(int id);
    void PasteCommand(int id);
    void DeleteCommand(int id);
    bool ConfirmObjectDelete();
    void DeleteFromHereCommand(int id);
    void SelectAllCommand(int id);
    void CopyLinkCommand(int id);
    bool EditNewObject(ItemProperties& properties, bool isMailbox);
    void NewObjectCommand(int id);
    void NewFolderCommand(int id);
    void ProtectCommand(int id);
    void SwitchCommand(int id);
    void ClearHistoryCommand(int id);
    void MarkSeenCommand(int id);
    void OtherPaneCommand(int id);
    void EnterCommand(int id);
    void EnterAction(bool inResults);
    void OpenCommand(int id);
    void OpenObject(ItemNode& object, bool newWindow);
    void SaveReportCommand(int id);
    void HelpCommand(int id);
    void ShowAbout();
    int ShellExecuteSeam(const AStr& file, const AStr& parameters, const char* folder);
    // Popup menus (FramePopup.cpp).
    void ShowPopupMenu(HWND pane, POINT screen);

    FrameArgs args_;
    Options fallbackOptions_;
    Options* options_ = &fallbackOptions_;
    WatchListPaths paths_{std::string(".")};
    platform::DirectoryLock lock_;
    ItemList list_;  // before the panes: their nodes point into it
    TreeViewUrl itemPane_{list_};
    ItemNode* current_ = nullptr;
    TreeViewText resultPane_;
    HWND focusedPane_ = nullptr;
    DWindowSeparator separator_;
    std::unique_ptr<CheckEngine> engine_;
    ATOM serviceAtom_ = 0;
    ATOM topicAtom_ = 0;
    AStr windowTitle_;
    UINT_PTR blinkTimer_ = 0;
    int blinkPhase_ = 0;
    int trayIcon_ = 3;
    DToolbar toolbar_;
    DStatusBar statusBar_;
    UINT_PTR selectionTimer_ = 0;
    DTrayIcon tray_;
    DropWin dropTarget_;
    bool dropRegistered_ = false;
    Banner banner_;
    UINT probe_ = 0;
    bool hiddenToTray_ = false;
    std::function<bool(ItemProperties&, bool isMailbox)> newObjectEditor_;
    std::vector<std::pair<AStr, InsertPosition>> droppedPages_;
    void OpenDroppedPages();
    void ConnectItemPane();  // FrameEdits.cpp
    // The watch list built anew from the import dialog's left tree.
    void ReplaceWatchList(ImportNode& left);  // FrameImport.cpp
    ImportFileSeams importSeams_;
    MessageWindows messageWindows_;
};

// The process-wide main window, once it exists (null before and after).
FrameWindow* TheMainWindow();
void SetTheMainWindow(FrameWindow* window);
