#include "watchlist/ItemNode.h"

#include <atomic>
#include <cstring>

#include "stream/ListStore.h"
#include "stream/BinIo.h"
#include "watchlist/AddressRules.h"
#include "watchlist/ItemList.h"

namespace {

std::atomic<long> g_liveItems{0};

// The OR of the own and derived marks of a node's children.
uint16_t ChildMarks(const ItemNode& node) {
    uint16_t bits = 0;
    for (ItemNode* c = node.FirstItem(); c; c = c->NextItem()) bits |= c->marks | c->derivedMarks;
    return bits & kMarkBits;
}

}  // namespace

ItemNode::ItemNode() {
    ++g_liveItems;
}

ItemNode::ItemNode(const ItemProperties& p) : properties(p) {
    ++g_liveItems;
}

ItemNode::~ItemNode() {
    --g_liveItems;
}

long ItemNode::LiveCount() {
    return g_liveItems.load();
}

bool ItemNode::IsMailbox() const {
    return IsMailboxAddress(properties.address.c_str());
}

ItemList* ItemNode::Root() {
    ItemNode* n = this;
    while (ItemNode* p = n->ParentItem()) n = p;
    return dynamic_cast<ItemList*>(n);
}

void ItemNode::Refresh() {
    if (ItemList* root = Root()) root->Refresh(*this);
}

void ItemNode::SetMarks(uint16_t bits) {
    bits &= kMarkBits;
    if ((marks & bits) == bits) return;
    marks |= bits;
    Refresh();
    for (ItemNode* p = ParentItem(); p && (p->derivedMarks & bits) != bits; p = p->ParentItem()) {
        p->derivedMarks |= bits;
        p->Refresh();
    }
}

void ItemNode::ClearMarks(uint16_t bits) {
    bits &= kMarkBits;
    if (marks & bits) {
        marks &= ~bits;
        Refresh();
    }
    for (ItemNode* p = ParentItem(); p; p = p->ParentItem()) {
        uint16_t recomputed = (p->derivedMarks & ~bits) | (ChildMarks(*p) & bits);
        if (recomputed == p->derivedMarks) break;
        p->derivedMarks = recomputed;
        p->Refresh();
    }
}

void ItemNode::RecomputeMarks() {
    for (ItemNode* c = FirstItem(); c; c = c->NextItem()) c->RecomputeMarks();
    uint16_t recomputed = ChildMarks(*this);
    if (recomputed != derivedMarks) {
        derivedMarks = recomputed;
        Refresh();
    }
}

ItemNode* ItemNode::Clone() const {
    auto* copy = new ItemNode(properties);
    copy->title = title;
    copy->marks = marks & kMarkBits;
    copy->derivedMarks = derivedMarks & kMarkBits;
    copy->copyCharset = copyCharset;
    return copy;
}

bool ItemNode::IsProtectedTree() const {
    if (properties.flags & kFlagProtected) return false;
    for (ItemNode* c = FirstItem(); c; c = c->NextItem())
        if (!c->IsProtectedTree()) return false;
    return true;
}

AStr ItemNode::DisplayName() const {
    if (!properties.name.IsEmpty()) return properties.name;
    if (!title.IsEmpty()) return title;
    if (IsMailbox()) {
        AStr host = MailboxHost(properties.address.c_str());
        if (!host.IsEmpty()) return host;
    }
    return properties.address;
}

bool ItemNode::FramesComplete() const {
    for (const _HtmlFrameNode* f = frames.get(); f; f = f->NextInTree(frames.get()))
        if (f->state != kCheckIdle && f->state != kCheckFailed) return false;
    return true;
}

void ItemNode::AggregateFrameState() {
    if (!frames) return;
    int32_t largest = 0;
    for (const _HtmlFrameNode* f = frames.get(); f; f = f->NextInTree(frames.get())) {
        if (f->state == kCheckFailed) {
            state = kCheckFailed;
            lastError = f->lastError;
            detail = f->detail;
            return;
        }
        if (f->state > largest) largest = f->state;
    }
    state = largest;
    lastError = 0;
    detail = 0;
}

int32_t ItemNode::FrameResult() const {
    int32_t largest = 0;
    for (const _HtmlFrameNode* f = frames.get(); f; f = f->NextInTree(frames.get())) {
        if (f->mode == -1) return -1;
        if (f->mode > largest) largest = f->mode;
    }
    return largest;
}
