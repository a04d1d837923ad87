#include "panes/PaneNodes.h"

#include "watchlist/ItemNode.h"

ItemTVN::~ItemTVN() {
    if (object_ && object_->treeNode == this) object_->treeNode = nullptr;
}

CheckTVN::CheckTVN(CheckNode* record, uint32_t color) : record_(record), color_(color) {
    record_->treeNode = this;
}

CheckTVN::~CheckTVN() {
    if (record_->treeNode == this) record_->treeNode = nullptr;
}

ChangeTVN::ChangeTVN(ChangeNode* record, bool hasLink) : record_(record), hasLink_(hasLink) {
    record_->treeNode = this;
}

ChangeTVN::~ChangeTVN() {
    if (record_->treeNode == this) record_->treeNode = nullptr;
}
