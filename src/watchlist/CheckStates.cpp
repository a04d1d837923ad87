// Reading and writing the check states file (see CheckStates.h).
#include "watchlist/CheckStates.h"

#include <cstring>
#include <vector>

#include "stream/BinIo.h"
#include "watchlist/ItemList.h"

namespace {

// Whether the last finished check failed. A check under way (or asked for)
// leaves the failure before it standing until it ends, so a save made while
// it runs (another object's check ended) must keep that failure: a check
// that then fails the same way changes nothing and saves nothing.
bool LastCheckFailed(const ItemNode& o) {
    if (o.state == kCheckFailed) return true;
    return o.state != kCheckIdle && o.failedSince != 0;
}

bool WorthKeeping(const ItemNode& o) {
    return !o.IsFolder() && (LastCheckFailed(o) || !o.etag.IsEmpty() || o.mailSecurity != 0);
}

}  // namespace

int SaveCheckStates(const ItemList& list, owstream& os) {
    const ItemNode* root = &list;
    std::vector<std::pair<uint32_t, const ItemNode*>> kept;
    uint32_t position = 0;
    for (const ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root)) {
        ++position;
        if (WorthKeeping(*o) && kept.size() < 0xFFFF) kept.emplace_back(position, o);
    }
    os.Write(kCheckStatesHeader, sizeof kCheckStatesHeader);
    WriteU8(os, kCheckStatesVersion);
    WriteU16(os, static_cast<uint16_t>(kept.size()));
    for (const auto& [at, o] : kept) {
        const bool failed = LastCheckFailed(*o);
        WriteU32(os, at);
        WriteString(os, o->properties.address);
        WriteI32(os, failed ? -1 : 0);
        WriteI32(os, failed ? o->lastError : 0);
        WriteI32(os, failed ? o->detail : 0);
        WriteU32(os, failed ? o->failedSince : 0);
        WriteString(os, o->etag);
        WriteString(os, failed ? o->serverReply : AStr());
        WriteU8(os, o->mailSecurity);
    }
    return os.IsError() ? -1 : 0;
}

int LoadCheckStates(ItemList& list, iwstream& is) {
    char header[sizeof kCheckStatesHeader];
    uint8_t version = 0;
    uint16_t count = 0;
    if (is.Read(header, sizeof header) != static_cast<long>(sizeof header) ||
        std::memcmp(header, kCheckStatesHeader, sizeof header) != 0 || ReadU8(is, &version) != 0 ||
        version < kCheckStatesOldestVersion || version > kCheckStatesVersion ||
        ReadU16(is, &count) != 0)
        return -1;
    ItemNode* root = &list;
    std::vector<ItemNode*> objects{root};
    for (ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root)) objects.push_back(o);
    for (uint16_t i = 0; i < count; ++i) {
        uint32_t at = 0, since = 0;
        int32_t state = 0, error = 0, detail = 0;
        uint8_t security = 0;
        AStr address, tag, reply;
        if (ReadU32(is, &at) || ReadString(is, address) || ReadI32(is, &state) ||
            ReadI32(is, &error) || ReadI32(is, &detail) || ReadU32(is, &since) ||
            ReadString(is, tag) || ReadString(is, reply) || (version >= 2 && ReadU8(is, &security)))
            return -1;
        ItemNode* target = nullptr;
        if (at < objects.size() && !objects[at]->IsFolder() &&
            objects[at]->properties.address == address)
            target = objects[at];
        for (size_t k = 1; !target && k < objects.size(); ++k)
            if (!objects[k]->IsFolder() && objects[k]->properties.address == address)
                target = objects[k];
        if (!target || address.IsEmpty()) continue;
        if (state == kCheckFailed) {
            target->state = kCheckFailed;
            target->lastError = error;
            target->detail = detail;
            target->failedSince = since;
            target->serverReply = reply;
        }
        target->etag = tag;
        if (target->IsMailbox()) target->mailSecurity = security;
    }
    return 0;
}
