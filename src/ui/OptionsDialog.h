#pragma once
// The program options dialog (template 5): the interface language, the
// proxy, the limits of the result pane and of the checks, the program-wide
// notification event, the mail security, start with Windows and the
// defaults for new objects. The rules between fields and options are
// watchlist/OptionsForm's; this class moves them to and from the controls.
#include <functional>
#include <string>

#include "shell/gui/DDialog.h"
#include "watchlist/OptionsForm.h"

// Control ids of the template.
enum : int {
    kLanguageList = 101,
    kProxyBox = 111,
    kProxyFirst = 112,  // 112 to 120 follow the proxy box
    kProxyHostEdit = 113,
    kProxyPortEdit = 115,
    kProxyUserEdit = 117,
    kProxyPasswordEdit = 119,
    kSavePasswordBox = 120,
    kProxyLast = 120,
    kOutputLimitEdit = 320,
    kThreadsEdit = 321,
    kMaxNewsEdit = 322,
    kAutostartBox = 323,
    kDefaultsButton = 324,
    kEventNothingRadio = 330,  // 330 to 334: the event types 0 to 4
    kEventParamEdit = 335,
    kEventBrowseButton = 336,
    kEventParamLabel = 337,
    kLimitOffRadio = 338,
    kLimitOnRadio = 339,
    kStlsNeverRadio = 340,  // 340 to 342: never, when offered, required
    kTrustedCertsEdit = 343,
    kPageSizeEdit = 344,
    kCheckTimeEdit = 345,
    kMailSecurityGroup = 346,  // 346 to 350 take the strings 9470 on
    kCheckLimitsGroup = 348,
};

struct OptionsDialogArgs {
    Options* options = nullptr;  // edited in place on OK
    // The settings file written on OK and by the defaults button; empty:
    // nothing is written.
    std::string settingsFile;
    // Where the language modules are looked for (the program's folder).
    std::string languageDir;
    // The property sheet in defaults mode; true when OK changed `defaults`.
    // Without one the defaults button is disabled.
    std::function<bool(HWND owner, ItemProperties& defaults)> editDefaults;
    // Chooses a sound (true) or a program for the event; true with a file.
    // Without one an open-file dialog asks.
    std::function<bool(HWND owner, bool sound, AStr& file)> chooseFile;
    // Start with Windows; without them the program's own entry.
    std::function<bool()> isAutostart;
    std::function<bool(bool on)> setAutostart;
};

// What the caller reacts to after OK.
struct OptionsOutcome {
    bool ok = false;
    bool languageChanged = false;
    bool outputLimitChanged = false;
};

class OptionsDialog : public DDialog {
  public:
    explicit OptionsDialog(const OptionsDialogArgs& args);

  protected:
    bool OnCommand(int id, int code, HWND control) override;
    void OnInit() override;
    void TransferToControls() override;
    void TransferFromControls() override;
    bool Validate() override;

  private:
    void ShowProxyControls();
    void ShowEventControls();
    void ShowLimitControl();
    int CheckedRadio(int first, int count) const;
    void Browse();
    void EditDefaults();

    const OptionsDialogArgs& args_;
    OptionsFields fields_;
};

// Runs the dialog on args.options; on OK the language is lower-cased and
// the options are saved to the settings file.
OptionsOutcome EditOptions(HWND owner, const OptionsDialogArgs& args);
