#pragma once
// One node of the watch list tree: a folder, a web page or a mailbox, with
// its properties, run-time check state, check records, frame tree and the
// marks that tell its folders about unseen changes and switched-on checks.
#include <cstdint>
#include <memory>

#include "framework/AStr.h"
#include "framework/List.h"
#include "watchlist/CheckNode.h"
#include "watchlist/FrameNode.h"
#include "watchlist/ItemProperties.h"

class ItemList;

// Marks, own and derived.
enum : uint16_t {
    kMarkUnseen = 1,      // unseen changes
    kMarkSwitchedOn = 2,  // checking switched on
    kMarkBits = kMarkUnseen | kMarkSwitchedOn,
};

class ItemNode : public Tree {
  public:
    ItemNode();
    explicit ItemNode(const ItemProperties& p);
    ~ItemNode() override;

    // The kind follows from the address.
    bool IsFolder() const { return properties.address.IsEmpty(); }
    bool IsMailbox() const;

    ItemNode* ParentItem() const { return dynamic_cast<ItemNode*>(Owner()); }
    ItemNode* FirstItem() const { return static_cast<ItemNode*>(First()); }
    ItemNode* NextItem() const { return static_cast<ItemNode*>(Next()); }
    // Next node below `root` in pre-order, or null.
    ItemNode* NextInTree(const ItemNode* root) const {
        return static_cast<ItemNode*>(NextPreOrder(root));
    }
    // The list this node belongs to (itself for the root), or null.
    ItemList* Root();

    // Bit 1 clear in own and derived marks: nothing here or below is checked.
    bool IsSwitchedOff() const { return !((marks | derivedMarks) & kMarkSwitchedOn); }
    bool HasUnseen() const { return ((marks | derivedMarks) & kMarkUnseen) != 0; }
    // Set bits in the own marks and carry them up the derived marks of the
    // folders; clear them and recompute the folders above. Each node whose
    // marks change is refreshed through its list's hook.
    void SetMarks(uint16_t bits);
    void ClearMarks(uint16_t bits);
    // Depth first: derived marks become the OR of the children's marks.
    void RecomputeMarks();

    // A copy of properties, title, marks and character set; no children,
    // checks or frames.
    ItemNode* Clone() const;
    // False when this object or any below it is protected (may not be deleted).
    bool IsProtectedTree() const;
    // Name, else title, else a mailbox's server, else the address.
    AStr DisplayName() const;

    // Frame aggregates; a page without frames answers as if complete.
    bool FramesComplete() const;
    // kCheckFailed with the error of a failed frame, else the largest frame state.
    void AggregateFrameState();
    // -1 when any frame's result is -1, else the largest.
    int32_t FrameResult() const;

    // The number of ItemNodes alive in the process.
    static long LiveCount();

    // One object record of the watch list file (with its frame tree and
    // children); version is the file's format version.
    int Save(owstream& os) const override;
    int Load(iwstream& is, int version) override;
    // One block of the change log: unseen flag, last check time, checks.
    virtual int LoadChecks(iwstream& is, int version);
    virtual int SaveChecks(owstream& os) const;

    ItemProperties properties;
    uint16_t copyNumber = 0;  // stored copy and temporary file, 1..9999; 0 = none
    uint8_t copyCharset = 0;  // character-set code of the stored copy
    uint16_t marks = kMarkSwitchedOn;
    uint16_t derivedMarks = 0;
    ListOf<CheckNode> checks;                // newest first
    std::unique_ptr<_HtmlFrameNode> frames;  // frame tree of a framed page
    void* treeNode = nullptr;                // the object's node in the item pane
    int32_t state = kCheckIdle;              // a CheckState
    int32_t lastError = 0;
    int32_t detail = 0;
    uint32_t failedSince = 0;  // when the failure shown as kCheckFailed began; 0 when none
    AStr etag;                 // the server's entity tag of the stored copy
    AStr serverReply;          // a server's own words about the failure (a refusal)
    uint8_t mailSecurity = 0;  // a mailbox's connection at its last check (kMail...; 0 unknown)
    AStr title;                // page title from the first stored copy
    bool neverChecked = false;
    bool expanded = false;          // the folder's node is expanded
    void* messageWindow = nullptr;  // open notification window

  protected:
    void Refresh();
    int LoadRecord(iwstream& is, int version, int depth);
};
