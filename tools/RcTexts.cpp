// RcTexts: turns the string table of a resource script (lang/enu.rc) into a
// C++ table included by the portable build, so that it shows the very texts
// of the desktop program's English module. Run at build time:
//   RcTexts SCRIPT.rc IDS.h OUT.inc
// Identifiers are numbers or names #defined in IDS.h. The output holds one
// "{id, "text"}," line per string, sorted by identifier; bytes outside
// printable ASCII are written as octal escapes, so the code page of the
// script (1251) passes unchanged.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Trim(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
    return s.substr(a, b - a);
}

bool Fail(const std::string& why) {
    std::cerr << "RcTexts: " << why << "\n";
    return false;
}

std::map<std::string, long> ReadIds(const char* path) {
    std::map<std::string, long> ids;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string define, name, value;
        if (words >> define >> name >> value && define == "#define" &&
            std::isdigit(static_cast<unsigned char>(value[0])))
            ids[name] = std::strtol(value.c_str(), nullptr, 0);
    }
    return ids;
}

// The C literal of an RC string body ("" is a quote; C escapes stay as they are).
bool Literal(const std::string& line, size_t at, std::string* out) {
    if (at >= line.size() || line[at] != '"') return false;
    std::string text;
    for (size_t i = at + 1; i < line.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c == '"') {
            if (i + 1 < line.size() && line[i + 1] == '"') {
                text += "\\\"";
                ++i;
                continue;
            }
            *out = text;
            return true;
        }
        if (c == '\\' && i + 1 < line.size()) {
            text += line.substr(i, 2);
            ++i;
        } else if (c < 0x20 || c >= 0x7F) {
            char octal[5];
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            text += octal;
        } else {
            text += static_cast<char>(c);
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return Fail("usage: RcTexts SCRIPT.rc IDS.h OUT.inc"), 2;
    const std::map<std::string, long> ids = ReadIds(argv[2]);
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) return Fail(std::string("cannot read ") + argv[1]), 1;
    std::vector<std::pair<long, std::string>> texts;
    std::string line;
    enum { kOutside, kHeader, kInside } where = kOutside;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::string t = Trim(line);
        if (where == kOutside) {
            if (t == "STRINGTABLE") where = kHeader;
            continue;
        }
        if (where == kHeader) {
            if (t == "BEGIN") where = kInside;
            continue;
        }
        if (t == "END") {
            where = kOutside;
            continue;
        }
        if (t.empty() || t.rfind("//", 0) == 0) continue;
        size_t space = t.find_first_of(" \t");
        if (space == std::string::npos)
            return Fail("line " + std::to_string(lineNumber) + ": no text"), 1;
        const std::string name = t.substr(0, space);
        long id = 0;
        if (std::isdigit(static_cast<unsigned char>(name[0]))) {
            id = std::strtol(name.c_str(), nullptr, 0);
        } else {
            auto found = ids.find(name);
            if (found == ids.end())
                return Fail("line " + std::to_string(lineNumber) + ": unknown id " + name), 1;
            id = found->second;
        }
        std::string text;
        if (!Literal(t, t.find('"'), &text))
            return Fail("line " + std::to_string(lineNumber) + ": bad string"), 1;
        texts.emplace_back(id, text);
    }
    std::stable_sort(texts.begin(), texts.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    std::string script = argv[1];
    script = script.substr(script.find_last_of("/\\") + 1);  // the same bytes from any checkout
    out << "// Generated from " << script << " by RcTexts; do not edit.\n";
    for (const auto& [id, text] : texts) out << "{" << id << ", \"" << text << "\"},\n";
    return out ? 0 : 1;
}
