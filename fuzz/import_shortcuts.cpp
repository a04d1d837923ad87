// A folder of Internet shortcut files built from arbitrary bytes and read as
// the import dialog reads it. The input is a list of files separated by NUL
// bytes, each "path\ncontent"; "/" in a path makes subfolders. Every file
// named ".url" must come back as one entry with an address of at most 1024
// bytes, every other file must be skipped, and every folder must show.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "import/SourceReaders.h"
#include "platform/Files.h"
#include "support/TempDir.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// Names are kept to small letters so that every path is valid and distinct on any
// file system; a name that ends in 'u' gets the shortcut extension.
std::string SafeName(const std::string& raw) {
    std::string name;
    for (unsigned char c : raw)
        if (name.size() < 12) name += static_cast<char>(c >= 'a' && c <= 'z' ? c : 'a' + c % 26);
    if (name.empty()) name = "x";
    if (name.back() == 'u') name += ".url";
    return name;
}

struct Expected {
    std::set<std::string> folders;    // relative paths
    std::set<std::string> shortcuts;  // relative paths without ".url"
};

void WriteFile(const std::string& path, const std::string& content) {
    platform::FileHandle h = platform::OpenForWrite(path.c_str(), platform::WriteMode::kReplace);
    if (h == platform::kInvalidFile) return;
    platform::Write(h, content.data(), static_cast<unsigned long>(content.size()));
    platform::Close(h);
}

// Creates one file (and the folders on its path) under root.
void Place(const std::string& root, const std::string& entry, Expected& expected) {
    size_t newline = entry.find('\n');
    std::string path = entry.substr(0, newline);
    std::string content = newline == std::string::npos ? "" : entry.substr(newline + 1);
    std::string relative, disk = root;
    size_t start = 0;
    for (int depth = 0;; ++depth) {
        size_t slash = path.find('/', start);
        std::string name = SafeName(path.substr(start, slash - start));
        if (slash == std::string::npos || depth == 3) {
            relative += name;
            disk = platform::JoinPath(disk, name);
            if (expected.folders.count(relative) || platform::FileExists(disk.c_str())) return;
            WriteFile(disk, content);
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".url") == 0)
                expected.shortcuts.insert(relative.substr(0, relative.size() - 4));
            return;
        }
        relative += name;
        disk = platform::JoinPath(disk, name);
        if (platform::FileExists(disk.c_str()) && !platform::IsDirectory(disk.c_str())) return;
        platform::MakeDirectory(disk.c_str());
        expected.folders.insert(relative);
        relative += "/";
        start = slash + 1;
    }
}

void Collect(const ImportNode& parent, const std::string& prefix, Expected& found) {
    for (const ImportNode* e = parent.FirstEntry(); e; e = e->NextEntry()) {
        std::string path = prefix + e->properties.name.c_str();
        Check(e->properties.address.Length() <= 1024);
        if (e->properties.address.IsEmpty() && e->HasChildren()) {
            found.folders.insert(path);
            Collect(*e, path + "/", found);
        } else {
            found.shortcuts.insert(path);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto folder = std::make_unique<TempDir>();
    const std::string root = folder->Path();
    const std::string input(reinterpret_cast<const char*>(data), size);
    Expected expected;
    size_t start = 0;
    for (int files = 0; start <= input.size() && files < 32; ++files) {
        size_t end = input.find('\0', start);
        if (end == std::string::npos) end = input.size();
        Place(root, input.substr(start, end - start), expected);
        start = end + 1;
    }
    ImportNode into;
    ScanShortcutFolder(root, into, ItemProperties());
    folder.reset();

    Expected found;
    Collect(into, "", found);
    // An empty folder reads as an entry without address or children, like a
    // shortcut without a URL, so the two sets are compared together.
    std::set<std::string> want = expected.shortcuts, got = found.shortcuts;
    for (const std::string& f : expected.folders) want.insert(f);
    for (const std::string& f : found.folders) got.insert(f);
    Check(want == got);
    return 0;
}
