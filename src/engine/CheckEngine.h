#pragma once
// CheckEngine: the scheduler and the check worker of the watch list. It
// owns the running downloads, the running comparisons and the queue of
// waiting comparisons, starts checks in scheduling passes, and turns the
// workers' end reports into records. Everything runs on the host's thread:
// the host forwards each worker report (HandleReport / OnThreadEnd) and
// runs SchedulingPass at the start of every idle phase.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/CompareThreadNode.h"
#include "engine/EngineHost.h"
#include "framework/List.h"
#include "platform/HostQueue.h"
#include "platform/ReportTarget.h"
#include "http/DownloadNode.h"
#include "watchlist/ItemList.h"
#include "watchlist/Options.h"

// Result code of a check that could not get a stored-copy number.
constexpr int32_t kErrorNoCopyNumber = 18;  // "no more files"
// Result code of a check whose page and stored copy could not be compared
// (one of them failed to open or to read).
constexpr int32_t kErrorCompareFailed = 20000;

// The download settings the options give: proxy, Content-Type charsets and
// the mailbox check.
DownloadSettings DownloadSettingsFrom(const Options& options);

class CheckEngine {
  public:
    // Seconds since 1970 UTC; tests move it by hand.
    using Clock = std::function<uint32_t()>;

    // reports: where the workers post (the host's queue or window); it must
    // deliver back to this engine on the host's thread.
    CheckEngine(ItemList& list, Options& options, EngineHost& host,
                std::shared_ptr<platform::ReportTarget> reports, Clock clock = nullptr);
    // Shuts down (see Shutdown).
    ~CheckEngine();
    CheckEngine(const CheckEngine&) = delete;
    CheckEngine& operator=(const CheckEngine&) = delete;

    void SetDownloadSettings(const DownloadSettings& settings) { settings_ = settings; }
    uint32_t Now() const;

    // Starts at most one due object, then waiting comparisons; only for
    // idle count 0 and while checks are not suspended. Every pass first
    // aborts the downloads that ran past the time of one check.
    void SchedulingPass(int idleCount = 0);
    // Aborts every download older than its check time; its result becomes
    // the deadline's error when it ends.
    void EnforceDeadlines();
    // A worker's end report (kind 1 download, 2 comparison). Reports of
    // workers the engine no longer knows are ignored.
    void OnThreadEnd(uintptr_t kind, const void* sender);
    // A message from the host queue: thread ends are handled, progress
    // reports only end the idle phase. True when it was a thread end.
    bool HandleReport(const platform::HostMessage& message);

    // State 3 for a page or mailbox that is idle or failed and whose frames
    // are complete; objects being checked and folders are left alone.
    void RequestCheck(ItemNode& object);
    // Stops everything running or waiting for the object (waits at most
    // 5000 ms for aborted workers), deletes its temporary files, state 0.
    void StopChecks(ItemNode& object);
    // The node and all below it, children first: stop, then request.
    void CheckSelected(ItemNode& node);
    // Every node in pre-order: stop, then request.
    void CheckAll();
    // Sets the checking-on mark, refreshes and requests a check.
    void SwitchOn(ItemNode& object);
    // Before the host deletes a node: stops the checks of it and below it.
    void ForgetObject(ItemNode& node);
    // "BanChecks": while set, nothing starts; running checks finish.
    bool IsSuspended() const { return options_.suspended; }
    // Passes start only objects whose check was requested, none that merely
    // fell due (a front end checking exactly the objects it was given).
    void SetRequestedOnly(bool on) { requestedOnly_ = on; }
    void SetSuspended(bool suspended);
    // Aborts every worker, empties the queue, waits at most 5000 ms and
    // lets go of what is still running. Safe to call more than once.
    void Shutdown();

    // Starts the check of one object now (what a pass does for a due one).
    void StartCheck(ItemNode& object);
    // Announces a recorded check: trims, marks, expands, refreshes, saves
    // the change log and hands the chosen event to the host.
    void Notify(ItemNode& object);

    size_t RunningDownloads() const { return downloads_.Count(); }
    size_t RunningComparisons() const { return running_.Count(); }
    size_t WaitingComparisons() const { return waiting_.Count(); }
    bool IsBusy() const {
        return RunningDownloads() || RunningComparisons() || WaitingComparisons();
    }
    // The unseen count: objects that got unseen changes (the host sets the
    // count from the change log at start).
    long NewChanges() const { return newChanges_; }
    void SetNewChanges(long count) { newChanges_ = count; }

  private:
    // Scheduler.
    ItemNode* FirstDue(uint32_t now);
    void StartWaitingComparisons();
    void StartDownload(const char* url, const std::string& tempPath, const std::string& storedPath,
                       ItemNode& object, _HtmlFrameNode* frame);
    bool PrepareCopyNumber(ItemNode& object, _HtmlFrameNode* frame);

    // Check worker.
    void OnDownloadEnd(DownloadNode* node);
    void FinishDownload(DownloadNode* node, int32_t result, int32_t detail);
    void PageEnd(ItemNode& object, _HtmlFrameNode* frame, int32_t result, int32_t detail,
                 DownloadThread& thread);
    void FullPage(ItemNode& object, _HtmlFrameNode* frame, const AStr& url, const std::string& temp,
                  int32_t charset);
    void FramedPage(ItemNode& object, _HtmlFrameNode* frame, std::unique_ptr<_HtmlFrameNode> tree,
                    const std::string& temp, int32_t charset);
    void FirstCopy(ItemNode& object, _HtmlFrameNode* frame, const std::string& temp,
                   int32_t charset);
    void MailboxEnd(ItemNode& object, int32_t result, int32_t detail, DownloadThread& thread);
    void FetchFrames(ItemNode& object, _HtmlFrameNode& parent);
    void DropFrames(ItemNode& object, _HtmlFrameNode* frame);
    void QueueComparison(ItemNode& object, _HtmlFrameNode* frame, int32_t newCharset,
                         const AStr& url);
    void OnCompareEnd(CompareThreadNode* comparison);
    bool FinishFramed(ItemNode& object);
    // Text log and Notify for the object's newest check.
    void Announce(ItemNode& object);
    // Moves at most "maxnews" changes, in their order or, `atFront`, each
    // to the front of `to` (so they end reversed); the rest stay in `from`.
    void MoveChanges(List& from, List& to, bool atFront = false) const;
    // What the check states file keeps of an object, as it was before a check ended.
    struct KeptState {
        explicit KeptState(const ItemNode& o)
            : failedSince(o.failedSince),
              lastError(o.lastError),
              detail(o.detail),
              etag(o.etag),
              serverReply(o.serverReply) {}
        uint32_t failedSince;
        int32_t lastError, detail;
        AStr etag, serverReply;
    };
    // Keeps when the object's present failure began (cleared on success);
    // saves the change log and the check states when they changed.
    void NoteFailure(ItemNode& object, const KeptState& before);
    void TakeTitle(ItemNode& object, const std::string& temp, int32_t charset);

    ItemList& list_;
    Options& options_;
    EngineHost& host_;
    std::shared_ptr<platform::ReportTarget> reports_;
    Clock clock_;
    DownloadSettings settings_;
    ListOf<DownloadNode> downloads_;
    List running_;  // CompareThreadNode, started
    List waiting_;  // CompareThreadNode, queue order
    long newChanges_ = 0;
    bool requestedOnly_ = false;
};
