// options: the program options of the settings file, shown and changed by
// SECTION.KEY as the settings file names them.
#include <cstring>
#include <functional>
#include <ostream>

#include "cli/CliError.h"
#include "cli/CliText.h"
#include "cli/Commands.h"
#include "framework/Cp1251.h"
#include "socket/TlsTrust.h"

namespace {

struct OptionKey {
    const char* name;  // "Section.key"
    std::function<std::string(const Options&)> get;
    std::function<void(Options&, const std::string&)> set;
};

// The STLS modes by the words the user reads and types (digits as stored).
const char* const kStlsModes[] = {"never", "offered", "required"};

const char* StlsModeName(int32_t mode) {
    return mode >= 0 && mode <= 2 ? kStlsModes[mode] : "offered";
}

int32_t ParseStlsMode(const std::string& v) {
    for (int32_t i = 0; i < 3; ++i)
        if (v == kStlsModes[i] || v == std::to_string(i)) return i;
    Fail(kExitBadInput, "Options.MailSTLS takes never, offered or required");
}

// Accepted certificates as "host:fingerprint" pairs; every word must be one.
AStr TrustedCertsFrom(const std::string& v) {
    std::vector<TlsPin> pins = ParseTlsPins(v.c_str());
    size_t words = 0;
    for (size_t i = 0; i < v.size();) {
        size_t n = strcspn(v.c_str() + i, ";, \t\r\n");
        if (n) ++words;
        i += n ? n : 1;
    }
    if (pins.size() != words)
        Fail(kExitBadInput,
             "Options.TrustedCerts takes host:fingerprint pairs (64 hex digits of SHA-256)");
    std::string joined;
    for (const TlsPin& p : pins)
        joined += (joined.empty() ? "" : ";") + p.host + ":" + p.fingerprint;
    return AStr(joined.c_str());
}

OptionKey Text(const char* name, AStr Options::*field) {
    return {name, [field](const Options& o) { return Shown(o.*field); },
            [field](Options& o, const std::string& v) { o.*field = Typed(v); }};
}

template <class T>
OptionKey Number(const char* name, T Options::*field, long long low, long long high) {
    return {name, [field](const Options& o) { return std::to_string(o.*field); },
            [field, name, low, high](Options& o, const std::string& v) {
                o.*field = static_cast<T>(ParseInteger(name, v, low, high));
            }};
}

OptionKey Flag(const char* name, bool Options::*field) {
    return {name, [field](const Options& o) { return std::string(o.*field ? "1" : "0"); },
            [field, name](Options& o, const std::string& v) {
                o.*field = ParseInteger(name, v, 0, 1) != 0;
            }};
}

template <class T>
OptionKey Default(const char* name, T ItemProperties::*field, long long low, long long high) {
    return {name, [field](const Options& o) { return std::to_string(o.defaults.*field); },
            [field, name, low, high](Options& o, const std::string& v) {
                o.defaults.*field = static_cast<T>(ParseInteger(name, v, low, high));
            }};
}

OptionKey DefaultText(const char* name, AStr ItemProperties::*field) {
    return {name, [field](const Options& o) { return Shown(o.defaults.*field); },
            [field](Options& o, const std::string& v) { o.defaults.*field = Typed(v); }};
}

// A host, or host:port as the settings file allows (the port then goes to
// Proxy.Port); an address with a scheme or a path is refused.
void SetProxyHost(Options& o, const std::string& v) {
    if (v.find("://") != std::string::npos || v.find('/') != std::string::npos ||
        v.find('@') != std::string::npos)
        Fail(kExitBadInput,
             "Proxy.Proxy takes a host name or host:port, as in Proxy.Proxy=proxy.example.org:3128 "
             "(without http:// and without a path)");
    const size_t colon = v.find(':');
    if (colon == std::string::npos) {
        o.proxy = Typed(v);
        return;
    }
    const std::string port = v.substr(colon + 1);
    ParseInteger("the port of Proxy.Proxy", port, 1, 65535);
    o.proxy = Typed(v.substr(0, colon));
    o.proxyPort = Typed(port);
}

const std::vector<OptionKey>& Keys() {
    static const std::vector<OptionKey> keys = {
        Text("Options.language", &Options::language),
        Number("Options.width1", &Options::split, 0, 100),
        Flag("Options.BanChecks", &Options::suspended),
        Number("Options.noutput", &Options::outputLimit, 0, 0x7FFFFFFF),
        {"Options.eventtype", [](const Options& o) { return std::to_string(o.event.type); },
         [](Options& o, const std::string& v) {
             o.event.type = static_cast<uint8_t>(ParseInteger("Options.eventtype", v, 0, 255));
         }},
        {"Options.eventparam", [](const Options& o) { return Shown(o.event.param); },
         [](Options& o, const std::string& v) { o.event.param = Typed(v); }},
        Number("Options.maxthreads", &Options::maxThreads, 0, 64),
        Number("Options.maxnews", &Options::maxNews, 0, 0x7FFFFFFF),
        {"Options.MailSTLS", [](const Options& o) { return std::string(StlsModeName(o.mailStls)); },
         [](Options& o, const std::string& v) { o.mailStls = ParseStlsMode(v); }},
        {"Options.TrustedCerts", [](const Options& o) { return Shown(o.trustedCerts); },
         [](Options& o, const std::string& v) { o.trustedCerts = TrustedCertsFrom(v); }},
        Number("Options.maxpagesize", &Options::maxPageBytes, 0, 0x7FFFFFFF),
        Number("Options.checktime", &Options::checkSeconds, 0, 7 * 86400),
        Flag("Proxy.Use", &Options::proxyOn),
        {"Proxy.Proxy", [](const Options& o) { return Shown(o.proxy); }, SetProxyHost},
        Text("Proxy.Port", &Options::proxyPort),
        Text("Proxy.User", &Options::proxyUser),
        {"Proxy.Password",
         [](const Options& o) { return std::string(o.proxyPassword.IsEmpty() ? "" : "***"); },
         [](Options& o, const std::string& v) { o.proxyPassword = Typed(v); }},
        Flag("Proxy.Save Password", &Options::savePassword),
        Flag("Search.bCase", &Options::searchMatchCase),
        Flag("Search.bWord", &Options::searchWholeWord),
        Default("Default.timedelta", &ItemProperties::timedelta, 0, 0xFFFFFFFFll),
        DefaultText("Default.keywords", &ItemProperties::keywords),
        Default("Default.deltype", &ItemProperties::deltype, 0, 2),
        Default("Default.delparam", &ItemProperties::delparam, 0, 0x7FFFFFFF),
        Default("Default.minchanged", &ItemProperties::minchanged, -1, 32767),
        Default("Default.skipchanges", &ItemProperties::skipchanges, 0, 255),
        Default("Default.modify", &ItemProperties::modify, 0, 2),
        Default("Default.skipnumchars", &ItemProperties::skipnumchars, -1, 32767),
        DefaultText("Default.skipkeywords", &ItemProperties::skipkeywords),
        {"Default.NewsTape",
         [](const Options& o) { return std::string(o.defaults.flags & kFlagNewsTape ? "1" : "0"); },
         [](Options& o, const std::string& v) {
             bool on = ParseInteger("Default.NewsTape", v, 0, 1) != 0;
             o.defaults.flags = static_cast<uint16_t>(on ? o.defaults.flags | kFlagNewsTape
                                                         : o.defaults.flags & ~kFlagNewsTape);
         }},
        Default("Default.color", &ItemProperties::color, 0, 0xFFFFFF),
        {"Default.defeventtype",
         [](const Options& o) { return std::to_string(o.defaults.event.type); },
         [](Options& o, const std::string& v) {
             o.defaults.event.type =
                 static_cast<uint8_t>(ParseInteger("Default.defeventtype", v, 0, 255));
         }},
        {"Default.defeventparam", [](const Options& o) { return Shown(o.defaults.event.param); },
         [](Options& o, const std::string& v) { o.defaults.event.param = Typed(v); }},
    };
    return keys;
}

const OptionKey& FindKey(const std::string& name) {
    for (const OptionKey& k : Keys())
        if (cp1251::CompareNoCase(k.name, name.c_str()) == 0) return k;
    Fail(kExitBadInput, "no option " + name + " (ovisto-cli options lists them)");
}

void PrintOptions(std::ostream& out, const Json& doc) {
    for (auto it = doc.begin(); it != doc.end(); ++it)
        out << it.key() << "=" << it.value().get<std::string>() << "\n";
}

}  // namespace

int OptionsCommand(CliContext& c, const Arguments& a) {
    // Resolve every word first: a bad one changes nothing.
    std::vector<std::pair<const OptionKey*, const std::string*>> shown, changed;
    std::vector<std::string> values;
    values.reserve(a.Positional().size());
    for (const std::string& word : a.Positional()) {
        size_t eq = word.find('=');
        const OptionKey& key = FindKey(word.substr(0, eq));
        if (eq == std::string::npos) {
            shown.emplace_back(&key, nullptr);
        } else {
            values.push_back(word.substr(eq + 1));
            changed.emplace_back(&key, &values.back());
        }
    }
    Workspace space(c.dir);
    if (!changed.empty()) space.Lock();
    Options& options = space.LoadedOptions();
    bool passwordGiven = false;
    for (auto& change : changed) {
        change.first->set(options, *change.second);
        passwordGiven =
            passwordGiven || cp1251::CompareNoCase(change.first->name, "Proxy.Password") == 0;
    }
    // Each command is a run of its own: a password that is not saved would
    // be gone before any check could use it.
    if (passwordGiven && !options.savePassword && !options.proxyPassword.IsEmpty())
        Fail(kExitBadInput,
             "Proxy.Password is kept only while \"Proxy.Save Password\" is 1; give "
             "\"Proxy.Save Password=1\" in the same command to save it");
    if (!changed.empty()) {
        SaveOptions(options, space.SettingsPath());
        SaveDefaults(options.defaults, space.SettingsPath());
    }
    Json doc = Json::object();
    if (shown.empty() && changed.empty())
        for (const OptionKey& k : Keys()) doc[k.name] = k.get(options);
    for (auto& s : shown) doc[s.first->name] = s.first->get(options);
    for (auto& s : changed) doc[s.first->name] = s.first->get(options);
    c.Print(doc, PrintOptions);
    return kExitOk;
}
