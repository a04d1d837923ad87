#pragma once
// One entry of either tree of the import dialog: the program's own watch list
// on the left, an outside source (an export file, a folder of Internet
// shortcuts, the links of a page, a tree file of the sibling tool) on the
// right.
#include <cstddef>
#include <memory>

#include "framework/List.h"
#include "watchlist/ItemProperties.h"

class ItemNode;

class ImportNode : public Tree {
  public:
    ImportNode() = default;
    // A new entry known by name and address only: a copy of the defaults,
    // then the name and the address cut at its first "#".
    ImportNode(const ItemProperties& defaults, const AStr& name, const AStr& address);

    ImportNode* ParentEntry() const { return dynamic_cast<ImportNode*>(Owner()); }
    ImportNode* FirstEntry() const { return static_cast<ImportNode*>(First()); }
    ImportNode* LastEntry() const { return static_cast<ImportNode*>(Last()); }
    ImportNode* NextEntry() const { return static_cast<ImportNode*>(Next()); }
    ImportNode* NextInTree(const ImportNode* root) const {
        return static_cast<ImportNode*>(NextPreOrder(root));
    }

    // A copy of the entry, with its whole subtree or alone. A copy stands for
    // no object of the watch list.
    std::unique_ptr<ImportNode> Copy(bool withSubtree) const;
    // False when this entry or one below it stands for a protected object.
    bool HoldsProtected() const;
    // The text shown: the name; when empty, a mailbox's server, otherwise
    // the address.
    AStr Text() const;

    ItemProperties properties;
    bool hasProperties = false;        // the properties came from an object or an export file
    bool excluded = false;             // a tree-file node that asked to be left out
    bool noAddress = false;            // a tree-file node marked as having no address
    ItemNode* sourceObject = nullptr;  // the watch list object it stands for (left tree)
    size_t extracts = 0;               // extra records of a tree-file node, read and not kept
    void* treeNode = nullptr;          // its node in a pane
};

// The address up to its first "#".
AStr CutAtFragment(const AStr& address);
