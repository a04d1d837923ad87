#include "import/ImportRecords.h"

#include <climits>
#include <memory>

#include "stream/BinIo.h"
#include "stream/MemStream.h"
#include "watchlist/ItemList.h"
#include "watchlist/PropertyRecord.h"

namespace {

// Deeper nesting than any hand-made tree is taken for damage, so that a
// hostile stream cannot exhaust the stack.
constexpr int kDeepestEntry = 256;
// Properties are read with the layout of the current file version.
constexpr int kRecordVersion = ItemList::kVersion;

int WriteEntry(owstream& out, const ImportNode& e, bool withSubtree) {
    if (WriteU8(out, e.hasProperties ? 1 : 0) < 0 || SaveProperties(out, e.properties) < 0)
        return -1;
    uint16_t count = 0;
    if (withSubtree)
        for (const ImportNode* c = e.FirstEntry(); c && count < 0xFFFF; c = c->NextEntry()) ++count;
    if (WriteU16(out, count) < 0) return -1;
    const ImportNode* child = e.FirstEntry();
    for (uint16_t i = 0; i < count; ++i, child = child->NextEntry())
        if (WriteEntry(out, *child, true) < 0) return -1;
    return 0;
}

bool ReadEntry(iwstream& in, ImportNode& e, int depth) {
    uint8_t has = 0;
    if (depth > kDeepestEntry || ReadU8(in, &has) < 0 || has > 1) return false;
    e.hasProperties = has != 0;
    if (LoadProperties(in, e.properties, kRecordVersion) < 0) return false;
    uint16_t count = 0;
    if (ReadU16(in, &count) < 0) return false;
    for (uint16_t i = 0; i < count; ++i) {
        auto child = std::make_unique<ImportNode>();
        if (!ReadEntry(in, *child, depth + 1)) return false;
        e.Append(child.release());
    }
    return true;
}

}  // namespace

std::string ImportRecordBytes(const std::vector<CopiedEntry>& entries) {
    ImportNode root;
    for (const CopiedEntry& c : entries) root.Append(c.entry->Copy(c.withSubtree).release());
    omwstream out;
    if (WriteEntry(out, root, true) < 0 || out.IsError()) return std::string();
    return std::string(out.Data() ? out.Data() : "", static_cast<size_t>(out.Size()));
}

size_t ReadImportRecords(const void* bytes, size_t size, ImportNode& into) {
    if (!bytes || size > static_cast<size_t>(LONG_MAX)) return 0;
    imwstream in(bytes, static_cast<long>(size));
    ImportNode root;
    if (!ReadEntry(in, root, 0)) return 0;
    char extra;
    if (in.Read(&extra, 1) > 0) return 0;  // bytes after the root record
    size_t count = 0;
    while (ImportNode* e = root.FirstEntry()) {
        into.Append(e);
        ++count;
    }
    return count;
}
