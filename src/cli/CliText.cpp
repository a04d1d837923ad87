#include "cli/CliText.h"

#include "framework/Cp1251.h"
#include "platform/ConsoleIo.h"
#include "platform/Lang.h"
#include "platform/LocaleDates.h"

namespace {

// Decodes one UTF-8 sequence at s[i]; false when it is malformed.
bool NextCodePoint(const std::string& s, size_t& i, uint32_t* cp) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= s.size()) return false;
    uint32_t v = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80) return false;
        v = (v << 6) | (d & 0x3F);
    }
    i += static_cast<size_t>(extra) + 1;
    *cp = v;
    return true;
}

}  // namespace

std::string Shown(const AStr& text) {
    return cp1251::ForDisplay(text.c_str());
}
std::string Shown(const char* text) {
    return cp1251::ForDisplay(text ? text : "");
}

AStr Typed(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        uint32_t cp = 0;
        if (!NextCodePoint(utf8, i, &cp)) return AStr(utf8.c_str());  // not UTF-8: 1251 as typed
        unsigned char b = cp1251::FromUnicode(cp, 0);
        if (b == 0) return AStr(utf8.c_str());  // 1251 cannot hold it: keep UTF-8
        out.push_back(static_cast<char>(b));
    }
    return AStr(out.c_str());
}

std::string TypedPath(const std::string& utf8) {
    return platform::PathFromUtf8(utf8);
}

AStr UiText(unsigned id) {
    AStr text = LoadText(id);
    if (!text.IsEmpty()) return text;
    switch (id) {
        case 9421:
            return "Report made by Orvex Vistomer";
        case 9422:
            return "windows-1251";
        case 32002:
            return "(large change)";
        case 32003:
            return "(frame structure changed)";
        default:
            return DisplayText(id);
    }
}

std::string ShownTime(uint32_t seconds) {
    if (seconds == 0) return "never";
    platform::LocalTime t = platform::ToLocalTime(seconds);
    uint32_t locale = DateTimeLocale();
    AStr text = platform::FormatLocaleDate(locale, t);
    text += ", ";
    text += platform::FormatLocaleTime(locale, t, false);
    return Shown(text);
}

std::string ShownPeriod(uint32_t seconds) {
    if (seconds == 0) return "manual";
    static const struct {
        uint32_t size;
        const char* unit;
    } kUnits[] = {{86400, "d"}, {3600, "h"}, {60, "m"}, {1, "s"}};
    std::string text;
    for (const auto& u : kUnits) {
        if (seconds < u.size) continue;
        if (!text.empty()) text += " ";
        text += std::to_string(seconds / u.size) + u.unit;
        seconds %= u.size;
    }
    return text;
}

std::string ShownError(int32_t code, int32_t detail, const AStr& serverReply) {
    return Shown(CheckErrorText(code, detail, serverReply.c_str()));
}
