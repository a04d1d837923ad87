#pragma once
// The root of the watch list tree. It writes and reads the file header of
// the watch list and of the change log, hands out copy numbers, and passes
// node refreshes to its host (the item pane).
#include <cstdint>
#include <functional>
#include <string>

#include "watchlist/ItemNode.h"

class ItemList : public ItemNode {
  public:
    static constexpr int kVersion = 10;
    static const char kHeader[22];        // "Orvex Vistomer Config" and a zero byte
    static const char kChangeHeader[23];  // "Orvex Vistomer Changes" and a zero byte

    ItemList() = default;
    ~ItemList() override;

    // Header, version 10 and the top-level objects. 0, or -1 when the stream failed.
    int Save(owstream& os) const override;
    // Replaces the tree by the stream's objects (the argument is not used).
    // A foreign header gives -1 and an empty tree; a failing object stops
    // the load with its result, keeping the objects before it.
    int Load(iwstream& is, int version = 0) override;
    // The version byte of the last Load (-1 before any).
    int LoadedVersion() const { return loadedVersion_; }

    // One block per node in pre-order, the root first.
    int SaveChangeLog(owstream& os) const;
    // A foreign header gives -1 and reads nothing; otherwise the blocks are
    // read until one fails, and the derived marks are recomputed.
    int LoadChangeLog(iwstream& is);

    // The folder of stored copies and temporary files ("USER").
    void SetUserFolder(std::string folder) { userFolder_ = std::move(folder); }
    const std::string& UserFolder() const { return userFolder_; }

    // Gives the object, or the frame when one is given, the first number of
    // 1..9999 that no object or frame holds and whose stored-copy file does
    // not exist yet; 0 when there is none.
    void AssignCopyNumber(ItemNode& object, _HtmlFrameNode* frame = nullptr);
    // After loading: objects without a number, or with one already seen
    // earlier in tree order, get a fresh one; then the same for frames.
    void RenumberCopies();

    // Number of pages and mailboxes with unseen changes of their own.
    long CountNewChanges() const;

    // The host's refresh of one node (the item pane); none by default.
    using RefreshHook = std::function<void(ItemNode&)>;
    void SetRefreshHook(RefreshHook hook) { refresh_ = std::move(hook); }
    void Refresh(ItemNode& node) const {
        if (refresh_) refresh_(node);
    }

  private:
    int loadedVersion_ = -1;
    std::string userFolder_;
    RefreshHook refresh_;
};
