// The settings-file reader and writer of the portable build. The file is
// read whole for each call (settings files are small); a write changes the
// one line it is about, keeps every other line with its own line end, and
// replaces the file through a temporary copy so that a failed write leaves
// the old file.
#include "platform/Profile.h"

#include <string>
#include <utility>
#include <vector>

#include "framework/Cp1251.h"
#include "platform/Files.h"

namespace platform {
namespace {

struct Line {
    std::string text;
    std::string end;  // "\r\n", "\n" or "" for a last line without one
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

bool SameName(const std::string& a, const char* b) {
    return cp1251::CompareNoCase(a.c_str(), b) == 0;
}

bool ReadWhole(const std::string& path, std::string* bytes) {
    FileHandle h = OpenForRead(path.c_str(), true);
    if (h == kInvalidFile) return false;
    char block[4096];
    long n;
    while ((n = Read(h, block, sizeof block)) > 0) bytes->append(block, static_cast<size_t>(n));
    Close(h);
    return n == 0;
}

std::vector<Line> SplitLines(const std::string& bytes) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t lf = bytes.find('\n', pos);
        Line line;
        if (lf == std::string::npos) {
            line.text = bytes.substr(pos);
            pos = bytes.size();
        } else {
            line.text = bytes.substr(pos, lf - pos);
            line.end = "\n";
            pos = lf + 1;
            if (!line.text.empty() && line.text.back() == '\r') {
                line.text.pop_back();
                line.end = "\r\n";
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// The name of a "[section]" line.
bool SectionOf(const Line& line, std::string* name) {
    std::string t = Trim(line.text);
    if (t.empty() || t[0] != '[') return false;
    size_t close = t.find(']');
    *name = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

// The key and value of a "key=value" line.
bool EntryOf(const Line& line, std::string* key, std::string* value) {
    size_t eq = line.text.find('=');
    if (eq == std::string::npos) return false;
    *key = Trim(line.text.substr(0, eq));
    if (value) *value = Trim(line.text.substr(eq + 1));
    return !key->empty();
}

// Where a section starts (its header line) and ends (the next header).
struct Span {
    size_t header = 0, end = 0;
    bool found = false;
};

Span FindSection(const std::vector<Line>& lines, const char* section) {
    Span span;
    std::string name;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!SectionOf(lines[i], &name)) continue;
        if (span.found) {
            span.end = i;
            return span;
        }
        if (SameName(name, section)) {
            span.header = i;
            span.found = true;
        }
    }
    span.end = lines.size();
    return span;
}

// Index of the key's line inside the section, or the section's end.
size_t FindKey(const std::vector<Line>& lines, const Span& span, const char* key) {
    std::string k;
    for (size_t i = span.header + 1; i < span.end; ++i)
        if (EntryOf(lines[i], &k, nullptr) && SameName(k, key)) return i;
    return span.end;
}

std::string Unquote(const std::string& v) {
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
        return v.substr(1, v.size() - 2);
    return v;
}

bool Store(const std::string& path, const std::vector<Line>& lines) {
    std::string bytes;
    for (const Line& l : lines) bytes += l.text + l.end;
    std::string temp = path + ".~new";
    FileHandle h = CreatePrivate(temp.c_str());  // the proxy password lives here
    if (h == kInvalidFile) return false;
    bool ok = bytes.empty() || Write(h, bytes.data(), static_cast<unsigned long>(bytes.size())) ==
                                   static_cast<long>(bytes.size());
    ok = ok && FlushToDisk(h);
    Close(h);
    if (ok) ok = ReplaceDurably(temp.c_str(), path.c_str());
    if (!ok) RemoveFile(temp.c_str());
    return ok;
}

}  // namespace

AStr ProfileFile::Read(const char* section, const char* key, const char* def) const {
    std::string bytes;
    if (!section || !key || !ReadWhole(path_, &bytes)) return AStr(def);
    std::vector<Line> lines = SplitLines(bytes);
    Span span = FindSection(lines, section);
    if (!span.found) return AStr(def);
    size_t at = FindKey(lines, span, key);
    if (at == span.end) return AStr(def);
    std::string k, v;
    EntryOf(lines[at], &k, &v);
    v = Unquote(v);
    return AStr(v.data(), v.size());
}

bool ProfileFile::Write(const char* section, const char* key, const char* value) const {
    if (!section) return false;
    uint32_t attributes = GetAttributes(path_.c_str());
    bool exists = attributes != kInvalidAttributes;
    if (exists && (attributes & (kAttrReadOnly | kAttrDirectory))) return false;
    std::string bytes;
    if (exists && !ReadWhole(path_, &bytes)) return false;
    std::vector<Line> lines = SplitLines(bytes);
    Span span = FindSection(lines, section);

    if (!key || !value) {  // deletion
        if (!span.found) return true;
        if (!key) {  // every section of that name
            for (; span.found; span = FindSection(lines, section))
                lines.erase(lines.begin() + static_cast<long>(span.header),
                            lines.begin() + static_cast<long>(span.end));
        } else {
            size_t at = FindKey(lines, span, key);
            if (at == span.end) return true;
            lines.erase(lines.begin() + static_cast<long>(at));
        }
        return Store(path_, lines);
    }

    if (!lines.empty() && lines.back().end.empty()) lines.back().end = "\r\n";
    std::string entry = Trim(key) + "=" + value;
    if (!span.found) {
        lines.push_back(Line{"[" + std::string(section) + "]", "\r\n"});
        lines.push_back(Line{entry, "\r\n"});
        return Store(path_, lines);
    }
    size_t at = FindKey(lines, span, key);
    if (at != span.end) {
        std::string oldKey;
        EntryOf(lines[at], &oldKey, nullptr);
        std::string updated = oldKey + "=" + value;
        // Saving the options writes every key: one that stands as it is
        // costs no rewrite (each is a flush to disk and a rename).
        if (lines[at].text == updated) return true;
        lines[at].text = std::move(updated);
    } else {
        size_t after = span.end;  // just past the section's last line that is not blank
        while (after > span.header + 1 && Trim(lines[after - 1].text).empty()) --after;
        lines.insert(lines.begin() + static_cast<long>(after), Line{entry, "\r\n"});
    }
    return Store(path_, lines);
}

bool ProfileFile::SectionHasKeys(const char* section) const {
    std::string bytes;
    if (!section || !ReadWhole(path_, &bytes)) return false;
    std::vector<Line> lines = SplitLines(bytes);
    Span span = FindSection(lines, section);
    std::string key;
    for (size_t i = span.header + 1; span.found && i < span.end; ++i)
        if (EntryOf(lines[i], &key, nullptr)) return true;
    return false;
}

std::string ProgramProfilePath() {
    return JoinPath(ProgramDirectory(), "ovisto.ini");
}

}  // namespace platform
