#pragma once
// The user-set properties of one watched object. The same record holds the
// program-wide defaults for new objects (Options).
#include <cstdint>

#include "framework/AStr.h"

// The notification event: a kind and its parameter (a file or a program).
// What a change of an object sets off: the kinds of notification event, as
// the watch list file, the settings file and the dialogs' radio buttons
// number them.
enum EventKind : uint8_t {
    kEventNone = 0,
    kEventBlink = 1,
    kEventSound = 2,
    kEventMessage = 3,
    kEventRunProgram = 4,  // the last kind
};
constexpr int kEventKinds = kEventRunProgram + 1;

struct ItemEvent {
    enum : uint8_t { kProgramWide = 255 };  // the program-wide event applies
    uint8_t type = kProgramWide;            // an EventKind or kProgramWide
    AStr param;
};

// Object flags.
enum : uint16_t {
    kFlagProtected = 1,  // cannot be deleted
    kFlagNewsTape = 2,   // changes go to the news tape (for a folder: gathered below it)
    kFlagTextLog = 4,    // changes are appended to the daily text log
    kFlagTables = 8,     // table preparation in the text comparison
};

// Comparison modes.
enum : uint8_t { kModeNone = 0, kModeText = 1, kModeLinks = 2 };
// Rules for discarding old checks.
enum : uint8_t { kKeepAll = 0, kDeleteByAge = 1, kDeleteByCount = 2 };

struct ItemProperties {
    AStr name;               // may be empty: the display name falls back
    AStr address;            // URL, "mailto:" address, or empty for a folder
    uint32_t timedelta = 0;  // check period in seconds; 0 = not automatic
    uint32_t lastCheck = 0;  // seconds since 1970 UTC of the last attempt
    uint8_t modify = kModeNone;
    AStr keywords;  // a change must match to count
    uint8_t deltype = kDeleteByCount;
    int32_t delparam = 10;      // seconds (by age) or checks (by count)
    int16_t minchanged = -1;    // least accepted changes; negative = none
    uint8_t skipchanges = 0;    // ignore empty changes; bit 0: also those without letters
    int16_t skipnumchars = -1;  // ignore shorter changes; negative = off
    AStr skipkeywords;          // a change that matches is ignored
    ItemEvent event;
    uint32_t color = 0x00FFFF00;  // COLORREF of the report page's highlight
    uint16_t flags = kFlagNewsTape | kFlagTables;
};

// A failed check brings its object due again this long after the attempt:
// ten minutes for a page, a twelfth of the period (at least ten minutes)
// for a mailbox. The scheduler moves the stored check time back to do it.
constexpr uint32_t kRetrySeconds = 600;
constexpr uint32_t RetryDelay(uint32_t period, bool mailbox) {
    return mailbox && period / 12 > kRetrySeconds ? period / 12 : kRetrySeconds;
}
