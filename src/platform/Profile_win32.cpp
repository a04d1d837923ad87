// Settings files through the system's private profile functions.
#include "platform/Profile.h"

#include <windows.h>

#include <vector>

namespace platform {

AStr ProfileFile::Read(const char* section, const char* key, const char* def) const {
    if (!section || !key) return AStr(def);
    // The function cuts a value that does not fit and then reports the
    // buffer size less one: grow by doubling until the value fits.
    std::vector<char> buffer(256);
    for (;;) {
        DWORD n = GetPrivateProfileStringA(section, key, def, buffer.data(),
                                           static_cast<DWORD>(buffer.size()), path_.c_str());
        if (n + 1 < buffer.size() || buffer.size() >= (1u << 24)) return AStr(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

bool ProfileFile::Write(const char* section, const char* key, const char* value) const {
    if (!section) return false;
    return WritePrivateProfileStringA(section, key, value, path_.c_str()) != FALSE;
}

bool ProfileFile::SectionHasKeys(const char* section) const {
    char names[4];
    return GetPrivateProfileStringA(section, nullptr, "", names, sizeof names, path_.c_str()) > 0;
}

std::string ProgramProfilePath() {
    char buf[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string p(buf, n);
    size_t slash = p.find_last_of("\\/");
    size_t dot = p.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) p.resize(dot);
    return p + ".INI";
}

}  // namespace platform
