#pragma once
// The options dialog's fields as the controls hold them (texts, switches,
// choices) and the rules between them and the options record: numbers are
// read as unsigned values and corrected silently, the proxy and event
// controls follow their switches, the trusted certificates are one
// "host:fingerprint" pair a line.
#include <cstdint>
#include <vector>

#include "framework/AStr.h"
#include "watchlist/Options.h"

// One language module found next to the program.
struct LanguageEntry {
    AStr code;  // the three letters of the file name after "ov"
    AStr name;  // the module's name of its language (its string 9500)
};

// The language modules "ov???.dll" in a folder that carry a language name.
std::vector<LanguageEntry> FindLanguages(const char* directory);

enum : int32_t {
    kLeastOutputLimit = 40,  // a shorter change-text limit is stored as this
    kShownOutputLimit = 80,  // what the limit field shows while the limit is off
    kLeastThreads = 1,
};
// The limits of one check as the fields take them.
constexpr uint32_t kMostPageKilobytes = 2097151;   // just under 2 GB
constexpr uint32_t kMostCheckSeconds = 7 * 86400;  // a week

struct OptionsFields {
    std::vector<LanguageEntry> languages;
    int language = -1;  // the selected entry; -1: none
    bool proxyOn = false;
    AStr proxy, proxyPort, proxyUser, proxyPassword;
    bool savePassword = false;
    bool limitOn = false;  // 339 (on) or 338 (off)
    AStr limit, threads, maxNews;
    int eventType = kEventNone;  // an EventKind: the radio buttons 330 to 334
    AStr eventParam;
    int mailStls = 1;   // 0 never, 1 when offered, 2 required
    AStr trustedCerts;  // one pair a line
    AStr pageKilobytes, checkSeconds;
};

OptionsFields FieldsFromOptions(const Options& options, std::vector<LanguageEntry> languages);
// Puts the fields back, correcting what is out of range. The trusted
// certificates must have passed TrustedCertsFromLines.
void OptionsFromFields(const OptionsFields& fields, Options& options);

// A number field as an unsigned value: blanks around decimal digits; any
// other text, or a number too large, reads as 0.
uint32_t UnsignedField(const char* text);

// Which controls a choice enables.
struct EventControls {
    bool param = false;   // 335 and 337
    bool browse = false;  // 336
};
EventControls EventControlsFor(int eventType);
// The chooser behind "Browse" looks for a sound for this event type and for
// a program otherwise.
inline bool BrowsesForSound(int eventType) {
    return eventType == kEventSound;
}

// The stored pairs ("host:fingerprint" separated by ";") one a line.
AStr TrustedCertsLines(const AStr& stored);
// Typed lines back to the stored form; false when a non-empty word is not a
// pair of a host and a SHA-256 fingerprint.
bool TrustedCertsFromLines(const AStr& lines, AStr* stored);
