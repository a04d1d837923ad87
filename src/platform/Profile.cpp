#include "platform/Profile.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace platform {
namespace {

// A default no settings file holds, to tell a missing key from an empty one.
const char kMissing[] = "\x01\x02missing\x02\x01";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// The part of a value before its first line break: a break would end the
// line in the file and make the rest a line of its own.
std::string OneLine(const char* value) {
    std::string v(value);
    size_t br = v.find_first_of("\r\n");
    if (br != std::string::npos) v.resize(br);
    return v;
}

// A value that the reader's blank or quote removal would change is kept
// inside one more pair of quotes, which the reader takes off again.
std::string Protected(const std::string& v) {
    if (v.empty()) return v;
    bool exposed =
        IsBlank(v.front()) || IsBlank(v.back()) || IsQuote(v.front()) || IsQuote(v.back());
    return exposed ? "\"" + v + "\"" : v;
}

}  // namespace

AStr ProfileFile::ReadText(const char* section, const char* key, const char* def) const {
    return Read(section, key, def ? def : "");
}

bool ProfileFile::HasKey(const char* section, const char* key) const {
    return Read(section, key, kMissing) != kMissing;
}

long ProfileFile::ReadInt(const char* section, const char* key, long def) const {
    AStr text = Read(section, key, kMissing);
    if (text == kMissing) return def;
    const char* p = text.c_str();
    while (IsBlank(*p)) ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    unsigned long v = 0;
    for (; *p >= '0' && *p <= '9'; ++p) v = v * 10 + static_cast<unsigned long>(*p - '0');
    // Negated as unsigned: digits beyond the range wrap instead of overflowing.
    return static_cast<long>(negative ? 0 - v : v);
}

uint32_t ProfileFile::ReadNumber(const char* section, const char* key, uint32_t def) const {
    AStr text = Read(section, key, kMissing);
    if (text == kMissing) return def;
    return static_cast<uint32_t>(std::strtoull(text.c_str(), nullptr, 10));
}

bool ProfileFile::WriteText(const char* section, const char* key, const char* value) const {
    return Write(section, key, OneLine(value ? value : "").c_str());
}

bool ProfileFile::WriteSigned(const char* section, const char* key, long value) const {
    return Write(section, key, std::to_string(value).c_str());
}

bool ProfileFile::WriteUnsigned(const char* section, const char* key, unsigned long value) const {
    return Write(section, key, std::to_string(value).c_str());
}

bool ProfileFile::DeleteKey(const char* section, const char* key) const {
    return Write(section, key, nullptr);
}

bool ProfileFile::DeleteSection(const char* section) const {
    bool ok = Write(section, nullptr, nullptr);
    // The system's function takes one copy of a repeated section at a time.
    for (int copies = 0; ok && copies < 64 && SectionHasKeys(section); ++copies)
        ok = Write(section, nullptr, nullptr);
    return ok;
}

void ProfileFile::ReadList(const char* section, StrList& list) const {
    long count = ReadInt(section, "count", 0);
    for (long i = 0; i < count; ++i) {
        std::string key = std::to_string(i);
        if (!HasKey(section, key.c_str())) break;
        list.Add(Read(section, key.c_str(), "").c_str());
    }
}

bool ProfileFile::WriteList(const char* section, const StrList& list) const {
    bool ok = DeleteSection(section);
    long count = static_cast<long>(list.Count());
    if (count > 0) ok = WriteSigned(section, "count", count) && ok;
    long i = 0;
    for (StrNode* n = list.First(); n; n = n->Next(), ++i) {
        std::string key = std::to_string(i);
        ok = Write(section, key.c_str(), Protected(OneLine(n->c_str())).c_str()) && ok;
    }
    return ok;
}

}  // namespace platform
