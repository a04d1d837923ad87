// The check worker half of the check engine: what a finished download or
// comparison means, turned into records, stored copies and announcements.
#include <memory>
#include <string>

#include "compare/KeywordFilter.h"
#include "engine/CheckEngine.h"
#include "engine/FrameTree.h"
#include "html/TitleParser.h"
#include "platform/Files.h"
#include "stream/FileUtils.h"
#include "stream/BinIo.h"
#include "stream/FileStream.h"
#include "watchlist/UserFiles.h"

namespace {

constexpr int32_t kNotModified = 304;

struct StateFields {
    int32_t& state;
    int32_t& lastError;
    int32_t& detail;
};

StateFields StateOf(ItemNode& object, _HtmlFrameNode* frame) {
    if (frame) return {frame->state, frame->lastError, frame->detail};
    return {object.state, object.lastError, object.detail};
}

// Stored copies and temporary files of every frame below `top` (not of top).
void DeleteFrameFiles(const ItemList& list, const _HtmlFrameNode& top) {
    for (const _HtmlFrameNode* f = top.NextInTree(&top); f; f = f->NextInTree(&top)) {
        if (!f->copyNumber) continue;
        EraseFile(StoredCopyPath(list.UserFolder(), f->copyNumber).c_str());
        EraseFile(TempFilePath(list.UserFolder(), f->copyNumber).c_str());
    }
}

}  // namespace

void CheckEngine::OnDownloadEnd(DownloadNode* node) {
    DownloadThread* thread = node->Thread();
    int32_t result = thread->GetResult();
    if (node->timedOut && result == kDownloadCancelled) result = kCheckDeadline;
    FinishDownload(node, result, static_cast<int32_t>(thread->HttpStatus()));
}

void CheckEngine::FinishDownload(DownloadNode* node, int32_t result, int32_t detail) {
    std::unique_ptr<DownloadNode> done(node);
    auto* object = static_cast<ItemNode*>(done->object);
    if (!object) return;  // stopped: the result is dropped
    auto* frame = static_cast<_HtmlFrameNode*>(done->frame);
    const KeptState before(*object);
    StateFields fields = StateOf(*object, frame);
    fields.state = fields.lastError = fields.detail = 0;
    object->serverReply.Clear();
    object->properties.lastCheck = Now();
    if (object->IsMailbox())
        MailboxEnd(*object, result, detail, *done->Thread());
    else
        PageEnd(*object, frame, result, detail, *done->Thread());
    done.reset();  // off the running downloads before the host hears of the object
    NoteFailure(*object, before);
    host_.RefreshObject(*object);
}

void CheckEngine::NoteFailure(ItemNode& object, const KeptState& before) {
    if (object.state == kCheckIdle)
        object.failedSince = 0;
    else if (object.state == kCheckFailed && !object.failedSince)
        object.failedSince = Now();  // the last check time may have been moved back for the retry
    if (before.failedSince != object.failedSince || before.lastError != object.lastError ||
        before.detail != object.detail || !(before.etag == object.etag) ||
        !(before.serverReply == object.serverReply))
        host_.SaveChangeLog();
}

void CheckEngine::PageEnd(ItemNode& object, _HtmlFrameNode* frame, int32_t result, int32_t detail,
                          DownloadThread& thread) {
    const std::string& temp = thread.TargetFile();
    StateFields fields = StateOf(object, frame);
    if (result != 0) {
        EraseFile(temp.c_str());
        fields.state = kCheckFailed;
        fields.lastError = result;
        fields.detail = detail;
        if (frame && object.FramesComplete()) FinishFramed(object);
        const uint32_t period = object.properties.timedelta;
        const uint32_t retry = RetryDelay(period, false);
        if (period > retry) {
            int64_t next = static_cast<int64_t>(object.properties.lastCheck) + retry - period;
            object.properties.lastCheck = next > 0 ? static_cast<uint32_t>(next) : 0;
        }
        return;
    }
    if (detail == kNotModified) {
        EraseFile(temp.c_str());
        if (frame) {
            if (frame->HasChildren())
                FetchFrames(object, *frame);
            else if (object.FramesComplete())
                FinishFramed(object);
        } else if (object.frames) {
            FetchFrames(object, *object.frames);
        }
        return;
    }
    if (!frame) object.etag = thread.ETag();  // the tag of the copy about to be stored
    AStr url = thread.Url().IsEmpty() ? FrameUrl(object, frame) : thread.Url();
    if (frame) frame->address = SlashesBeforeQuery(url.c_str());
    FullPage(object, frame, url, temp, thread.CharsetCode());
}

void CheckEngine::FullPage(ItemNode& object, _HtmlFrameNode* frame, const AStr& url,
                           const std::string& temp, int32_t charset) {
    auto tree = std::make_unique<_HtmlFrameNode>();
    tree->address = SlashesBeforeQuery(url.c_str());
    FrameTreeArgs page;
    page.pageUrl = url.c_str();
    BuildFrameTree(temp.c_str(), *tree, page);
    ResolveFrames(*tree, true, frame);
    if (tree->HasChildren()) return FramedPage(object, frame, std::move(tree), temp, charset);
    tree.reset();
    DropFrames(object, frame);

    if (object.neverChecked) return FirstCopy(object, frame, temp, charset);
    bool change = false;
    switch (object.properties.modify) {
        case kModeNone:
            StoreCopy(list_, object, frame, temp.c_str(), static_cast<uint8_t>(charset));
            change = true;
            break;
        case kModeText:
        case kModeLinks:
            if (platform::FileExists(StoredCopyPath(list_, object, frame).c_str())) {
                StateOf(object, frame).state = kCheckComparing;
                QueueComparison(object, frame, charset, url);
                return;
            }
            StoreCopy(list_, object, frame, temp.c_str(), static_cast<uint8_t>(charset));
            break;
        default:
            EraseFile(temp.c_str());
            return;
    }
    if (frame) {
        if (!object.FramesComplete()) return;
        change = FinishFramed(object);
    } else if (change) {
        auto* check = new CheckNode(object.properties.lastCheck);
        object.checks.Prepend(check);
    }
    if (change) Announce(object);
}

void CheckEngine::FirstCopy(ItemNode& object, _HtmlFrameNode* frame, const std::string& temp,
                            int32_t charset) {
    if (!frame) TakeTitle(object, temp, charset);
    StoreCopy(list_, object, frame, temp.c_str(), static_cast<uint8_t>(charset));
    if (object.FramesComplete()) {
        object.neverChecked = false;
        object.AggregateFrameState();
        object.checks.Prepend(new CheckNode(object.properties.lastCheck));
    }
    host_.SaveWatchList();
}

void CheckEngine::TakeTitle(ItemNode& object, const std::string& temp, int32_t charset) {
    int code = charset;
    AStr title = ReadPageTitle(temp.c_str(), &code);
    object.title = title;
    if (object.properties.name.IsEmpty()) object.properties.name = title;
}

void CheckEngine::DropFrames(ItemNode& object, _HtmlFrameNode* frame) {
    _HtmlFrameNode* top = frame ? frame : object.frames.get();
    if (!top || (frame && !frame->HasChildren())) return;
    DeleteFrameFiles(list_, *top);
    if (frame)
        frame->Clear();
    else
        object.frames.reset();
    host_.SaveWatchList();
}

void CheckEngine::FramedPage(ItemNode& object, _HtmlFrameNode* frame,
                             std::unique_ptr<_HtmlFrameNode> tree, const std::string& temp,
                             int32_t charset) {
    if (!frame && object.properties.name.IsEmpty()) TakeTitle(object, temp, charset);
    _HtmlFrameNode* old = frame ? frame : object.frames.get();
    if (old && SameFrameStructure(*old, *tree)) {
        tree.reset();
        StoreCopy(list_, object, frame, temp.c_str(), static_cast<uint8_t>(charset));
        return FetchFrames(object, *old);
    }
    if (old) DeleteFrameFiles(list_, *old);
    StoreCopy(list_, object, frame, temp.c_str(), static_cast<uint8_t>(charset));
    _HtmlFrameNode* target = frame;
    if (frame) {
        frame->Clear();
        frame->TakeAll(*tree);
    } else {
        object.frames = std::move(tree);
        target = object.frames.get();
    }
    for (_HtmlFrameNode* f = target->NextInTree(target); f; f = f->NextInTree(target))
        if (!f->source.IsEmpty()) list_.AssignCopyNumber(object, f);
    target->mode = 3;  // the frame structure changed
    host_.SaveWatchList();
    FetchFrames(object, *target);
}

void CheckEngine::FetchFrames(ItemNode& object, _HtmlFrameNode& parent) {
    // Every frame is marked before the first starts, so that a start that
    // fails at once does not find the frames complete too early.
    std::vector<_HtmlFrameNode*> frames;
    for (_HtmlFrameNode* f = parent.NextInTree(&parent); f; f = f->NextInTree(&parent)) {
        if (f->source.IsEmpty()) continue;
        // A frame's own frames are fetched when its download ends.
        bool nested = false;
        for (_HtmlFrameNode* a = f->ParentFrame(); a && a != &parent; a = a->ParentFrame())
            if (!a->source.IsEmpty()) nested = true;
        if (nested) continue;
        if (!PrepareCopyNumber(object, f)) continue;
        f->state = kCheckDownloading;
        frames.push_back(f);
    }
    if (!frames.empty()) object.state = kCheckDownloading;
    for (_HtmlFrameNode* f : frames) {
        const std::string temp = TempFilePath(list_, object, f);
        platform::FileHandle h =
            platform::OpenForWrite(temp.c_str(), platform::WriteMode::kReplace);
        if (h != platform::kInvalidFile) platform::Close(h);
        StartDownload(FrameUrl(object, f).c_str(), temp, StoredCopyPath(list_, object, f), object,
                      f);
    }
    // Nothing left to fetch (no frame could get a copy number): the check ends here.
    if (frames.empty() && object.FramesComplete() && FinishFramed(object)) Announce(object);
}

void CheckEngine::QueueComparison(ItemNode& object, _HtmlFrameNode* frame, int32_t newCharset,
                                  const AStr& url) {
    const std::string stored = StoredCopyPath(list_, object, frame);
    const std::string temp = TempFilePath(list_, object, frame);
    int32_t oldCharset = frame ? frame->copyCharset : object.copyCharset;
    auto* c = new CompareThreadNode(reports_, stored, temp, url.c_str(), url.c_str(), oldCharset,
                                    newCharset, object.properties, &object);
    c->frame = frame;
    waiting_.Append(c);
}

void CheckEngine::MoveChanges(List& from, List& to, bool atFront) const {
    long moved = 0;
    while (!from.IsEmpty() && (options_.maxNews <= 0 || moved < options_.maxNews)) {
        if (atFront)
            to.Prepend(from.First());
        else
            to.Append(from.First());
        ++moved;
    }
}

void CheckEngine::OnCompareEnd(CompareThreadNode* comparison) {
    // The reference the running list held, dropped when this returns.
    platform::ThreadRef<CompareThreadNode> c(comparison);
    c->GetResult();
    running_.Remove(comparison);
    ItemNode* object = c->object;
    if (!object) return;
    _HtmlFrameNode* frame = c->frame;
    const KeptState before(*object);
    object->properties.lastCheck = Now();
    if (c->error) {
        // The stored copy stays; the new one goes, as after a failed download.
        EraseFile(c->newFile.c_str());
        StateFields fields = StateOf(*object, frame);
        fields.state = kCheckFailed;
        fields.lastError = c->error;
        fields.detail = 0;
        if (frame && object->FramesComplete()) FinishFramed(*object);
        host_.RefreshObject(*object);
        return;
    }
    std::unique_ptr<CheckNode> check;
    if (c->result >= 1 && c->result <= 3) {
        if (frame) {
            frame->mode = c->result;
            MoveChanges(c->changes, frame->changes);
        } else {
            check = std::make_unique<CheckNode>(object->properties.lastCheck);
            check->result = c->result;
            check->expanded = !c->changes.IsEmpty();
            MoveChanges(c->changes, check->changes);
        }
    }
    StoreCopy(list_, *object, frame, c->newFile.c_str(), static_cast<uint8_t>(c->newCharset));
    // A comparison that failed is a failed check, never an unchanged page.
    StateFields fields = StateOf(*object, frame);
    fields.state = c->result < 0 ? kCheckFailed : kCheckIdle;
    fields.lastError = c->result < 0 ? kErrorCompareFailed : 0;
    fields.detail = 0;
    if (frame) {
        if (object->FramesComplete() && FinishFramed(*object)) Announce(*object);
    } else if (check && FilterChanges(*object, *check)) {
        object->checks.Prepend(check.release());  // a check filtered out to nothing is not kept
        Announce(*object);
    }
    NoteFailure(*object, before);
    host_.RefreshObject(*object);
}

bool CheckEngine::FinishFramed(ItemNode& object) {
    object.properties.lastCheck = Now();
    object.AggregateFrameState();
    int32_t r = object.FrameResult();
    if (r < 1) return false;
    auto check = std::make_unique<CheckNode>(object.properties.lastCheck);
    check->result = r;
    for (_HtmlFrameNode* f = object.frames.get(); f; f = f->NextInTree(object.frames.get()))
        check->changes.TakeAll(f->changes);
    if (!FilterChanges(object, *check)) return false;  // filtered out to nothing: not kept
    object.checks.Prepend(check.release());
    return true;
}

void CheckEngine::MailboxEnd(ItemNode& object, int32_t result, int32_t detail,
                             DownloadThread& thread) {
    const uint32_t now = object.properties.lastCheck;
    if (thread.MailConnection()) object.mailSecurity = thread.MailConnection();
    if (result != 0) {
        EraseFile(thread.TargetFile().c_str());  // a failed check leaves no temporary file
        object.lastError = result;
        object.state = kCheckFailed;
        object.detail = detail;
        object.serverReply = thread.ServerReply();
        const uint32_t period = object.properties.timedelta;
        const uint32_t retry = RetryDelay(period, true);
        if (period > retry) {
            int64_t next = static_cast<int64_t>(now) - period + retry;
            object.properties.lastCheck = next > 0 ? static_cast<uint32_t>(next) : 0;
        }
        return;
    }
    ListOf<ChangeNode> found;
    {
        ifwstream in(thread.TargetFile().c_str());
        AStr text, sender, id;
        while (!in.OpenError() && ReadString(in, text) == 0 && ReadString(in, sender) == 0 &&
               ReadString(in, id) == 0) {
            if (text.IsEmpty()) continue;
            AStr link("mailto:");
            link += sender;
            found.Append(new ChangeNode(text.c_str(), link.c_str()));
        }
    }
    StoreCopy(list_, object, nullptr, thread.TargetFile().c_str(),
              static_cast<uint8_t>(thread.CharsetCode()));
    if (found.IsEmpty()) return;
    auto* check = new CheckNode(now);
    check->result = 1;
    check->expanded = true;
    object.checks.Prepend(check);
    MoveChanges(found, check->changes, true);  // newest listed message first
    Announce(object);
}
