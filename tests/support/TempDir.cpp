#include "support/TempDir.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/Clock.h"
#include "platform/Files.h"

namespace {

void RemoveTree(const std::string& dir) {
    platform::FindEntry e;
    std::string pattern = platform::JoinPath(dir, "*");
    platform::FindHandle h = platform::FindFirst(pattern.c_str(), &e);
    if (h != platform::kInvalidFind) {
        do {
            if (e.name == "." || e.name == "..") continue;
            std::string full = platform::JoinPath(dir, e.name);
            if (e.attributes & platform::kAttrDirectory) {
                RemoveTree(full);
            } else {
                platform::SetAttributes(full.c_str(), platform::kAttrNormal);
                platform::RemoveFile(full.c_str());
            }
        } while (platform::FindNext(h, &e));
        platform::FindClose(h);
    }
    platform::RemoveDir(dir.c_str());
}

std::string BaseTemp() {
    for (const char* var : {"TMPDIR", "TEMP", "TMP"})
        if (const char* v = std::getenv(var); v && *v) return v;
    return platform::PathSeparator() == '/' ? "/tmp" : ".";
}

}  // namespace

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, "ovtest-%u-%u", platform::TickCount(), counter++);
        path_ = platform::JoinPath(BaseTemp(), name);
        if (platform::MakeDirectory(path_.c_str())) break;
    }
}

TempDir::~TempDir() {
    RemoveTree(path_);
}

std::string TempDir::File(const std::string& name) const {
    return platform::JoinPath(path_, name);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    std::string p = File(name);
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
}

std::string TempDir::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
