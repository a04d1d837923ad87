#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>

namespace platform {

namespace {

struct CodePageName {
    unsigned codePage;
    const char* name;
};

// The iconv names of the Windows code page numbers the system uses.
const CodePageName kNames[] = {
    {1200, "UTF-16LE"},    {1201, "UTF-16BE"},    {1250, "CP1250"},       {1251, "CP1251"},
    {1252, "CP1252"},      {1253, "CP1253"},      {1254, "CP1254"},       {1257, "CP1257"},
    {866, "CP866"},        {20866, "KOI8-R"},     {21866, "KOI8-U"},      {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"}, {28593, "ISO-8859-3"}, {28594, "ISO-8859-4"},  {28595, "ISO-8859-5"},
    {28597, "ISO-8859-7"}, {28599, "ISO-8859-9"}, {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
    {65001, "UTF-8"},
};

const char* IconvName(unsigned codePage) {
    for (const CodePageName& entry : kNames)
        if (entry.codePage == codePage) return entry.name;
    return nullptr;
}

}  // namespace

bool CodePageToUtf8(unsigned codePage, const char* bytes, size_t n, std::string* out) {
    const char* name = IconvName(codePage);
    if (!name) return false;
    iconv_t cd = iconv_open("UTF-8", name);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    static const char kReplacement[] = "\xEF\xBF\xBD";
    char block[4096];
    char* in = const_cast<char*>(bytes);
    size_t left = n;
    while (left > 0) {
        char* to = block;
        size_t room = sizeof block;
        size_t rc = iconv(cd, &in, &left, &to, &room);
        out->append(block, static_cast<size_t>(to - block));
        if (rc != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // A byte the code page does not define, or a sequence cut off at the
        // end: one replacement character, and on after the offending byte.
        out->append(kReplacement, 3);
        ++in;
        --left;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return true;
}

}  // namespace platform
