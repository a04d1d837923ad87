#pragma once
// Check records: one check of a page or mailbox that found something, with
// one change record per new paragraph, link or message.
#include <cstdint>
#include <functional>

#include "framework/AStr.h"
#include "framework/List.h"

class ItemNode;

class ChangeNode : public Node {
  public:
    ChangeNode() = default;
    ChangeNode(const char* text, const char* link) : text(text), link(link) {}
    ChangeNode* NextChange() const { return static_cast<ChangeNode*>(Next()); }

    // Record: text, second text (strings).
    int Save(owstream& os) const override;
    int Load(iwstream& is, int version) override;

    AStr text;          // the changed text, link text or message line
    AStr link;          // the link address, "mailto:" and the sender, or as the comparison fills it
    int32_t value = 0;  // run-time use only, not stored
    void* treeNode = nullptr;  // the change's node in the result pane
};

class CheckNode : public Node {
  public:
    explicit CheckNode(uint32_t time = 0) : time(time) {}
    CheckNode* NextCheck() const { return static_cast<CheckNode*>(Next()); }

    // Record: u32 time, u8 result, u8 expanded, u16 change count, changes.
    int Save(owstream& os) const override;
    int Load(iwstream& is, int version) override;

    uint32_t time = 0;  // seconds since 1970 UTC
    ListOf<ChangeNode> changes;
    void* treeNode = nullptr;    // the check's node in the result pane
    int32_t result = 0;          // 0 plain download or first copy; 1..3 comparison result
    bool expanded = false;       // shown expanded in the result pane
    ItemNode* origin = nullptr;  // set on a news tape's gathered copies: the owning object
};

// Drops the oldest checks by the object's rule: by age (deltype 1, checks
// not later than now - delparam) or by count (deltype 2, down to delparam).
// The newest check always stays. `beforeDelete` sees each check first (the
// result pane drops its node).
void TrimChecks(ItemNode& object, uint32_t now,
                const std::function<void(CheckNode&)>& beforeDelete = nullptr);
