// check and run: the check engine at work on the program directory.
#include <ostream>
#include <set>

#include "cli/CliEngineHost.h"
#include "cli/CliError.h"
#include "cli/CliText.h"
#include "cli/Commands.h"
#include "cli/ObjectPath.h"
#include "platform/Clock.h"
#include "platform/ConsoleIo.h"

namespace {

// One requested check, followed until it has ended.
struct Followed {
    ItemNode* object;
    const CheckNode* newestBefore;
    bool ended = false;
};

void RefuseWhenNothingCanStart(CliContext& c) {
    const Options& o = c.Space().LoadedOptions();
    if (o.suspended)
        Fail(kExitBadInput,
             "checks are suspended (Options.BanChecks=1; ovisto-cli options Options.BanChecks=0 "
             "resumes them)");
    if (o.maxThreads <= 0) Fail(kExitBadInput, "Options.maxthreads is 0: no check can start");
}

const char* SkipReason(const ItemNode& o) {
    if (o.IsSwitchedOff()) return "switched off";
    if (o.properties.timedelta == 0) return "period 0: never checked";
    return nullptr;
}

Json Outcome(const Followed& f, const std::set<const ItemNode*>& announced) {
    const ItemNode& o = *f.object;
    const CheckNode* newest = o.checks.First();
    bool recorded = newest && newest != f.newestBefore;
    Json j;
    j["object"] = ObjectPath(o);
    if (o.state == kCheckFailed) {
        j["outcome"] = "failed";
        j["error"] = ShownError(o.lastError, o.detail, o.serverReply);
    } else {
        j["outcome"] = announced.count(&o) ? "changed" : recorded ? "first copy" : "unchanged";
        j["error"] = nullptr;
    }
    j["result"] = recorded ? Json(newest->result) : Json(nullptr);
    if (o.IsMailbox()) {
        const char* security = MailSecurityName(o.mailSecurity);
        j["security"] = security ? Json(security) : Json(nullptr);
    }
    j["changes"] = recorded && announced.count(&o) ? newest->changes.Count() : 0;
    return j;
}

void PrintCheckLine(std::ostream& out, const Json& j) {
    out << j["object"].get<std::string>() << ": " << j["outcome"].get<std::string>();
    if (j["outcome"] == "failed") out << " (" << j["error"].get<std::string>() << ")";
    if (j["outcome"] == "skipped") out << " (" << j["reason"].get<std::string>() << ")";
    if (j["outcome"] == "changed") out << ", " << j["changes"].get<size_t>() << " changes";
    if (j.contains("security") && !j["security"].is_null())
        out << " [" << j["security"].get<std::string>() << "]";
    out << "\n";
}

Json Announcement(ItemNode& object) {
    const CheckNode* check = object.checks.First();
    Json j = check ? CheckToJson(*check, ObjectPath(object)) : Json{{"owner", ObjectPath(object)}};
    return j;
}

void PrintAnnouncement(std::ostream& out, const Json& j) {
    out << ShownTime(j.value("time", 0u)) << "   " << j["owner"].get<std::string>() << "\n";
    for (const Json& change : j.value("changes", Json::array())) {
        out << "    " << ChangeLine(change) << "\n";
    }
}

}  // namespace

int CheckCommand(CliContext& c, const Arguments& a) {
    ItemList& list = c.List();
    RefuseWhenNothingCanStart(c);
    std::vector<ItemNode*> named;
    for (const std::string& path : a.Positional()) named.push_back(&FindObject(list, path));
    CliEngineHost host(c.Space(), c.err);
    host.Engine().SetRequestedOnly(true);  // exactly the objects asked for, nothing merely due
    std::set<const ItemNode*> announced;
    host.onAnnounce = [&](ItemNode& o, const ItemEvent&) { announced.insert(&o); };
    platform::InstallStopHandler();

    Json results = Json::array();
    std::vector<Followed> followed;
    auto follow = [&](ItemNode& root) {
        for (ItemNode* o = &root; o; o = o->NextInTree(&root)) {
            if (o->IsFolder()) continue;
            bool seen = false;
            for (const Followed& f : followed) seen = seen || f.object == o;
            if (seen) continue;
            if (const char* reason = SkipReason(*o)) {
                results.push_back(
                    {{"object", ObjectPath(*o)}, {"outcome", "skipped"}, {"reason", reason}});
                continue;
            }
            followed.push_back({o, o->checks.First()});
        }
    };
    if (named.empty()) {
        host.Engine().CheckAll();
        follow(list);
    } else {
        for (ItemNode* n : named) host.Engine().CheckSelected(*n);
        for (ItemNode* n : named) follow(*n);
    }
    for (const Json& skipped : results)
        if (!c.json) PrintCheckLine(c.out, skipped);

    size_t failed = 0, open = followed.size();
    while (open > 0 && !platform::StopRequested()) {
        host.Cycle(250);
        for (Followed& f : followed) {
            if (f.ended || (f.object->state != kCheckIdle && f.object->state != kCheckFailed))
                continue;
            f.ended = true;
            --open;
            Json line = Outcome(f, announced);
            if (line["outcome"] == "failed") ++failed;
            if (!c.json) {
                PrintCheckLine(c.out, line);
                c.out.flush();
            }
            results.push_back(line);
        }
    }
    host.Shutdown();
    if (c.json) c.out << JsonText(Json{{"checks", results}, {"failed", failed}});
    if (open > 0) Fail(kExitCheckFailed, "stopped before every check had ended");
    return failed ? kExitCheckFailed : kExitOk;
}

int RunCommand(CliContext& c, const Arguments& a) {
    uint32_t heartbeatMs = 60000;
    if (const std::string* v = a.Value("heartbeat"))
        heartbeatMs = static_cast<uint32_t>(ParseInteger("--heartbeat", *v, 1, 3600)) * 1000;
    c.List();
    CliEngineHost host(c.Space(), c.err);
    host.onAnnounce = [&](ItemNode& o, const ItemEvent& event) {
        Json j = Announcement(o);
        if (event.type == kEventMessage)
            j["message"] = Shown(o.DisplayName()) + "\n" + Shown(event.param);
        if (c.json)
            c.out << j.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
        else
            PrintAnnouncement(c.out, j);
        if (event.type == kEventMessage && !c.json)
            c.out << j["message"].get<std::string>() << "\n";
        c.out.flush();
    };
    platform::InstallStopHandler();
    if (!c.json) c.out << "watching " << c.Space().Dir() << " (Ctrl+C stops)\n" << std::flush;
    // A pass at the start of every idle phase: after each burst of reports,
    // and at the latest when the heartbeat comes round.
    uint32_t lastPass = platform::TickCount();
    bool pass = true;
    while (!platform::StopRequested()) {
        if (pass) lastPass = platform::TickCount();
        bool reported = host.Cycle(200, pass);
        pass = reported || platform::TickCount() - lastPass >= heartbeatMs;
    }
    host.Shutdown();
    if (!c.json) c.out << "stopped\n";
    return kExitOk;
}
