#include "cli/ObjectOptions.h"

#include <cstdlib>
#include <iostream>

#include "cli/CliError.h"
#include "cli/CliText.h"
#include "pop3/MailboxUrl.h"

namespace {

struct FlagOption {
    const char* name;
    uint16_t bit;
};
const FlagOption kFlagOptions[] = {
    {"news-tape", kFlagNewsTape},
    {"text-log", kFlagTextLog},
    {"tables", kFlagTables},
    {"protected", kFlagProtected},
};

struct SkipOption {
    const char* name;
    uint8_t bit;
};
// skipchanges: any bit drops empty changes; bit 0 also those without a letter.
const SkipOption kSkipOptions[] = {{"skip-empty", 2}, {"skip-no-letters", 1}};

const char* const kValueOptions[] = {"name",          "period",      "mode",       "keywords",
                                     "skip-keywords", "min-changed", "skip-chars", "keep",
                                     "event",         "color",       "in"};
const char* const kPageOnly[] = {
    "period", "mode",  "keywords",   "skip-keywords",   "min-changed", "skip-chars",
    "keep",   "event", "skip-empty", "skip-no-letters", "tables"};

void ApplyKeep(const std::string& text, ItemProperties& p) {
    if (text == "all") {
        p.deltype = kKeepAll;
    } else if (text.compare(0, 6, "count:") == 0) {
        p.deltype = kDeleteByCount;
        p.delparam =
            static_cast<int32_t>(ParseInteger("--keep count", text.substr(6), 0, 0x7FFFFFFF));
    } else if (text.compare(0, 4, "age:") == 0) {
        p.deltype = kDeleteByAge;
        p.delparam =
            static_cast<int32_t>(ParseInteger("--keep age", text.substr(4), 0, 0x7FFFFFFF));
    } else {
        Fail(kExitBadInput, "--keep: expected all, count:N or age:SECONDS, not \"" + text + "\"");
    }
}

void ApplyEvent(const std::string& text, ItemProperties& p) {
    static const struct {
        const char* prefix;
        uint8_t type;
        bool param;
    } kEvents[] = {{"default", ItemEvent::kProgramWide, false},
                   {"none", kEventNone, false},
                   {"blink", kEventBlink, false},
                   {"sound:", kEventSound, true},
                   {"message:", kEventMessage, true},
                   {"program:", kEventRunProgram, true}};
    for (const auto& e : kEvents) {
        std::string prefix = e.prefix;
        bool match = e.param ? text.compare(0, prefix.size(), prefix) == 0 : text == prefix;
        if (!match) continue;
        p.event.type = e.type;
        p.event.param = e.param ? Typed(text.substr(prefix.size())) : AStr();
        return;
    }
    Fail(kExitBadInput,
         "--event: expected default, none, blink, sound:FILE, message:TEXT or program:COMMAND");
}

uint32_t ParseColor(const std::string& text) {
    std::string hex = !text.empty() && text[0] == '#' ? text.substr(1) : text;
    if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        Fail(kExitBadInput, "--color: expected RRGGBB, not \"" + text + "\"");
    uint32_t rgb = static_cast<uint32_t>(std::stoul(hex, nullptr, 16));
    // A COLORREF holds red in the low byte.
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

}  // namespace

std::vector<OptionSpec> ObjectOptionSpecs() {
    std::vector<OptionSpec> specs;
    for (const char* v : kValueOptions) specs.push_back({v, true});
    for (const FlagOption& f : kFlagOptions) {
        specs.push_back({f.name, false});
        specs.push_back({std::string("no-") + f.name, false});
    }
    for (const SkipOption& s : kSkipOptions) {
        specs.push_back({s.name, false});
        specs.push_back({std::string("no-") + s.name, false});
    }
    return specs;
}

std::vector<OptionSpec> MailboxOptionSpecs() {
    return {{"server", true},       {"port", true}, {"user", true},   {"password", true},
            {"password-env", true}, {"tls", false}, {"no-tls", false}};
}

void ApplyObjectOptions(const Arguments& args, bool folder, ItemProperties& p) {
    if (folder)
        for (const char* name : kPageOnly)
            if (args.Has(name) || args.Has(std::string("no-") + name))
                Fail(kExitBadInput, std::string("--") + name + " does not apply to a folder");
    if (const std::string* v = args.Value("name")) p.name = Typed(*v);
    if (const std::string* v = args.Value("period"))
        p.timedelta = static_cast<uint32_t>(ParseInteger("--period", *v, 0, 0xFFFFFFFFll));
    if (const std::string* v = args.Value("mode"))
        p.modify = static_cast<uint8_t>(ParseInteger("--mode", *v, 0, 2));
    if (const std::string* v = args.Value("keywords")) p.keywords = Typed(*v);
    if (const std::string* v = args.Value("skip-keywords")) p.skipkeywords = Typed(*v);
    if (const std::string* v = args.Value("min-changed"))
        p.minchanged = static_cast<int16_t>(ParseInteger("--min-changed", *v, -1, 32767));
    if (const std::string* v = args.Value("skip-chars"))
        p.skipnumchars = static_cast<int16_t>(ParseInteger("--skip-chars", *v, -1, 32767));
    if (const std::string* v = args.Value("keep")) ApplyKeep(*v, p);
    if (const std::string* v = args.Value("event")) ApplyEvent(*v, p);
    if (const std::string* v = args.Value("color")) p.color = ParseColor(*v);
    for (const FlagOption& f : kFlagOptions) {
        if (args.Has(f.name)) p.flags |= f.bit;
        if (args.Has(std::string("no-") + f.name)) p.flags &= static_cast<uint16_t>(~f.bit);
    }
    for (const SkipOption& s : kSkipOptions) {
        if (args.Has(s.name)) p.skipchanges |= s.bit;
        if (args.Has(std::string("no-") + s.name)) p.skipchanges &= static_cast<uint8_t>(~s.bit);
    }
}

AStr MailboxAddressFrom(const Arguments& args, const AStr& current) {
    MailboxAddress m;
    CrackMailboxUrl(current.c_str(), &m);
    if (const std::string* v = args.Value("server")) m.host = Typed(*v);
    if (const std::string* v = args.Value("user")) m.user = Typed(*v);
    if (const std::string* v = args.Value("password-env")) {
        const char* value = std::getenv(v->c_str());
        if (!value) Fail(kExitBadInput, "--password-env: no environment variable " + *v);
        m.password = Typed(value);
    } else if (const std::string* v = args.Value("password")) {
        // "-" reads one line from standard input: the password stays out of
        // the process list.
        std::string typed = *v;
        if (typed == "-" && !std::getline(std::cin, typed))
            Fail(kExitBadInput, "--password -: no line on standard input");
        if (!typed.empty() && typed.back() == '\r') typed.pop_back();
        m.password = Typed(typed);
    }
    long port = m.port ? m.port : 110;
    if (const std::string* v = args.Value("port"))
        port = static_cast<long>(ParseInteger("--port", *v, 1, 65535));
    if (m.host.IsEmpty()) Fail(kExitBadInput, "a mailbox needs --server");
    if (m.user.IsEmpty()) Fail(kExitBadInput, "a mailbox needs --user");
    if (args.Has("tls")) m.tls = true;
    if (args.Has("no-tls")) m.tls = false;
    return MakeMailboxUrl(m.host.c_str(), port, m.user.c_str(), m.password.c_str(), m.tls);
}
