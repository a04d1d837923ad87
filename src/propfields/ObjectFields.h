#pragma once
// The fields of a web page and a mailbox that are not plain texts: the
// typed address, the mailbox parts of a "mailto:" address, the last check
// attempt, the colour choice and the notification event's controls.
#include <cstddef>
#include <cstdint>

#include "framework/AStr.h"
#include "watchlist/ItemProperties.h"

// A typed page address made into a URL ("http://" before a text without a
// known scheme, "file://" before a local path, backslashes before the query
// turned into slashes); blanks around it are dropped and a blank text stays
// empty, which the page refuses.
AStr TypedPageAddress(const char* typed);
// A protected object keeps its address: the field is read-only.
bool AddressLocked(const ItemProperties& p);

// The mailbox fields of the form "mailto:" user ":" password "@" server ":"
// port. The user name shows its "@"s (stored as the byte 7); the port shows
// as 110 when the address has none or an unreadable one.
struct MailboxFields {
    AStr server, port, user, password;
    bool tls = false;  // "/tls" after the port: kept, the page has no control for it
};
MailboxFields SplitMailboxFields(const char* address);
// The address again; an empty, zero, negative or unreadable port becomes 110.
AStr JoinMailboxFields(const MailboxFields& fields);

// The time the page shows as the last check attempt, 0 for none. After a
// failed attempt the scheduler moved the stored time to bring the retry
// forward; that move (the period less the retry delay of a page or a
// mailbox) is added back.
uint32_t ShownLastAttempt(uint32_t lastCheck, uint32_t period, bool lastAttemptFailed,
                          bool mailbox);
// The date, a comma and two blanks, and the time, in the given locale.
AStr LastAttemptText(uint32_t time, uint32_t locale);

// The colours the colour list offers, as COLORREFs (0x00BBGGRR).
constexpr size_t kColorChoiceCount = 16;
uint32_t ColorChoice(size_t index);
// The entry of a colour; a colour not in the list selects the first.
size_t ColorChoiceIndex(uint32_t color);

// The notification event's controls: the parameter field for a sound, a
// message or a program; the file chooser for a sound or a program.
bool EventTakesParameter(uint8_t type);
bool EventHasChooser(uint8_t type);

// What an OK of the property sheet changed: the caller stops and requests
// checks when the address or the period changed, and forgets the object's
// checks and copies when the address changed.
struct PropertyChanges {
    bool address = false;  // compared byte for byte
    bool period = false;
    bool other = false;
    bool Any() const { return address || period || other; }
};
PropertyChanges CompareProperties(const ItemProperties& before, const ItemProperties& after);
