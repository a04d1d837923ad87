#include "propfields/ObjectFields.h"

#include "http/UrlUtils.h"
#include "platform/Clock.h"
#include "platform/LocaleDates.h"
#include "pop3/MailboxUrl.h"
#include "propfields/TypedNumbers.h"

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | g << 8 | b << 16;
}

const uint32_t kColorChoices[kColorChoiceCount] = {
    Rgb(0, 0, 0),       Rgb(0, 0, 128),   Rgb(0, 128, 0),   Rgb(0, 128, 128),
    Rgb(128, 0, 0),     Rgb(128, 0, 128), Rgb(128, 128, 0), Rgb(128, 128, 128),
    Rgb(192, 192, 192), Rgb(0, 0, 255),   Rgb(0, 255, 0),   Rgb(0, 255, 255),
    Rgb(255, 0, 0),     Rgb(255, 0, 255), Rgb(255, 255, 0), Rgb(255, 255, 255),
};

}  // namespace

AStr TypedPageAddress(const char* typed) {
    AStr text(typed);
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '\t') ++begin;
    size_t length = AStr(begin).Length();
    while (length && (begin[length - 1] == ' ' || begin[length - 1] == '\t')) --length;
    if (!length) return AStr();
    AStr trimmed;
    trimmed.Assign(begin, length);
    return NormalizeUrl(trimmed.c_str(), true);
}

bool AddressLocked(const ItemProperties& p) {
    return (p.flags & kFlagProtected) != 0;
}

MailboxFields SplitMailboxFields(const char* address) {
    MailboxFields fields;
    MailboxAddress parts;
    CrackMailboxUrl(address, &parts);
    fields.server = parts.host;
    fields.port = AStr::Format("%u", parts.port ? parts.port : 110u);
    fields.user = parts.user;
    fields.password = parts.password;
    fields.tls = parts.tls;
    return fields;
}

AStr JoinMailboxFields(const MailboxFields& fields) {
    int32_t port = 0;
    if (!ReadSignedField(fields.port.c_str(), &port)) port = 0;
    return MakeMailboxUrl(fields.server.c_str(), port, fields.user.c_str(), fields.password.c_str(),
                          fields.tls);
}

uint32_t ShownLastAttempt(uint32_t lastCheck, uint32_t period, bool lastAttemptFailed,
                          bool mailbox) {
    if (!lastCheck) return 0;
    const uint32_t retry = RetryDelay(period, mailbox);
    if (lastAttemptFailed && period > retry) return lastCheck + (period - retry);
    return lastCheck;
}

AStr LastAttemptText(uint32_t time, uint32_t locale) {
    platform::LocalTime t = platform::ToLocalTime(time);
    AStr text = platform::FormatLocaleDate(locale, t);
    text += ",  ";
    text += platform::FormatLocaleTime(locale, t, false);
    return text;
}

uint32_t ColorChoice(size_t index) {
    return index < kColorChoiceCount ? kColorChoices[index] : kColorChoices[0];
}

size_t ColorChoiceIndex(uint32_t color) {
    for (size_t i = 0; i < kColorChoiceCount; ++i)
        if (kColorChoices[i] == color) return i;
    return 0;
}

bool EventTakesParameter(uint8_t type) {
    return type >= kEventSound && type <= kEventRunProgram;
}

bool EventHasChooser(uint8_t type) {
    return type == kEventSound || type == kEventRunProgram;
}

PropertyChanges CompareProperties(const ItemProperties& a, const ItemProperties& b) {
    PropertyChanges c;
    c.address = a.address != b.address;
    c.period = a.timedelta != b.timedelta;
    c.other = a.name != b.name || a.lastCheck != b.lastCheck || a.modify != b.modify ||
              a.keywords != b.keywords || a.deltype != b.deltype || a.delparam != b.delparam ||
              a.minchanged != b.minchanged || a.skipchanges != b.skipchanges ||
              a.skipnumchars != b.skipnumchars || a.skipkeywords != b.skipkeywords ||
              a.event.type != b.event.type || a.event.param != b.event.param ||
              a.color != b.color || a.flags != b.flags;
    return c;
}
