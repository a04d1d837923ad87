#include "watchlist/ItemList.h"

#include <cstring>
#include <vector>

#include "platform/Files.h"
#include "stream/ListStore.h"
#include "stream/BinIo.h"
#include "watchlist/UserFiles.h"

const char ItemList::kHeader[22] = "Orvex Vistomer Config";
const char ItemList::kChangeHeader[23] = "Orvex Vistomer Changes";

namespace {

constexpr unsigned kMaxCopyNumber = 9999;
constexpr size_t kMaxStoredChildren = 0xFFFF;

// Calls fn for the node and, in pre-order, every node below it that the
// watch list file holds (a list keeps at most 65535 records). Stops at the
// first non-zero result and returns it.
template <class NodeT, class Fn>
int WalkStored(NodeT& node, Fn& fn) {
    if (int r = fn(node)) return r;
    size_t i = 0;
    for (auto* c = node.FirstItem(); c && i < kMaxStoredChildren; c = c->NextItem(), ++i)
        if (int r = WalkStored(*c, fn)) return r;
    return 0;
}

// How many objects and frames hold each copy number.
class CopyNumbers {
  public:
    explicit CopyNumbers(const ItemList& list) : held_(0x10000, 0) {
        const ItemNode* root = &list;
        for (const ItemNode* o = root; o; o = o->NextInTree(root)) {
            if (!o->IsFolder()) ++held_[o->copyNumber];
            for (const _HtmlFrameNode* f = o->frames.get(); f; f = f->NextInTree(o->frames.get()))
                ++held_[f->copyNumber];
        }
        held_[0] = 0;
    }
    void Take(uint16_t n) {
        if (n) ++held_[n];
    }
    void Give(uint16_t n) {
        if (n && held_[n]) --held_[n];
    }
    // The first candidate from `from` on that is neither held nor has its
    // stored-copy file; 0 when none is left.
    uint16_t FirstFree(const std::string& userFolder, unsigned from) const {
        for (unsigned c = from; c <= kMaxCopyNumber; ++c)
            if (!held_[c] &&
                !platform::FileExists(StoredCopyPath(userFolder, static_cast<uint16_t>(c)).c_str()))
                return static_cast<uint16_t>(c);
        return 0;
    }

  private:
    std::vector<uint32_t> held_;
};

}  // namespace

ItemList::~ItemList() {
    Clear();
}

int ItemList::Save(owstream& os) const {
    if (os.Write(kHeader, sizeof kHeader) != static_cast<long>(sizeof kHeader) ||
        WriteU8(os, kVersion) < 0)
        return -1;
    return SaveList(os, *this) < 0 || os.IsError() ? -1 : 0;
}

int ItemList::Load(iwstream& is, int) {
    Clear();
    loadedVersion_ = -1;
    char header[sizeof kHeader];
    if (is.Read(header, sizeof header) != static_cast<long>(sizeof header) ||
        std::memcmp(header, kHeader, sizeof header) != 0)
        return -1;
    uint8_t version = 0;
    uint16_t count = 0;
    if (ReadU8(is, &version) < 0) return -1;
    loadedVersion_ = version;
    if (ReadU16(is, &count) < 0) return -1;
    for (unsigned i = 0; i < count; ++i) {
        auto* child = new ItemNode;
        int r = child->Load(is, version);
        if (r != 0 || is.IsError()) {
            delete child;
            return r != 0 ? r : -1;
        }
        Append(child);
    }
    return 0;
}

int ItemList::SaveChangeLog(owstream& os) const {
    if (os.Write(kChangeHeader, sizeof kChangeHeader) != static_cast<long>(sizeof kChangeHeader) ||
        WriteU8(os, kVersion) < 0)
        return -1;
    auto save = [&os](const ItemNode& n) { return n.SaveChecks(os); };
    return WalkStored(static_cast<const ItemNode&>(*this), save) != 0 || os.IsError() ? -1 : 0;
}

int ItemList::LoadChangeLog(iwstream& is) {
    char header[sizeof kChangeHeader];
    if (is.Read(header, sizeof header) != static_cast<long>(sizeof header) ||
        std::memcmp(header, kChangeHeader, sizeof header) != 0)
        return -1;
    uint8_t version = 0;
    if (ReadU8(is, &version) < 0) return -1;
    auto load = [&is, version](ItemNode& n) { return n.LoadChecks(is, version); };
    int r = WalkStored(static_cast<ItemNode&>(*this), load);
    RecomputeMarks();
    return r != 0 || is.IsError() ? -1 : 0;
}

void ItemList::AssignCopyNumber(ItemNode& object, _HtmlFrameNode* frame) {
    uint16_t& number = frame ? frame->copyNumber : object.copyNumber;
    number = 0;
    CopyNumbers numbers(*this);
    number = numbers.FirstFree(userFolder_, 1);
}

void ItemList::RenumberCopies() {
    CopyNumbers numbers(*this);
    std::vector<bool> seen(0x10000, false);
    unsigned next = 1;  // candidates below it are held or have a file: they stay refused
    auto settle = [&](uint16_t& number) {
        if (number && !seen[number]) {
            seen[number] = true;
            return;
        }
        numbers.Give(number);
        number = numbers.FirstFree(userFolder_, next);
        if (number) {
            numbers.Take(number);
            seen[number] = true;
            next = number + 1u;
        } else {
            next = kMaxCopyNumber + 1;
        }
    };
    ItemNode* root = this;
    for (ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root))
        if (!o->IsFolder()) settle(o->copyNumber);
    for (ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root)) {
        if (o->IsFolder() || !o->frames) continue;
        for (_HtmlFrameNode* f = o->frames->NextInTree(o->frames.get()); f;
             f = f->NextInTree(o->frames.get()))
            if (!f->address.IsEmpty()) settle(f->copyNumber);
    }
}

long ItemList::CountNewChanges() const {
    long n = 0;
    const ItemNode* root = this;
    for (const ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root))
        if (!o->IsFolder() && (o->marks & kMarkUnseen)) ++n;
    return n;
}
