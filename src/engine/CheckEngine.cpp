// The scheduler half of the check engine: passes, starts, stops, requests.
#include "engine/CheckEngine.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "html/Charset.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "stream/FileUtils.h"
#include "pop3/MailboxDownload.h"
#include "watchlist/UserFiles.h"

namespace {

int32_t CharsetOfContentType(const char* contentType) {
    int code = 0;
    ParseContentType(contentType, nullptr, &code, nullptr, nullptr);
    return code;
}

// An empty temporary file, replacing any old one.
void CreateEmpty(const std::string& path) {
    platform::FileHandle h = platform::OpenForWrite(path.c_str(), platform::WriteMode::kReplace);
    if (h != platform::kInvalidFile) platform::Close(h);
}

void ResetFrames(ItemNode& object) {
    for (_HtmlFrameNode* f = object.frames.get(); f; f = f->NextInTree(object.frames.get())) {
        f->state = kCheckIdle;
        f->mode = 0;
        f->changes.Clear();
    }
}

void IdleFrames(ItemNode& object) {
    for (_HtmlFrameNode* f = object.frames.get(); f; f = f->NextInTree(object.frames.get()))
        f->state = kCheckIdle;
}

bool IsDue(const ItemNode& n, uint32_t now, bool requestedOnly) {
    if (n.IsFolder() || n.IsSwitchedOff()) return false;
    if (n.state != kCheckIdle && n.state != kCheckFailed && n.state != kCheckRequested)
        return false;
    if (n.properties.timedelta == 0) return false;
    if (requestedOnly) return n.state == kCheckRequested;
    return n.state == kCheckRequested ||
           static_cast<uint64_t>(now) >
               static_cast<uint64_t>(n.properties.lastCheck) + n.properties.timedelta;
}

CompareThreadNode* AsComparison(Node* n) {
    return static_cast<CompareThreadNode*>(n);
}

// Takes over the reference a list held to a comparison taken off it.
platform::ThreadRef<CompareThreadNode> TakenOff(Node* n) {
    return platform::ThreadRef<CompareThreadNode>(AsComparison(n));
}

}  // namespace

DownloadSettings DownloadSettingsFrom(const Options& options) {
    DownloadSettings s;
    s.proxy.on = options.proxyOn;
    s.proxy.host = options.proxy;
    AStr port = options.proxyPort;
    // "host:port" in the host field, as the settings file allows.
    const long colon = options.proxy.Find(':');
    if (colon >= 0) {
        s.proxy.host = options.proxy.SubStr(0, static_cast<size_t>(colon));
        if (port.IsEmpty()) port = options.proxy.SubStr(static_cast<size_t>(colon) + 1);
    }
    s.proxy.port = static_cast<uint32_t>(std::strtoul(port.c_str(), nullptr, 10));
    s.proxy.user = options.proxyUser;
    s.proxy.password = options.proxyPassword;
    s.charsetOf = &CharsetOfContentType;
    s.mailboxCheck = &RunMailboxDownload;
    s.mail.stls = options.mailStls;
    s.mail.trustedCerts = options.trustedCerts;
    s.maxPageBytes = options.maxPageBytes;
    s.checkMs = options.checkSeconds * 1000;
    return s;
}

CheckEngine::CheckEngine(ItemList& list, Options& options, EngineHost& host,
                         std::shared_ptr<platform::ReportTarget> reports, Clock clock)
    : list_(list),
      options_(options),
      host_(host),
      reports_(std::move(reports)),
      clock_(clock ? std::move(clock) : Clock(&platform::NowSeconds)),
      settings_(DownloadSettingsFrom(options)) {}

CheckEngine::~CheckEngine() {
    Shutdown();
}

uint32_t CheckEngine::Now() const {
    return clock_();
}

ItemNode* CheckEngine::FirstDue(uint32_t now) {
    for (ItemNode* n = list_.FirstItem(); n; n = n->NextInTree(&list_))
        if (IsDue(*n, now, requestedOnly_)) return n;
    return nullptr;
}

void CheckEngine::EnforceDeadlines() {
    for (DownloadNode* d = downloads_.First(); d; d = ListOf<DownloadNode>::NextOf(d)) {
        if (d->timedOut || !d->Thread()->DeadlinePassed()) continue;
        d->timedOut = true;
        d->Thread()->Abort();
    }
}

void CheckEngine::SchedulingPass(int idleCount) {
    EnforceDeadlines();
    if (idleCount != 0 || options_.suspended) return;
    if (static_cast<long>(downloads_.Count()) < options_.maxThreads)
        if (ItemNode* due = FirstDue(Now())) StartCheck(*due);
    StartWaitingComparisons();
}

void CheckEngine::StartWaitingComparisons() {
    if (static_cast<long>(running_.Count()) >= options_.maxThreads) return;
    for (int started = 0; started < options_.maxThreads && !waiting_.IsEmpty(); ++started) {
        CompareThreadNode* c = AsComparison(waiting_.First());
        running_.Append(c);
        if (!c->Start()) {
            auto failed = TakenOff(running_.Remove(c));
            if (c->object) c->object->state = kCheckFailed;
            if (c->object) host_.RefreshObject(*c->object);
            continue;
        }
        c->SetPriority(platform::kPriorityBelowNormal);
    }
}

bool CheckEngine::PrepareCopyNumber(ItemNode& object, _HtmlFrameNode* frame) {
    uint16_t& number = frame ? frame->copyNumber : object.copyNumber;
    if (number) return true;
    list_.AssignCopyNumber(object, frame);
    if (number) {
        host_.SaveWatchList();
        return true;
    }
    int32_t& state = frame ? frame->state : object.state;
    state = kCheckFailed;
    (frame ? frame->lastError : object.lastError) = kErrorNoCopyNumber;
    return false;
}

void CheckEngine::StartCheck(ItemNode& object) {
    if (object.IsFolder()) return;
    StopChecks(object);
    object.state = kCheckDownloading;
    ResetFrames(object);
    if (!PrepareCopyNumber(object, nullptr)) {
        object.lastError = kErrorNoCopyNumber;
        host_.RefreshObject(object);
        return;
    }
    const std::string temp = TempFilePath(list_, object, nullptr);
    CreateEmpty(temp);
    StartDownload(object.properties.address.c_str(), temp, StoredCopyPath(list_, object, nullptr),
                  object, nullptr);
    host_.RefreshObject(object);
}

void CheckEngine::StartDownload(const char* url, const std::string& tempPath,
                                const std::string& storedPath, ItemNode& object,
                                _HtmlFrameNode* frame) {
    auto* node = new DownloadNode(reports_, url, tempPath, storedPath, settings_);
    if (!frame) node->Thread()->SetStoredETag(object.etag.c_str());
    node->object = &object;
    node->frame = frame;
    downloads_.Append(node);
    platform::SetLastError(0);
    if (!node->Thread()->Start(platform::kPriorityBelowNormal)) {
        uint32_t error = platform::LastError();
        FinishDownload(node, error ? static_cast<int32_t>(error) : 8, 0);  // 8: not enough memory
    }
}

void CheckEngine::StopChecks(ItemNode& object) {
    if (object.IsFolder()) return;
    std::vector<platform::Thread*> aborted;
    std::vector<std::string> temps;
    // Every worker of the object: a framed page runs one download or
    // comparison per frame.
    for (DownloadNode* d = downloads_.First(); d; d = ListOf<DownloadNode>::NextOf(d)) {
        if (d->object != &object) continue;
        d->object = nullptr;
        d->frame = nullptr;
        d->Thread()->Abort();
        aborted.push_back(d->Thread());
        temps.push_back(d->Thread()->TargetFile());
    }
    for (Node* n = running_.First(); n; n = n->Next()) {
        CompareThreadNode* c = AsComparison(n);
        if (c->object != &object) continue;
        c->object = nullptr;
        c->frame = nullptr;
        c->Abort();
        aborted.push_back(c);
        temps.push_back(c->newFile);
    }
    for (Node* n = waiting_.First(); n;) {
        CompareThreadNode* c = AsComparison(n);
        n = n->Next();
        if (c->object != &object) continue;
        EraseFile(c->newFile.c_str());
        TakenOff(waiting_.Remove(c));
    }
    if (!aborted.empty())
        platform::WaitForThreads(aborted.data(), aborted.size(), platform::kShutdownWaitMs);
    for (const std::string& t : temps) EraseFile(t.c_str());
    object.state = kCheckIdle;
    IdleFrames(object);
}

void CheckEngine::RequestCheck(ItemNode& object) {
    if (object.IsFolder() || !object.FramesComplete()) return;
    // A check under way is not restarted by a request; stop it first.
    if (object.state == kCheckDownloading || object.state == kCheckComparing) return;
    object.state = kCheckRequested;
    host_.RefreshObject(object);
}

void CheckEngine::CheckSelected(ItemNode& node) {
    for (ItemNode* c = node.FirstItem(); c; c = c->NextItem()) CheckSelected(*c);
    StopChecks(node);
    RequestCheck(node);
}

void CheckEngine::CheckAll() {
    for (ItemNode* n = list_.FirstItem(); n; n = n->NextInTree(&list_)) {
        StopChecks(*n);
        RequestCheck(*n);
    }
}

void CheckEngine::SwitchOn(ItemNode& object) {
    object.SetMarks(kMarkSwitchedOn);
    host_.RefreshObject(object);
    RequestCheck(object);
}

void CheckEngine::ForgetObject(ItemNode& node) {
    StopChecks(node);
    for (ItemNode* n = node.FirstItem(); n; n = n->NextInTree(&node)) StopChecks(*n);
}

void CheckEngine::SetSuspended(bool suspended) {
    if (options_.suspended == suspended) return;
    options_.suspended = suspended;
    host_.SaveOptions();
}

void CheckEngine::Shutdown() {
    std::vector<platform::Thread*> aborted;
    std::vector<std::string> temps;
    for (DownloadNode* d = downloads_.First(); d; d = ListOf<DownloadNode>::NextOf(d)) {
        d->object = nullptr;
        d->Thread()->Abort();
        aborted.push_back(d->Thread());
        temps.push_back(d->Thread()->TargetFile());
    }
    for (Node* n = running_.First(); n; n = n->Next()) {
        AsComparison(n)->object = nullptr;
        AsComparison(n)->Abort();
        aborted.push_back(AsComparison(n));
    }
    while (!waiting_.IsEmpty()) {
        auto c = TakenOff(waiting_.Remove(waiting_.First()));
        temps.push_back(c->newFile);
    }
    if (!aborted.empty())
        platform::WaitForThreads(aborted.data(), aborted.size(), platform::kShutdownWaitMs);
    // Workers still running are let go; they delete themselves at their end.
    downloads_.Clear();
    while (!running_.IsEmpty()) TakenOff(running_.Remove(running_.First()));
    for (const std::string& t : temps) EraseFile(t.c_str());
}

bool CheckEngine::HandleReport(const platform::HostMessage& message) {
    if (message.what != platform::Report::kThreadEnd) return false;
    OnThreadEnd(message.param, message.sender);
    return true;
}

void CheckEngine::OnThreadEnd(uintptr_t kind, const void* sender) {
    if (kind == kDownloadThreadKind) {
        for (DownloadNode* d = downloads_.First(); d; d = ListOf<DownloadNode>::NextOf(d))
            if (static_cast<const platform::Thread*>(d->Thread()) == sender)
                return OnDownloadEnd(d);
    } else if (kind == kCompareThreadKind) {
        for (Node* n = running_.First(); n; n = n->Next())
            if (static_cast<const platform::Thread*>(AsComparison(n)) == sender)
                return OnCompareEnd(AsComparison(n));
    }
}
