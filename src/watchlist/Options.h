#pragma once
// The program-wide options: one record for the process, loaded once at start
// from the settings file and written back when the user changes them.
#include <cstdint>
#include <string>

#include "framework/AStr.h"
#include "framework/StrList.h"
#include "watchlist/ItemProperties.h"

struct Options {
    Options();
    Options(const Options& other);
    Options& operator=(const Options& other);

    AStr language = "enu";  // interface language code
    int32_t split = 33;     // item pane width, percent of the window
    bool proxyOn = false;
    AStr proxy;      // host
    AStr proxyPort;  // port as text
    AStr proxyUser;
    AStr proxyPassword;  // stored scrambled, only when savePassword
    bool savePassword = false;
    ItemEvent event;          // used by objects whose event type is 255
    int32_t outputLimit = 0;  // change-text length limit of the result pane; 0 = none
    bool suspended = false;   // every check suspended ("BanChecks")
    int32_t maxThreads = 3;   // most downloads at once
    int32_t maxNews = 0;      // most changes in one check; 0 = no limit
    int32_t mailStls = 1;     // STLS for mailboxes: 0 never, 1 when offered, 2 required
    AStr trustedCerts;        // "host:fingerprint" pairs of accepted server certificates
    // Limits of one check ("maxpagesize" bytes, "checktime" seconds; 0 = none).
    uint64_t maxPageBytes = 32u << 20;
    uint32_t checkSeconds = 300;
    ItemProperties defaults;  // given to every new page or mailbox
    StrList searchHistory;
    bool searchMatchCase = false;
    bool searchWholeWord = false;
};

// The built-in defaults for new objects.
ItemProperties NewObjectDefaults();

// The process-wide record.
Options& ProgramOptions();
// The settings file of the running program (see platform::ProgramProfilePath).
std::string OptionsFilePath();

// Reads every key into the record; a missing file or key keeps what the
// record holds (its built-in defaults before the first load).
void LoadOptions(Options& options, const std::string& iniPath);
// Writes the sections "Options", "Proxy", "HistorySearchString" and "Search".
void SaveOptions(const Options& options, const std::string& iniPath);
// Writes the section "Default".
void SaveDefaults(const ItemProperties& defaults, const std::string& iniPath);

// The same on the process-wide record and the program's settings file.
void LoadOptions();
void SaveOptions();
void SaveDefaults();

// The start-with-logon entry "Orvex Vistomer" naming this program's
// executable (on Windows the Run value of the current user; elsewhere an XDG
// autostart desktop entry).
bool IsAutostart();
bool SetAutostart(bool on);
