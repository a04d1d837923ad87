// A folder of Internet shortcut files read as a tree of entries.
#include <memory>

#include "import/SourceReaders.h"
#include "platform/Files.h"
#include "platform/Profile.h"
#include "stream/DirFileIterator.h"

namespace {

constexpr size_t kLongestShortcutUrl = 1024;
// Folders nested deeper than this are left unread: a link back to a parent
// folder would otherwise be followed for ever.
constexpr int kDeepestFolder = 64;

bool HasUrlExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ext = name.substr(name.size() - 4);
    for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return ext == ".url";
}

void Scan(const std::string& folder, ImportNode& into, const ItemProperties& defaults, int depth) {
    if (depth > kDeepestFolder) return;
    std::string pattern = platform::JoinPath(folder, "*.*");
    DirFileIterator it(pattern.c_str());
    for (bool more = it.IsValid(); more; more = it.Next()) {
        if (it.IsDots()) continue;
        std::string name = it.Name();
        std::string path = platform::JoinPath(folder, name);
        if (it.IsDirectory()) {
            auto sub = std::make_unique<ImportNode>(defaults, name.c_str(), AStr());
            Scan(path, *sub, defaults, depth + 1);
            into.Append(sub.release());
        } else if (HasUrlExtension(name)) {
            AStr url = platform::ProfileFile(path).ReadText("InternetShortcut", "URL", "");
            if (url.Length() > kLongestShortcutUrl) url = AStr(url.c_str(), kLongestShortcutUrl);
            std::string title = name.substr(0, name.size() - 4);
            into.Append(new ImportNode(defaults, title.c_str(), url));
        }
    }
}

}  // namespace

void ScanShortcutFolder(const std::string& folder, ImportNode& into,
                        const ItemProperties& defaults) {
    Scan(folder, into, defaults, 0);
}
