#include "platform/TextCodec.h"

#include <cctype>
#include <cstring>

namespace platform {

namespace {

struct NamedCodePage {
    const char* name;
    unsigned codePage;
};

const NamedCodePage kNamedCodePages[] = {
    {"utf-8", 65001},       {"utf8", 65001},        {"us-ascii", 1252},     {"iso-8859-1", 28591},
    {"latin1", 28591},      {"windows-1252", 1252}, {"cp1252", 1252},       {"windows-1250", 1250},
    {"cp1250", 1250},       {"windows-1251", 1251}, {"cp1251", 1251},       {"windows-1253", 1253},
    {"windows-1254", 1254}, {"windows-1257", 1257}, {"cp1257", 1257},       {"ibm866", 866},
    {"cp866", 866},         {"koi8-r", 20866},      {"koi8-u", 21866},      {"iso-8859-2", 28592},
    {"iso-8859-3", 28593},  {"iso-8859-4", 28594},  {"iso-8859-5", 28595},  {"iso-8859-7", 28597},
    {"iso-8859-9", 28599},  {"iso-8859-13", 28603}, {"iso-8859-15", 28605}, {"utf-16le", 1200},
    {"utf-16be", 1201},
};

}  // namespace

unsigned CodePageOfName(const char* name, size_t n) {
    if (!name) return 0;
    for (const NamedCodePage& entry : kNamedCodePages) {
        if (std::strlen(entry.name) != n) continue;
        size_t i = 0;
        while (i < n && std::tolower(static_cast<unsigned char>(name[i])) == entry.name[i]) ++i;
        if (i == n) return entry.codePage;
    }
    return 0;
}

}  // namespace platform
