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

std::string ProgramPath(const char* fileName) {
    return Directory() + "\\" + (fileName ? fileName : "");
}

std::string ProgramPath(const char* fileName, const char* extension, const char* subFolder) {
    return Directory() + "\\" + (subFolder ? subFolder : "") + "\\" + (fileName ? fileName : "") +
           (extension ? extension : "");
}
