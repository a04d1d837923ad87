// The first page of a mailbox's sheet: the parts of its "mailto:" address
// as fields, and the security its connection had at the last check.
#include "lang/PropertyIds.h"
#include "platform/Lang.h"
#include "pop3/Pop3Check.h"
#include "propfields/ObjectFields.h"
#include "ui/ItemPropPages.h"

namespace {

unsigned SecurityText(uint8_t security) {
    switch (security) {
        case kMailPlain:
            return TEXT_MAIL_SECURITY_PLAIN;
        case kMailStls:
            return TEXT_MAIL_SECURITY_STLS;
        case kMailTls:
            return TEXT_MAIL_SECURITY_TLS;
        default:
            return TEXT_MAIL_SECURITY_UNKNOWN;
    }
}

}  // namespace

MailPropDialog::MailPropDialog(ItemProperties& record, const ItemPageContext& context)
    : ObjectPage(DLG_MAILBOX, record, context) {}

void MailPropDialog::OnInit() {
    for (int id : {IDC_OBJECT_NAME, IDC_MAIL_SERVER, IDC_MAIL_USER, IDC_MAIL_PASSWORD})
        SendMessageW(Item(id), EM_LIMITTEXT, 1000, 0);
    SendMessageW(Item(IDC_MAIL_PORT), EM_LIMITTEXT, 11, 0);
}

void MailPropDialog::TransferToControls() {
    SetItemText(IDC_OBJECT_NAME, record_.name);
    FillPeriod(IDC_MAIL_DAYS, IDC_MAIL_HOURS, IDC_MAIL_MINUTES);
    ShowLastAttempt(IDC_MAIL_LAST_ATTEMPT, IDC_MAIL_LAST_ATTEMPT_LABEL, true);
    MailboxFields fields = SplitMailboxFields(record_.address.c_str());
    SetItemText(IDC_MAIL_SERVER, fields.server);
    SetItemText(IDC_MAIL_PORT, fields.port);
    SetItemText(IDC_MAIL_USER, fields.user);
    SetItemText(IDC_MAIL_PASSWORD, fields.password);
    SetItemText(IDC_MAIL_SECURITY, LoadText(SecurityText(context_.mailSecurity)));
    FillColors(IDC_MAIL_COLOR);
}

bool MailPropDialog::Validate() {
    uint32_t seconds = 0;
    return ReadPeriod(IDC_MAIL_DAYS, IDC_MAIL_HOURS, IDC_MAIL_MINUTES, &seconds);
}

void MailPropDialog::TransferFromControls() {
    record_.name = ItemText(IDC_OBJECT_NAME);
    uint32_t seconds = 0;
    if (ReadPeriod(IDC_MAIL_DAYS, IDC_MAIL_HOURS, IDC_MAIL_MINUTES, &seconds))
        record_.timedelta = seconds;
    MailboxFields fields = SplitMailboxFields(record_.address.c_str());  // keeps "/tls"
    fields.server = ItemText(IDC_MAIL_SERVER);
    fields.port = ItemText(IDC_MAIL_PORT);
    fields.user = ItemText(IDC_MAIL_USER);
    fields.password = ItemText(IDC_MAIL_PASSWORD);
    record_.address = JoinMailboxFields(fields);
    ReadColor();
}
