// The object record of the watch list file and the object's block of the
// change log.
#include "stream/ListStore.h"
#include "stream/BinIo.h"
#include "watchlist/AddressRules.h"
#include "watchlist/ItemNode.h"
#include "watchlist/PropertyRecord.h"
#include "watchlist/Scramble.h"

namespace {

const char kMailto[] = "mailto:";

AStr StoredAddress(const AStr& address) {
    if (!IsMailboxAddress(address.c_str())) return address;
    AStr out(kMailto);
    out += Scramble(address.c_str() + 7);
    return out;
}

// The address as read, after the rules of older versions.
AStr ReadAddress(const AStr& stored, int version) {
    AStr address = stored;
    if (version >= 7 && IsMailboxAddress(address.c_str())) {
        address = kMailto;
        address += Unscramble(stored.c_str() + 7);
    }
    if (version < 6) address = NormalizeOldAddress(address.c_str());
    if (address == "http://") address.Clear();
    return address;
}

}  // namespace

int SaveProperties(owstream& os, const ItemProperties& p) {
    bool ok = WriteString(os, p.name) == 0 && WriteString(os, StoredAddress(p.address)) == 0 &&
              WriteU32(os, p.timedelta) == 0 && WriteU32(os, p.lastCheck) == 0 &&
              WriteU8(os, p.modify) == 0 && WriteString(os, p.keywords) == 0 &&
              WriteU8(os, p.deltype) == 0 && WriteI32(os, p.delparam) == 0 &&
              WriteI16(os, p.minchanged) == 0 && WriteU8(os, p.skipchanges) == 0 &&
              WriteI16(os, p.skipnumchars) == 0 && WriteString(os, p.skipkeywords) == 0 &&
              WriteU8(os, p.event.type) == 0 && WriteString(os, p.event.param) == 0 &&
              WriteU32(os, p.color) == 0 && WriteU16(os, p.flags) == 0;
    return ok ? 0 : -1;
}

int LoadProperties(iwstream& is, ItemProperties& p, int version) {
    AStr stored;
    if (ReadString(is, p.name) < 0 || ReadString(is, stored) < 0) return -1;
    p.address = ReadAddress(stored, version);
    if (ReadU32(is, &p.timedelta) < 0 || ReadU32(is, &p.lastCheck) < 0 ||
        ReadU8(is, &p.modify) < 0 || ReadString(is, p.keywords) < 0 || ReadU8(is, &p.deltype) < 0)
        return -1;
    if (version < 3) {
        int16_t shortParam = 0;
        if (ReadI16(is, &shortParam) < 0) return -1;
        p.delparam = shortParam;
    } else if (ReadI32(is, &p.delparam) < 0) {
        return -1;
    }
    if (ReadI16(is, &p.minchanged) < 0 || ReadU8(is, &p.skipchanges) < 0 ||
        ReadI16(is, &p.skipnumchars) < 0 || ReadString(is, p.skipkeywords) < 0 ||
        ReadU8(is, &p.event.type) < 0 || ReadString(is, p.event.param) < 0)
        return -1;
    if (version >= 8 && ReadU32(is, &p.color) < 0) return -1;
    if (version >= 5 && ReadU16(is, &p.flags) < 0) return -1;
    if (version < 9 && p.address.IsEmpty()) p.flags |= kFlagNewsTape;
    return 0;
}

int ItemNode::Save(owstream& os) const {
    if (SaveProperties(os, properties) < 0 || WriteU16(os, copyNumber) < 0 ||
        WriteString(os, title) < 0 || WriteU8(os, expanded ? 1 : 0) < 0 ||
        WriteU16(os, marks & kMarkBits) < 0 || WriteU16(os, derivedMarks & kMarkBits) < 0 ||
        WriteU8(os, copyCharset) < 0 || WriteU8(os, frames ? 1 : 0) < 0)
        return -1;
    if (frames && SaveFrameTree(os, *frames) < 0) return -1;
    return SaveList(os, *this);
}

int ItemNode::Load(iwstream& is, int version) {
    return LoadRecord(is, version, 0);
}

int ItemNode::LoadRecord(iwstream& is, int version, int depth) {
    if (LoadProperties(is, properties, version) < 0) return -1;
    if (version < 4) {
        AStr fileName;
        if (ReadString(is, fileName) < 0) return -1;
        copyNumber = CopyNumberFromFileName(fileName.c_str());
    } else if (ReadU16(is, &copyNumber) < 0) {
        return -1;
    }
    uint8_t expandedByte = 0, hasFrames = 0;
    if (ReadString(is, title) < 0 || ReadU8(is, &expandedByte) < 0 || ReadU16(is, &marks) < 0 ||
        ReadU16(is, &derivedMarks) < 0)
        return -1;
    expanded = expandedByte != 0;
    marks &= kMarkBits;
    derivedMarks &= kMarkBits;
    if (version >= 1 && ReadU8(is, &copyCharset) < 0) return -1;
    if (ReadU8(is, &hasFrames) < 0) return -1;
    if (hasFrames) {
        frames.reset(new _HtmlFrameNode);
        if (LoadFrameTree(is, *frames, version) < 0) return -1;
    }
    uint16_t count = 0;
    if (ReadU16(is, &count) < 0) return -1;
    if (count && depth >= kMaxTreeDepth) return -1;
    for (unsigned i = 0; i < count; ++i) {
        auto* child = new ItemNode;
        int r = child->LoadRecord(is, version, depth + 1);
        if (r != 0 || is.IsError()) {
            delete child;
            return r != 0 ? r : -1;
        }
        Append(child);
    }
    return is.IsError() ? -1 : 0;
}

int ItemNode::SaveChecks(owstream& os) const {
    if (WriteU8(os, (marks & kMarkUnseen) ? 1 : 0) < 0 || WriteU32(os, properties.lastCheck) < 0)
        return -1;
    return IsFolder() ? 0 : SaveList(os, checks);
}

int ItemNode::LoadChecks(iwstream& is, int version) {
    uint8_t unseen = 0;
    if (ReadU8(is, &unseen) < 0) return -1;
    marks = static_cast<uint16_t>(unseen ? marks | kMarkUnseen : marks & ~kMarkUnseen);
    if (version > 9 && ReadU32(is, &properties.lastCheck) < 0) return -1;
    if (IsFolder()) return 0;
    checks.Clear();
    long n = LoadList(is, checks, version, [](iwstream&) -> Node* { return new CheckNode; });
    return n < 0 ? -1 : 0;
}
