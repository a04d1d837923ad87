#include "platform/Lang.h"

#include "framework/Cp1251.h"
#include "platform/Files.h"

namespace {

// The language name every module carries; the module search requires it.
constexpr unsigned kLanguageNameId = 9500;

AStr& CurrentCode() {
    static AStr code;
    return code;
}

std::string& CurrentHelpFile() {
    static std::string help;
    return help;
}

std::string FolderOrProgram(const char* directory) {
    return directory && *directory ? std::string(directory) : platform::ProgramDirectory();
}

}  // namespace

Lang::~Lang() {
    SetModule(nullptr, false);
}

void Lang::SetModule(void* module, bool owned) {
    if (owned_ && module_ && module_ != module) platform::FreeLibraryModule(module_);
    module_ = module;
    owned_ = owned;
}

LangWithError& TheLanguage() {
    static LangWithError language;
    return language;
}

const AStr& LanguageCode() {
    return CurrentCode();
}
const std::string& HelpFile() {
    return CurrentHelpFile();
}

std::string FindLanguageFile(const char* directory, AStr& code, const char* extension, bool check) {
    std::string folder = FolderOrProgram(directory);
    std::string own = platform::JoinPath(folder, std::string("ov") + code.c_str() + extension);
    if (platform::FileExists(own.c_str())) return own;

    std::string english = platform::JoinPath(folder, std::string("ovenu") + extension);
    if (platform::FileExists(english.c_str())) {
        code = "enu";
        return english;
    }

    std::string pattern = std::string("ov???") + extension;
    EnumLangFiles found(folder.c_str(), pattern.c_str(), check ? kLanguageNameId : 0);
    if (found.IsValid()) {
        code = AStr(found.Name().c_str() + 2, 3);
        return found.Path();
    }
    return own;
}

bool LoadLanguage(AStr& code, const char* directory) {
    const std::string module = FindLanguageFile(directory, code, ".dll", true);
    void* handle = platform::LoadLibraryFile(module.c_str());
    TheLanguage().SetModule(handle, true);
    CurrentCode() = code;
    // The help file follows the final code but never changes it: a missing
    // help file must not switch the interface language.
    AStr helpCode = code;
    CurrentHelpFile() = FindLanguageFile(directory, helpCode, ".hlp", false);
    return handle != nullptr;
}

bool NormalizeLanguageCode(AStr& code) {
    if (code == "0") {
        code = "enu";
        return true;
    }
    if (code == "1") {
        code = "rus";
        return true;
    }
    return false;
}

bool ChooseLanguage(AStr& code, const char* directory) {
    bool changed = NormalizeLanguageCode(code);
    AStr before = code;
    LoadLanguage(code, directory);
    return changed || code != before;
}

void* LoadMenu(unsigned id) {
    return platform::LoadModuleMenu(TheLanguage().Module(), id);
}

uint32_t LocaleForLanguage(const char* code) {
    if (cp1251::CompareNoCase(code, "enu") == 0) return 1033;
    if (cp1251::CompareNoCase(code, "rus") == 0) return 1049;
    if (cp1251::CompareNoCase(code, "ger") == 0) return 1031;
    return 1024;
}

uint32_t DateTimeLocale() {
    static const uint32_t locale = LocaleForLanguage(LanguageCode().c_str());
    return locale;
}
