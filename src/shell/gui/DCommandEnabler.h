#pragma once
// Asking a window whether a command can be used: before a menu opens, one
// enabler per menu item (DMenuItemEnabler); during idle, one per toolbar
// button (DGadgetEnabler). The window's answer changes the item or button;
// a command it does not answer is left as it is.
#include <windows.h>

#include "framework/AStr.h"

class DToolbar;

class DCommandEnabler {
  public:
    explicit DCommandEnabler(int id) : id_(id) {}
    virtual ~DCommandEnabler() = default;
    virtual void Enable(bool on) = 0;
    virtual void SetText(const AStr& text) = 0;
    virtual void SetCheck(bool on) = 0;
    int Id() const { return id_; }

  private:
    int id_;
};

class DMenuItemEnabler : public DCommandEnabler {
  public:
    DMenuItemEnabler(HMENU menu, int position, int id)
        : DCommandEnabler(id), menu_(menu), position_(position) {}
    void Enable(bool on) override;
    void SetText(const AStr& text) override;
    void SetCheck(bool on) override;

  private:
    HMENU menu_;
    int position_;
};

class DGadgetEnabler : public DCommandEnabler {
  public:
    DGadgetEnabler(DToolbar& toolbar, int id) : DCommandEnabler(id), toolbar_(toolbar) {}
    void Enable(bool on) override;
    void SetText(const AStr&) override {}
    void SetCheck(bool on) override;

  private:
    DToolbar& toolbar_;
};

// The window's side: one call per command id.
class DCommandTarget {
  public:
    virtual ~DCommandTarget() = default;
    virtual void CommandEnable(DCommandEnabler& enabler) = 0;
};

// Asks the target about every command item of a popup menu.
void EnableMenuItems(HMENU menu, DCommandTarget& target);
// Asks the target about every button of a toolbar.
void EnableToolbarButtons(DToolbar& toolbar, DCommandTarget& target);
