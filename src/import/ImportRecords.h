#pragma once
// The import record stream: what a copy or a drag carries inside the import
// dialog. One entry record is a has-properties byte (0 or 1), the properties
// record of the watch list file, then the children as a 16-bit count and
// their entry records. A copy is one root entry whose children are the
// copied entries. It shares its clipboard name with the main window's watch
// list stream, yet neither reader takes the other's bytes.
#include <cstddef>
#include <string>
#include <vector>

#include "import/ImportNode.h"

// An entry to copy: alone, or with everything below it.
struct CopiedEntry {
    const ImportNode* entry;
    bool withSubtree;
};

// The stream of a copy of these entries.
std::string ImportRecordBytes(const std::vector<CopiedEntry>& entries);

// Appends the copied entries of a stream to `into`, in order. Nothing is
// appended when the bytes are not one whole, well-formed root record.
// Returns the number of top-level entries appended.
size_t ReadImportRecords(const void* bytes, size_t size, ImportNode& into);
