#pragma once
// Filling the source tree of the import dialog from the kind of source the
// user chose.
#include <cstdint>
#include <string>

#include "import/ImportNode.h"

enum class SourceKind : uint8_t {
    kShortcutFolder = 0,
    kExportFile = 1,
    kPageLinks = 2,
    kFavorites = 3,
    kTrovikTree = 4,
};

struct SourceResult {
    enum Failure { kNone, kUnreadable, kSystemError };
    Failure failure = kNone;
    uint32_t systemError = 0;  // with kSystemError: the error code of a failed read
    bool Ok() const { return failure == kNone; }
};

// Empties `root` and reads the source into it. A kind the dialog does not
// know becomes the export file and loads nothing. An unreadable source
// leaves what was read before the failure.
SourceResult LoadSource(uint8_t& kind, const std::string& path, ImportNode& root,
                        const ItemProperties& defaults);
