#include "platform/Autostart.h"

#include <limits.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/Files.h"
#include "platform/Profile.h"

namespace platform {
namespace {

const char kSection[] = "Desktop Entry";

std::string& Place() {
    static std::string place;
    return place;
}

std::string AutostartFolder() {
    if (!Place().empty()) return Place();
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return JoinPath(config, "autostart");
    const char* home = std::getenv("HOME");
    return JoinPath(JoinPath(home && *home ? home : ".", ".config"), "autostart");
}

ProfileFile Entry(const char* name) {
    return ProfileFile(JoinPath(AutostartFolder(), std::string(name) + ".desktop"));
}

// Creates the folder and any missing parents.
bool MakeFolders(const std::string& path) {
    if (path.empty() || IsDirectory(path.c_str())) return true;
    size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash)))
        return false;
    return MakeDirectory(path.c_str()) || IsDirectory(path.c_str());
}

}  // namespace

void SetAutostartPlace(const std::string& place) {
    Place() = place;
}

bool IsAutostart(const char* name) {
    return !Entry(name).ReadText(kSection, "Exec", "").IsEmpty();
}

bool SetAutostart(const char* name, const char* program, bool on) {
    ProfileFile entry = Entry(name);
    if (!on) return !FileExists(entry.Path().c_str()) || RemoveFile(entry.Path().c_str());
    if (!MakeFolders(AutostartFolder())) return false;
    std::string exec = "\"" + std::string(program) + "\"";
    return entry.WriteText(kSection, "Type", "Application") &&
           entry.WriteText(kSection, "Name", name) &&
           entry.WriteText(kSection, "Exec", exec.c_str());
}

std::string ExecutablePath() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

}  // namespace platform
