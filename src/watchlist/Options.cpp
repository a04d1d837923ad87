#include "watchlist/Options.h"

#include <cstdlib>

#include "platform/Autostart.h"
#include "platform/Profile.h"
#include "watchlist/Scramble.h"

namespace {

const char kOptions[] = "Options";
const char kProxy[] = "Proxy";
const char kDefault[] = "Default";
const char kSearch[] = "Search";
const char kHistory[] = "HistorySearchString";
const char kAutostartName[] = "Orvex Vistomer";

void CopyList(const StrList& from, StrList& to) {
    to.Clear();
    for (StrNode* n = from.First(); n; n = n->Next()) to.Add(n->c_str());
}

bool ReadBool(const platform::ProfileFile& ini, const char* section, const char* key, bool def) {
    return ini.ReadInt(section, key, def ? 1 : 0) != 0;
}

void LoadProxy(Options& o, const platform::ProfileFile& ini) {
    o.proxyOn = ReadBool(ini, kProxy, "Use", o.proxyOn);
    o.proxy = ini.ReadText(kProxy, "Proxy", o.proxy.c_str());
    long colon = o.proxy.Find(':');
    if (colon >= 0) {
        o.proxyPort = o.proxy.SubStr(static_cast<size_t>(colon) + 1);
        o.proxy = o.proxy.SubStr(0, static_cast<size_t>(colon));
    }
    o.proxyPort = ini.ReadText(kProxy, "Port", o.proxyPort.c_str());
    o.savePassword = ReadBool(ini, kProxy, "Save Password", o.savePassword);
    o.proxyUser = ini.ReadText(kProxy, "User", o.proxyUser.c_str());
    if (o.savePassword)
        o.proxyPassword = Unscramble(
            ini.ReadText(kProxy, "Password", Scramble(o.proxyPassword.c_str()).c_str()).c_str());
    else
        o.proxyPassword.Clear();
}

void LoadDefaults(ItemProperties& d, const platform::ProfileFile& ini) {
    d.timedelta = ini.ReadNumber(kDefault, "timedelta", d.timedelta);
    d.keywords = ini.ReadText(kDefault, "keywords", d.keywords.c_str());
    d.deltype = static_cast<uint8_t>(ini.ReadInt(kDefault, "deltype", d.deltype));
    d.delparam = static_cast<int32_t>(
        ini.ReadNumber(kDefault, "delparam", static_cast<uint32_t>(d.delparam)));
    d.minchanged = static_cast<int16_t>(ini.ReadInt(kDefault, "minchanged", d.minchanged));
    d.skipchanges = static_cast<uint8_t>(ini.ReadInt(kDefault, "skipchanges", d.skipchanges));
    d.modify = static_cast<uint8_t>(ini.ReadInt(kDefault, "modify", d.modify));
    d.skipnumchars = static_cast<int16_t>(ini.ReadInt(kDefault, "skipnumchars", d.skipnumchars));
    d.skipkeywords = ini.ReadText(kDefault, "skipkeywords", d.skipkeywords.c_str());
    bool newsTape = ReadBool(ini, kDefault, "NewsTape", (d.flags & kFlagNewsTape) != 0);
    d.flags = static_cast<uint16_t>(newsTape ? d.flags | kFlagNewsTape : d.flags & ~kFlagNewsTape);
    AStr color = ini.ReadText(kDefault, "color", "");
    if (!color.IsEmpty())
        d.color = static_cast<uint32_t>(std::strtoull(color.c_str(), nullptr, 10));
    d.event.type = static_cast<uint8_t>(ini.ReadInt(kDefault, "defeventtype", d.event.type));
    d.event.param = ini.ReadText(kDefault, "defeventparam", d.event.param.c_str());
    d.name.Clear();
    d.address.Clear();
    d.lastCheck = 0;
}

}  // namespace

ItemProperties NewObjectDefaults() {
    ItemProperties d;
    d.timedelta = 21600;
    d.modify = kModeText;
    return d;
}

Options::Options() : defaults(NewObjectDefaults()) {
    event.type = kEventBlink;
}

Options::Options(const Options& other) {
    *this = other;
}

Options& Options::operator=(const Options& o) {
    if (this == &o) return *this;
    language = o.language;
    split = o.split;
    proxyOn = o.proxyOn;
    proxy = o.proxy;
    proxyPort = o.proxyPort;
    proxyUser = o.proxyUser;
    proxyPassword = o.proxyPassword;
    savePassword = o.savePassword;
    event = o.event;
    outputLimit = o.outputLimit;
    suspended = o.suspended;
    maxThreads = o.maxThreads;
    maxNews = o.maxNews;
    mailStls = o.mailStls;
    trustedCerts = o.trustedCerts;
    maxPageBytes = o.maxPageBytes;
    checkSeconds = o.checkSeconds;
    defaults = o.defaults;
    CopyList(o.searchHistory, searchHistory);
    searchMatchCase = o.searchMatchCase;
    searchWholeWord = o.searchWholeWord;
    return *this;
}

Options& ProgramOptions() {
    static Options options;
    return options;
}

std::string OptionsFilePath() {
    return platform::ProgramProfilePath();
}

void LoadOptions(Options& o, const std::string& iniPath) {
    platform::ProfileFile ini(iniPath);
    o.language = ini.ReadText(kOptions, "language", o.language.c_str());
    o.split = static_cast<int32_t>(ini.ReadInt(kOptions, "width1", o.split));
    o.suspended = ReadBool(ini, kOptions, "BanChecks", o.suspended);
    LoadProxy(o, ini);
    o.outputLimit = static_cast<int32_t>(ini.ReadInt(kOptions, "noutput", o.outputLimit));
    o.event.type = static_cast<uint8_t>(ini.ReadInt(kOptions, "eventtype", o.event.type));
    o.event.param = ini.ReadText(kOptions, "eventparam", o.event.param.c_str());
    o.maxThreads = static_cast<int32_t>(ini.ReadInt(kOptions, "maxthreads", o.maxThreads));
    o.maxNews = static_cast<int32_t>(ini.ReadInt(kOptions, "maxnews", o.maxNews));
    o.mailStls = static_cast<int32_t>(ini.ReadInt(kOptions, "MailSTLS", o.mailStls));
    if (o.mailStls < 0 || o.mailStls > 2) o.mailStls = 1;
    o.trustedCerts = ini.ReadText(kOptions, "TrustedCerts", o.trustedCerts.c_str());
    // Limits of one check (the options dialog or the file edited by hand):
    // a negative or absurd value keeps the default.
    long pageBytes = static_cast<long>(ini.ReadInt(kOptions, "maxpagesize", -1));
    if (pageBytes >= 0) o.maxPageBytes = static_cast<uint64_t>(pageBytes);
    long checkTime = static_cast<long>(ini.ReadInt(kOptions, "checktime", -1));
    if (checkTime >= 0 && checkTime <= 7 * 86400) o.checkSeconds = static_cast<uint32_t>(checkTime);
    LoadDefaults(o.defaults, ini);
    if (ini.HasKey(kHistory, "count")) {
        o.searchHistory.Clear();
        ini.ReadList(kHistory, o.searchHistory);
    }
    o.searchMatchCase = ReadBool(ini, kSearch, "bCase", o.searchMatchCase);
    o.searchWholeWord = ReadBool(ini, kSearch, "bWord", o.searchWholeWord);
}

void SaveOptions(const Options& o, const std::string& iniPath) {
    platform::ProfileFile ini(iniPath);
    ini.WriteText(kOptions, "language", o.language.c_str());
    ini.WriteSigned(kOptions, "width1", o.split);
    ini.WriteSigned(kOptions, "BanChecks", o.suspended);
    ini.WriteSigned(kProxy, "Use", o.proxyOn);
    ini.WriteText(kProxy, "Proxy", o.proxy.c_str());
    ini.WriteText(kProxy, "Port", o.proxyPort.c_str());
    ini.WriteSigned(kProxy, "Save Password", o.savePassword);
    ini.WriteText(kProxy, "User", o.proxyUser.c_str());
    ini.WriteText(kProxy, "Password",
                  o.savePassword ? Scramble(o.proxyPassword.c_str()).c_str() : "");
    ini.WriteSigned(kOptions, "noutput", o.outputLimit);
    ini.WriteSigned(kOptions, "eventtype", o.event.type);
    ini.WriteText(kOptions, "eventparam", o.event.param.c_str());
    ini.WriteSigned(kOptions, "maxthreads", o.maxThreads);
    ini.WriteSigned(kOptions, "maxnews", o.maxNews);
    ini.WriteSigned(kOptions, "MailSTLS", o.mailStls);
    ini.WriteText(kOptions, "TrustedCerts", o.trustedCerts.c_str());
    // Read back as a signed number: kept below its bound.
    ini.WriteUnsigned(
        kOptions, "maxpagesize",
        static_cast<unsigned long>(o.maxPageBytes < 0x7fffffff ? o.maxPageBytes : 0x7fffffff));
    ini.WriteUnsigned(kOptions, "checktime", o.checkSeconds);
    ini.WriteList(kHistory, o.searchHistory);
    ini.WriteSigned(kSearch, "bCase", o.searchMatchCase);
    ini.WriteSigned(kSearch, "bWord", o.searchWholeWord);
}

void SaveDefaults(const ItemProperties& d, const std::string& iniPath) {
    platform::ProfileFile ini(iniPath);
    ini.WriteUnsigned(kDefault, "timedelta", d.timedelta);
    ini.WriteText(kDefault, "keywords", d.keywords.c_str());
    ini.WriteSigned(kDefault, "deltype", d.deltype);
    ini.WriteSigned(kDefault, "delparam", d.delparam);
    ini.WriteSigned(kDefault, "minchanged", d.minchanged);
    ini.WriteSigned(kDefault, "skipchanges", d.skipchanges);
    ini.WriteSigned(kDefault, "modify", d.modify);
    ini.WriteSigned(kDefault, "skipnumchars", d.skipnumchars);
    ini.WriteText(kDefault, "skipkeywords", d.skipkeywords.c_str());
    ini.WriteSigned(kDefault, "NewsTape", (d.flags & kFlagNewsTape) ? 1 : 0);
    ini.WriteUnsigned(kDefault, "color", d.color);
    ini.WriteSigned(kDefault, "defeventtype", d.event.type);
    ini.WriteText(kDefault, "defeventparam", d.event.param.c_str());
}

void LoadOptions() {
    LoadOptions(ProgramOptions(), OptionsFilePath());
}
void SaveOptions() {
    SaveOptions(ProgramOptions(), OptionsFilePath());
}
void SaveDefaults() {
    SaveDefaults(ProgramOptions().defaults, OptionsFilePath());
}

bool IsAutostart() {
    return platform::IsAutostart(kAutostartName);
}

bool SetAutostart(bool on) {
    return platform::SetAutostart(kAutostartName, platform::ExecutablePath().c_str(), on);
}
