#include "import/ImportApply.h"

#include <memory>
#include <utility>

#include "watchlist/FrameNode.h"
#include "watchlist/HeldEvents.h"
#include "watchlist/ItemNode.h"

namespace {

// A new object that carries on the old one: everything it has learned moves
// over, the children come from the tree.
ItemNode* TakeOver(ItemNode& old) {
    ItemNode* n = old.Clone();
    n->copyNumber = std::exchange(old.copyNumber, 0);
    n->checks.TakeAll(old.checks);
    n->frames = std::move(old.frames);
    n->state = old.state;
    n->lastError = old.lastError;
    n->detail = old.detail;
    n->failedSince = old.failedSince;
    n->etag = old.etag;
    n->serverReply = old.serverReply;
    n->mailSecurity = old.mailSecurity;
    n->neverChecked = old.neverChecked;
    n->expanded = old.expanded;
    return n;
}

}  // namespace

void FillFromWatchList(const ItemNode& list, ImportNode& root) {
    for (ItemNode* o = list.FirstItem(); o; o = o->NextItem()) {
        auto e = std::make_unique<ImportNode>();
        e->properties = o->properties;
        e->hasProperties = true;
        e->sourceObject = o;
        FillFromWatchList(*o, *e);
        root.Append(e.release());
    }
}

void BuildImportedList(const ImportNode& root, ItemNode& into, std::vector<ItemNode*>* held) {
    for (const ImportNode* e = root.FirstEntry(); e; e = e->NextEntry()) {
        ItemNode* n;
        if (e->sourceObject) {
            n = TakeOver(*e->sourceObject);
        } else {
            n = new ItemNode(e->properties);
            n->neverChecked = true;
            n->marks = kMarkSwitchedOn;
            if (held && HoldProgramEvent(*n)) held->push_back(n);
        }
        into.Append(n);
        BuildImportedList(*e, *n, held);
    }
}
