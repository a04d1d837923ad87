#pragma once
// The message window of a notification: a modeless dialog from template 15
// of the language module with the text (100), an icon (101) and the close
// button (1). It has a button on the taskbar and grows to fit its text.
// MessageWindows keeps the open ones, one per object at most.
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/AStr.h"
#include "shell/gui/DDialog.h"

class ItemNode;

// The icon flags of a message window (those of a message box).
enum : unsigned { kMessageIconStop = 16, kMessageIconInformation = 64 };

class MessageBoxDialog : public DDialog {
  public:
    enum { kTemplate = 15, kTextId = 100, kIconId = 101, kCloseId = 1 };
    MessageBoxDialog(HINSTANCE languageModule, const AStr& text, unsigned iconFlags);

  protected:
    void OnInit() override;

  private:
    void FitText();
    void CentreOverOwner();

    AStr text_;
    unsigned iconFlags_;
};

// Opens a message window owned by `owner` (may be null) and shows it in
// front; null when the template cannot be made.
std::unique_ptr<MessageBoxDialog> ShowMessageWindow(HWND owner, HINSTANCE languageModule,
                                                    const AStr& text, unsigned iconFlags);

// The message windows of the objects of one watch list. An object refers
// to its window (ItemNode::messageWindow) while it is open; the window
// object lives here until the user has closed it and the next release.
class MessageWindows {
  public:
    MessageWindows();
    ~MessageWindows();
    MessageWindows(const MessageWindows&) = delete;
    MessageWindows& operator=(const MessageWindows&) = delete;

    // True when the object's window is open (it refers to one).
    static bool IsOpen(const ItemNode& object) { return OpenWindow(object) != nullptr; }
    static MessageBoxDialog* OpenWindow(const ItemNode& object);
    // Opens a window for the object and remembers it there; false when
    // none could be made.
    bool Open(ItemNode& object, HWND owner, const AStr& text, unsigned iconFlags);
    // Every window the user has closed: the object that refers to it (in
    // the tree below `list`) forgets it and the window object goes.
    void ReleaseClosed(ItemNode& list);
    size_t Count() const { return windows_.size(); }

  private:
    std::vector<std::unique_ptr<MessageBoxDialog>> windows_;
};
