#include "pop3/MailboxRecords.h"

#include <cstring>

#include "platform/Clock.h"
#include "platform/LocaleDates.h"
#include "pop3/MailDate.h"
#include "stream/BinIo.h"

AStr MailDateText(const char* rawDate, uint32_t locale) {
    MailTime utc;
    // Local time is known for the moments the system's clock can hold.
    if (!ParseMailDate(rawDate, &utc) || utc < 0 || utc > 0xFFFFFFFFLL) return AStr(rawDate);
    platform::LocalTime local = platform::ToLocalTime(static_cast<uint32_t>(utc));
    AStr text = platform::FormatLocaleDate(locale, local);
    text += ",  ";
    text += platform::FormatLocaleTime(locale, local, true);
    return text;
}

AStr MailDisplayText(const EMail& mail, uint32_t locale) {
    AStr text = mail.from;
    if (!mail.from.IsEmpty()) text += '\n';
    text += mail.subject;
    if (!mail.subject.IsEmpty()) text += '\n';
    text += MailDateText(mail.date.c_str(), locale);
    return text;
}

AStr MailSender(const EMail& mail) {
    const bool pathHasAt = strchr(mail.returnPath.c_str(), '@') != nullptr;
    const bool fromHasAt = strchr(mail.from.c_str(), '@') != nullptr;
    const AStr& chosen =
        mail.returnPath.IsEmpty() || (!pathHasAt && fromHasAt) ? mail.from : mail.returnPath;
    const char* text = chosen.c_str();
    const char* open = strchr(text, '<');
    const char* close = open ? strchr(open + 1, '>') : nullptr;
    if (!close) return chosen;
    return AStr(open + 1, static_cast<size_t>(close - open - 1));
}

int WriteMailboxRecords(owstream& out, const EMailList& messages, uint32_t locale) {
    for (EMail* mail = messages.First(); mail; mail = mail->Next()) {
        WriteString(out, MailDisplayText(*mail, locale));
        WriteString(out, MailSender(*mail));
        WriteString(out, mail->uniqueId);
    }
    return out.IsError() ? -1 : 0;
}

void ReadKnownIds(iwstream& in, StrList& ids) {
    AStr display, sender, id;
    while (!in.IsError()) {
        if (ReadString(in, display) || ReadString(in, sender) || ReadString(in, id)) break;
        ids.Add(id.c_str());
    }
}
