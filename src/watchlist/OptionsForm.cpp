#include "watchlist/OptionsForm.h"

#include <cstring>
#include <string>

#include "framework/Cp1251.h"
#include "platform/Lang.h"
#include "socket/TlsTrust.h"

namespace {

const unsigned kLanguageNameText = 9500;
const char kPairSeparators[] = ";, \t\r\n";

AStr Decimal(uint64_t value) {
    return AStr(std::to_string(value).c_str());
}

int32_t AtLeast(uint32_t value, int32_t least) {
    int32_t v = value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
    return v < least ? least : v;
}

int LanguageIndex(const std::vector<LanguageEntry>& languages, const AStr& code) {
    for (size_t i = 0; i < languages.size(); ++i)
        if (languages[i].code.CompareNoCase(code.c_str()) == 0) return static_cast<int>(i);
    return languages.empty() ? -1 : 0;
}

}  // namespace

std::vector<LanguageEntry> FindLanguages(const char* directory) {
    std::vector<LanguageEntry> found;
    for (EnumLangFiles files(directory, "ov???.dll", kLanguageNameText); files.IsValid();
         files.Next())
        found.push_back({AStr(files.Name().c_str() + 2, 3), files.LanguageName()});
    return found;
}

uint32_t UnsignedField(const char* text) {
    const char* p = text ? text : "";
    while (*p == ' ' || *p == '\t') ++p;
    uint64_t value = 0;
    const char* digits = p;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + static_cast<uint64_t>(*p - '0');
        if (value > UINT32_MAX) return 0;
    }
    if (p == digits) return 0;
    while (*p == ' ' || *p == '\t') ++p;
    return *p ? 0 : static_cast<uint32_t>(value);
}

OptionsFields FieldsFromOptions(const Options& o, std::vector<LanguageEntry> languages) {
    OptionsFields f;
    f.languages = std::move(languages);
    f.language = LanguageIndex(f.languages, o.language);
    f.proxyOn = o.proxyOn;
    f.proxy = o.proxy;
    f.proxyPort = o.proxyPort;
    f.proxyUser = o.proxyUser;
    f.proxyPassword = o.proxyPassword;
    f.savePassword = o.savePassword;
    f.limitOn = o.outputLimit != 0;
    f.limit = Decimal(o.outputLimit != 0 ? static_cast<uint32_t>(o.outputLimit)
                                         : static_cast<uint32_t>(kShownOutputLimit));
    f.threads = Decimal(static_cast<uint32_t>(o.maxThreads));
    if (o.maxNews != 0) f.maxNews = Decimal(static_cast<uint32_t>(o.maxNews));
    f.eventType = o.event.type >= kEventBlink && o.event.type <= kEventRunProgram ? o.event.type
                                                                                  : int{kEventNone};
    f.eventParam = o.event.param;
    f.mailStls = o.mailStls >= 0 && o.mailStls <= 2 ? o.mailStls : 1;
    f.trustedCerts = TrustedCertsLines(o.trustedCerts);
    f.pageKilobytes = Decimal((o.maxPageBytes + 1023) / 1024);
    f.checkSeconds = Decimal(o.checkSeconds);
    return f;
}

void OptionsFromFields(const OptionsFields& f, Options& o) {
    bool chosen = f.language >= 0 && static_cast<size_t>(f.language) < f.languages.size();
    o.language = chosen ? f.languages[static_cast<size_t>(f.language)].code : AStr();
    o.proxyOn = f.proxyOn;
    o.proxy = f.proxy;
    o.proxyPort = f.proxyPort;
    o.proxyUser = f.proxyUser;
    o.proxyPassword = f.proxyPassword;
    o.savePassword = f.savePassword;
    o.outputLimit = f.limitOn ? AtLeast(UnsignedField(f.limit.c_str()), kLeastOutputLimit) : 0;
    o.maxThreads = AtLeast(UnsignedField(f.threads.c_str()), kLeastThreads);
    o.maxNews = AtLeast(UnsignedField(f.maxNews.c_str()), 0);
    o.event.type = static_cast<uint8_t>(
        f.eventType >= kEventNone && f.eventType <= kEventRunProgram ? f.eventType : kEventNone);
    o.event.param = f.eventParam;
    o.mailStls = f.mailStls >= 0 && f.mailStls <= 2 ? f.mailStls : 1;
    TrustedCertsFromLines(f.trustedCerts, &o.trustedCerts);
    uint32_t kilobytes = UnsignedField(f.pageKilobytes.c_str());
    o.maxPageBytes =
        uint64_t{kilobytes < kMostPageKilobytes ? kilobytes : kMostPageKilobytes} * 1024;
    uint32_t seconds = UnsignedField(f.checkSeconds.c_str());
    o.checkSeconds = seconds < kMostCheckSeconds ? seconds : kMostCheckSeconds;
}

EventControls EventControlsFor(int type) {
    EventControls c;
    c.param = type == kEventSound || type == kEventMessage || type == kEventRunProgram;
    c.browse = type == kEventSound || type == kEventRunProgram;
    return c;
}

AStr TrustedCertsLines(const AStr& stored) {
    AStr lines;
    for (const TlsPin& pin : ParseTlsPins(stored.c_str())) {
        if (!lines.IsEmpty()) lines += "\r\n";
        lines += pin.host.c_str();
        lines += ':';
        lines += pin.fingerprint.c_str();
    }
    return lines;
}

bool TrustedCertsFromLines(const AStr& lines, AStr* stored) {
    AStr joined;
    const char* p = lines.c_str();
    while (*p) {
        size_t n = std::strcspn(p, kPairSeparators);
        if (n) {
            std::vector<TlsPin> pin = ParseTlsPins(std::string(p, n).c_str());
            if (pin.size() != 1) return false;
            if (!joined.IsEmpty()) joined += ';';
            joined += (pin[0].host + ":" + pin[0].fingerprint).c_str();
        }
        p += n ? n : 1;
    }
    *stored = joined;
    return true;
}
