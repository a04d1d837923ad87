#include "import/LoadSource.h"

#include "import/SourceReaders.h"
#include "platform/Files.h"
#include "platform/ShellFolders.h"
#include "stream/FileStream.h"

namespace {

SourceResult Unreadable() {
    SourceResult r;
    r.failure = SourceResult::kUnreadable;
    return r;
}

SourceResult ReadPage(const std::string& path, ImportNode& root, const ItemProperties& defaults) {
    platform::FileHandle file = platform::OpenForRead(path.c_str(), true);
    if (file == platform::kInvalidFile) return Unreadable();
    BlockReader read = [file](char* buffer, long capacity, uint32_t* error) {
        long n = platform::Read(file, buffer, static_cast<unsigned long>(capacity));
        if (n < 0) *error = platform::LastError();
        return n;
    };
    SourceResult r;
    if (uint32_t error = ExtractPageLinks(read, root, defaults)) {
        r.failure = SourceResult::kSystemError;
        r.systemError = error;
    }
    platform::Close(file);
    return r;
}

}  // namespace

SourceResult LoadSource(uint8_t& kind, const std::string& path, ImportNode& root,
                        const ItemProperties& defaults) {
    root.Clear();
    switch (static_cast<SourceKind>(kind)) {
        case SourceKind::kShortcutFolder:
            ScanShortcutFolder(path, root, defaults);
            return SourceResult();
        case SourceKind::kExportFile: {
            ifwstream in(path.c_str(), true);
            if (in.OpenError() || !ReadExportFile(in, root)) return Unreadable();
            return SourceResult();
        }
        case SourceKind::kPageLinks:
            return ReadPage(path, root, defaults);
        case SourceKind::kFavorites: {
            std::string folder = platform::FavoritesFolder();
            if (!folder.empty()) ScanShortcutFolder(folder, root, defaults);
            return SourceResult();
        }
        case SourceKind::kTrovikTree: {
            ifwstream in(path.c_str(), true);
            if (in.OpenError() || !ReadTrovikTree(in, root, defaults)) return Unreadable();
            return SourceResult();
        }
    }
    kind = static_cast<uint8_t>(SourceKind::kExportFile);
    return SourceResult();
}
