// The tree file of the sibling tool, read field by field for every version
// of its format. Only the names, the no-address mark and the exclusion
// flags are used; every other field is read past.
#include <cstring>
#include <memory>
#include <vector>

#include "import/SourceReaders.h"
#include "stream/BinIo.h"

namespace {

const char kTrovikHeader[27] = {' ', 'O', 'r', 'v', 'e', 'x', ' ',  'T', 'r',
                                'o', 'v', 'i', 'k', ' ', 'T', 'r',  'e', 'e',
                                ' ', 'F', 'i', 'l', 'e', ' ', 0x1A, ' ', 0};
constexpr size_t kHeaderSize = 28;  // the 28th byte is not examined
constexpr uint8_t kNoAddressMark = 100;
constexpr uint16_t kExclusionBits = 0x1440;
// A tree nested deeper than this is taken for damage.
constexpr int kDeepestNode = 256;

class TreeReader {
  public:
    TreeReader(iwstream& in, const ItemProperties& defaults) : in_(in), defaults_(defaults) {}

    bool ReadHeader() {
        char header[kHeaderSize];
        if (in_.Read(header, kHeaderSize) != static_cast<long>(kHeaderSize) ||
            std::memcmp(header, kTrovikHeader, sizeof kTrovikHeader) != 0)
            return false;
        if (ReadU16(in_, &version_) < 0) return false;
        return version_ <= 2 || Skip32(6);
    }

    bool ReadNode(ImportNode& node, int depth) {
        if (depth > kDeepestNode) return false;
        node.properties = defaults_;
        node.properties.address.Clear();
        uint16_t w1 = 0, w2 = 0;
        uint8_t mark = 0;
        AStr name;
        bool ok = (V() < 4 ? Skip32(1) : Skip16(1)) && U16(&w1) &&
                  (V() < 10 ? U16(&w2) : Skip32(1)) && ReadU8(in_, &mark) >= 0 &&
                  (V() < 9 || Skip8(1)) && ReadString(in_, name) >= 0 &&
                  (V() < 2 || SkipString()) && SkipString() && (V() <= 5 || SkipString()) &&
                  (V() >= 2 || SkipString()) && SkipString() && Skip16(2) && SkipString() &&
                  (V() <= 6 || (Skip32(1) && Skip8(1)));
        if (!ok) return false;
        node.properties.name = name;
        node.noAddress = mark == kNoAddressMark;
        node.excluded = ((V() < 10 ? w2 : w1) & kExclusionBits) != 0;
        uint16_t count = 0;
        if (!U16(&count)) return false;
        for (uint16_t i = 0; i < count; ++i)
            if (!SkipExtract()) return false;
        node.extracts = count;
        if (!U16(&count)) return false;
        for (uint16_t i = 0; i < count; ++i) {
            auto child = std::make_unique<ImportNode>();
            if (!ReadNode(*child, depth + 1)) return false;
            node.Append(child.release());
        }
        return true;
    }

  private:
    int V() const { return version_; }
    bool U16(uint16_t* v) { return ReadU16(in_, v) >= 0; }
    bool Skip8(int n) {
        uint8_t v;
        while (n-- > 0)
            if (ReadU8(in_, &v) < 0) return false;
        return true;
    }
    bool Skip16(int n) {
        uint16_t v;
        while (n-- > 0)
            if (ReadU16(in_, &v) < 0) return false;
        return true;
    }
    bool Skip32(int n) {
        uint32_t v;
        while (n-- > 0)
            if (ReadU32(in_, &v) < 0) return false;
        return true;
    }
    bool SkipString() {
        AStr s;
        return ReadString(in_, s) >= 0;
    }
    bool SkipExtract() {
        uint8_t flag = 0;
        if (!SkipString() || !Skip32(2) || !Skip16(3) || !(V() < 10 ? Skip16(1) : Skip32(1)) ||
            !SkipString() || !(V() < 4 ? Skip32(1) : Skip16(1)))
            return false;
        if (V() <= 6) return true;
        if (ReadU8(in_, &flag) < 0) return false;
        return flag == 0 || (Skip32(1) && (V() <= 7 || SkipString()));
    }

    iwstream& in_;
    const ItemProperties& defaults_;
    uint16_t version_ = 0;
};

// Addresses from the names of the root down to each entry, joined by "/".
void BuildAddresses(ImportNode& root) {
    for (ImportNode* e = &root; e; e = e->NextInTree(&root)) {
        if (e->noAddress) {
            e->properties.address.Clear();
            continue;
        }
        std::vector<const ImportNode*> path;
        for (const ImportNode* p = e; p; p = p == &root ? nullptr : p->ParentEntry())
            path.push_back(p);
        AStr address;
        for (auto it = path.rbegin(); it != path.rend(); ++it) {
            if (!address.IsEmpty()) address += "/";
            address += (*it)->properties.name;
        }
        e->properties.address = address;
    }
}

// Bottom-up: excluded entries lose their address; entries without address
// and without children go.
void Prune(ImportNode& node, bool isRoot) {
    for (ImportNode* c = node.FirstEntry(); c;) {
        ImportNode* next = c->NextEntry();
        Prune(*c, false);
        c = next;
    }
    if (node.excluded) node.properties.address.Clear();
    if (!isRoot && node.properties.address.IsEmpty() && !node.HasChildren()) delete &node;
}

}  // namespace

bool ReadTrovikTree(iwstream& in, ImportNode& into, const ItemProperties& defaults) {
    TreeReader reader(in, defaults);
    ImportNode root;
    if (!reader.ReadHeader() || !reader.ReadNode(root, 0)) return false;
    BuildAddresses(root);
    Prune(root, true);
    into.properties = root.properties;
    into.excluded = root.excluded;
    into.noAddress = root.noAddress;
    into.extracts = root.extracts;
    into.TakeAll(root);
    return true;
}
