#include "shell/ProgramPaths.h"

#include <string>

namespace {

HINSTANCE g_instance = nullptr;

std::string Directory() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(g_instance, path, MAX_PATH);
    std::string p(path, n < MAX_PATH ? n : 0);
    size_t slash = p.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : p.substr(0, slash);
}

}  // namespace

void SetProgramInstance(HINSTANCE instance) {
    g_instance = instance;
}
HINSTANCE ProgramInstance() {
    return g_instance;
}

AStr ProgramPath(const char* fileName) {
    std::string p = Directory() + "\\" + (fileName ? fileName : "");
    return AStr(p.c_str());
}

AStr ProgramPath(const char* fileName, const char* extension, const char* subFolder) {
    std::string p = Directory() + "\\" + (subFolder ? subFolder : "") + "\\" +
                    (fileName ? fileName : "") + (extension ? extension : "");
    return AStr(p.c_str());
}
