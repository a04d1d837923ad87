// The search for language modules (and help files) in a folder.
#include "framework/Cp1251.h"
#include "platform/Files.h"
#include "platform/Lang.h"

EnumLangFiles::EnumLangFiles(const char* directory, const char* pattern, unsigned requiredId)
    : directory_(directory ? directory : ""),
      pattern_(pattern ? pattern : ""),
      requiredId_(requiredId),
      search_(platform::kInvalidFind) {
    valid_ = Advance(true);
}

EnumLangFiles::~EnumLangFiles() {
    platform::FindClose(search_);
}

bool EnumLangFiles::Next() {
    valid_ = valid_ && Advance(false);
    return valid_;
}

std::string EnumLangFiles::Path() const {
    return platform::JoinPath(directory_, name_);
}

bool EnumLangFiles::Advance(bool first) {
    platform::FindEntry entry;
    for (;;) {
        bool found;
        if (first) {
            search_ = platform::FindFirst(platform::JoinPath(directory_, pattern_).c_str(), &entry);
            found = search_ != platform::kInvalidFind;
            first = false;
        } else {
            found = platform::FindNext(search_, &entry);
        }
        if (!found) {
            platform::FindClose(search_);
            search_ = platform::kInvalidFind;
            name_.clear();
            languageName_.Clear();
            return false;
        }
        if (entry.attributes & platform::kAttrDirectory) continue;
        name_ = entry.name;
        if (Accept()) return true;
    }
}

// Only names of the form "ov" + three characters + the pattern's extension
// count (the system's wildcard also lets "?" match nothing). With a required
// string the file must load as a library and hold that string.
bool EnumLangFiles::Accept() {
    languageName_.Clear();
    if (name_.size() != pattern_.size() || pattern_.size() < 5) return false;
    if (cp1251::CompareNoCase(name_.c_str(), "ov", 2) != 0) return false;
    if (cp1251::CompareNoCase(name_.c_str() + 5, pattern_.c_str() + 5) != 0) return false;
    if (requiredId_ == 0) return true;
    void* module = platform::LoadLibraryFile(Path().c_str());
    if (!module) return false;
    languageName_ = LoadModuleText(module, requiredId_);
    platform::FreeLibraryModule(module);
    return !languageName_.IsEmpty();
}
