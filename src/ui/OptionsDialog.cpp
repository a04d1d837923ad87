#include "ui/OptionsDialog.h"

#include <string>

#include "lang/CommandIds.h"
#include "platform/Lang.h"
#include "shell/gui/DText.h"
#include "ui/EventParamChooser.h"
#include "watchlist/EventRules.h"

namespace {

const unsigned kFirstAddedText = 9470;  // the texts of 346 to 350 and 340 to 342

}  // namespace

OptionsDialog::OptionsDialog(const OptionsDialogArgs& args)
    : DDialog(DDialogArgs::FromTemplate(DLG_OPTIONS)), args_(args) {}

void OptionsDialog::OnInit() {
    // The texts of the mail security and the check limits.
    const int added[] = {kMailSecurityGroup,
                         kStlsNeverRadio,
                         kStlsNeverRadio + 1,
                         kStlsNeverRadio + 2,
                         347,
                         kCheckLimitsGroup,
                         349,
                         350};
    for (unsigned i = 0; i < sizeof added / sizeof added[0]; ++i)
        SetItemText(added[i], LoadText(kFirstAddedText + i));
    fields_ = FieldsFromOptions(*args_.options, FindLanguages(args_.languageDir.c_str()));
    EnableItem(kDefaultsButton, static_cast<bool>(args_.editDefaults));
}

void OptionsDialog::TransferToControls() {
    HWND list = Item(kLanguageList);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const LanguageEntry& entry : fields_.languages)
        SendMessageW(list, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WideText(entry.name.c_str()).c_str()));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(fields_.language), 0);

    SetChecked(kProxyBox, fields_.proxyOn);
    SetItemText(kProxyHostEdit, fields_.proxy);
    SetItemText(kProxyPortEdit, fields_.proxyPort);
    SetItemText(kProxyUserEdit, fields_.proxyUser);
    SetItemText(kProxyPasswordEdit, fields_.proxyPassword);
    SetChecked(kSavePasswordBox, fields_.savePassword);

    CheckRadioButton(Handle(), kLimitOffRadio, kLimitOnRadio,
                     fields_.limitOn ? kLimitOnRadio : kLimitOffRadio);
    SetItemText(kOutputLimitEdit, fields_.limit);
    SetItemText(kThreadsEdit, fields_.threads);
    SetItemText(kMaxNewsEdit, fields_.maxNews);

    CheckRadioButton(Handle(), kEventNothingRadio, kEventNothingRadio + kEventRunProgram,
                     kEventNothingRadio + fields_.eventType);
    SetItemText(kEventParamEdit, fields_.eventParam);

    CheckRadioButton(Handle(), kStlsNeverRadio, kStlsNeverRadio + 2,
                     kStlsNeverRadio + fields_.mailStls);
    SetItemText(kTrustedCertsEdit, fields_.trustedCerts);
    SetItemText(kPageSizeEdit, fields_.pageKilobytes);
    SetItemText(kCheckTimeEdit, fields_.checkSeconds);

    SetChecked(kAutostartBox, args_.isAutostart ? args_.isAutostart() : ::IsAutostart());
    ShowProxyControls();
    ShowEventControls();
    ShowLimitControl();
}

bool OptionsDialog::Validate() {
    AStr stored;
    if (!TrustedCertsFromLines(ItemText(kTrustedCertsEdit), &stored))
        return RefuseField(kTrustedCertsEdit);
    return true;
}

void OptionsDialog::TransferFromControls() {
    fields_.language = static_cast<int>(SendMessageW(Item(kLanguageList), CB_GETCURSEL, 0, 0));
    fields_.proxyOn = IsChecked(kProxyBox);
    fields_.proxy = ItemText(kProxyHostEdit);
    fields_.proxyPort = ItemText(kProxyPortEdit);
    fields_.proxyUser = ItemText(kProxyUserEdit);
    fields_.proxyPassword = ItemText(kProxyPasswordEdit);
    fields_.savePassword = IsChecked(kSavePasswordBox);
    fields_.limitOn = IsChecked(kLimitOnRadio);
    fields_.limit = ItemText(kOutputLimitEdit);
    fields_.threads = ItemText(kThreadsEdit);
    fields_.maxNews = ItemText(kMaxNewsEdit);
    fields_.eventType = CheckedRadio(kEventNothingRadio, kEventKinds);
    fields_.eventParam = ItemText(kEventParamEdit);
    fields_.mailStls = CheckedRadio(kStlsNeverRadio, 3);
    fields_.trustedCerts = ItemText(kTrustedCertsEdit);
    fields_.pageKilobytes = ItemText(kPageSizeEdit);
    fields_.checkSeconds = ItemText(kCheckTimeEdit);
    OptionsFromFields(fields_, *args_.options);
    bool autostart = IsChecked(kAutostartBox);
    if (args_.setAutostart)
        args_.setAutostart(autostart);
    else
        ::SetAutostart(autostart);
}

bool OptionsDialog::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED) {
        if (id == kProxyBox) {
            ShowProxyControls();
            return true;
        }
        if (id >= kEventNothingRadio && id <= kEventNothingRadio + kEventRunProgram) {
            ShowEventControls();
            return true;
        }
        if (id == kLimitOffRadio || id == kLimitOnRadio) {
            ShowLimitControl();
            return true;
        }
        if (id == kEventBrowseButton) {
            Browse();
            return true;
        }
        if (id == kDefaultsButton) {
            EditDefaults();
            return true;
        }
    }
    return DDialog::OnCommand(id, code, control);
}

void OptionsDialog::ShowProxyControls() {
    bool on = IsChecked(kProxyBox);
    for (int id = kProxyFirst; id <= kProxyLast; ++id) EnableItem(id, on);
}

void OptionsDialog::ShowEventControls() {
    EventControls enabled = EventControlsFor(CheckedRadio(kEventNothingRadio, kEventKinds));
    EnableItem(kEventParamEdit, enabled.param);
    EnableItem(kEventParamLabel, enabled.param);
    EnableItem(kEventBrowseButton, enabled.browse);
}

void OptionsDialog::ShowLimitControl() {
    EnableItem(kOutputLimitEdit, IsChecked(kLimitOnRadio));
}

int OptionsDialog::CheckedRadio(int first, int count) const {
    for (int i = 0; i < count; ++i)
        if (IsChecked(first + i)) return i;
    return 0;
}

void OptionsDialog::Browse() {
    AStr file = ItemText(kEventParamEdit);
    bool sound = BrowsesForSound(CheckedRadio(kEventNothingRadio, kEventKinds));
    const uint8_t kind = sound ? uint8_t{kEventSound} : uint8_t{kEventRunProgram};
    if (args_.chooseFile ? args_.chooseFile(Handle(), sound, file)
                         : ChooseEventParameter(Handle(), kind, &file))
        SetItemText(kEventParamEdit, file);
}

// The defaults are saved at once, whatever the dialog ends with.
void OptionsDialog::EditDefaults() {
    ItemProperties defaults = args_.options->defaults;
    if (!args_.editDefaults(Handle(), defaults)) return;
    args_.options->defaults = defaults;
    if (!args_.settingsFile.empty()) SaveDefaults(defaults, args_.settingsFile);
}

OptionsOutcome EditOptions(HWND owner, const OptionsDialogArgs& args) {
    OptionsOutcome outcome;
    AStr language = args.options->language;
    int32_t outputLimit = args.options->outputLimit;
    OptionsDialog dialog(args);
    if (dialog.RunModal(owner) != IDOK) return outcome;
    args.options->language.MakeLower();
    if (!args.settingsFile.empty()) SaveOptions(*args.options, args.settingsFile);
    outcome.ok = true;
    outcome.languageChanged = args.options->language.CompareNoCase(language.c_str()) != 0;
    outcome.outputLimitChanged = args.options->outputLimit != outputLimit;
    return outcome;
}
