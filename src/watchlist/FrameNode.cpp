#include "watchlist/FrameNode.h"

#include "stream/BinIo.h"

namespace {

int LoadFrame(iwstream& is, _HtmlFrameNode& node, int version, int depth) {
    if (ReadString(is, node.name) < 0 || ReadString(is, node.source) < 0 ||
        ReadString(is, node.base) < 0)
        return -1;
    node.sourceCopy = node.source;
    if (version < 4) {
        AStr fileName;
        if (ReadString(is, fileName) < 0) return -1;
        node.copyNumber = CopyNumberFromFileName(fileName.c_str());
    } else if (ReadU16(is, &node.copyNumber) < 0) {
        return -1;
    }
    if (version >= 2 && ReadU8(is, &node.copyCharset) < 0) return -1;
    uint16_t count = 0;
    if (ReadU16(is, &count) < 0) return -1;
    if (count && depth >= kMaxTreeDepth) return -1;
    for (unsigned i = 0; i < count; ++i) {
        auto* child = new _HtmlFrameNode;
        node.Append(child);
        if (LoadFrame(is, *child, version, depth + 1) != 0) return -1;
    }
    return 0;
}

}  // namespace

uint16_t CopyNumberFromFileName(const char* name) {
    if (!name || !name[0] || !name[1] || !name[2]) return 0;
    unsigned long n = 0;
    for (const char* p = name + 2; *p >= '0' && *p <= '9' && n < 65534; ++p)
        n = n * 10 + static_cast<unsigned long>(*p - '0');
    if (n > 65534) n = 65534;
    return static_cast<uint16_t>(n + 1);
}

int SaveFrameTree(owstream& os, const _HtmlFrameNode& node) {
    if (WriteString(os, node.name) < 0 || WriteString(os, node.source) < 0 ||
        WriteString(os, node.base) < 0 || WriteU16(os, node.copyNumber) < 0 ||
        WriteU8(os, node.copyCharset) < 0)
        return -1;
    size_t count = node.Count();
    if (count > 0xFFFF) count = 0xFFFF;
    if (WriteU16(os, static_cast<uint16_t>(count)) < 0) return -1;
    const _HtmlFrameNode* child = node.FirstFrame();
    for (size_t i = 0; i < count; ++i, child = child->NextFrame())
        if (SaveFrameTree(os, *child) != 0) return -1;
    return 0;
}

int LoadFrameTree(iwstream& is, _HtmlFrameNode& root, int version) {
    return LoadFrame(is, root, version, 0);
}
