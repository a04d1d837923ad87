// list, show, changes and report: what the watch list holds.
#include <ostream>

#include "cli/CliError.h"
#include "cli/CliText.h"
#include "cli/Commands.h"
#include "cli/NewsTape.h"
#include "cli/ObjectPath.h"
#include "compare/ChangeReport.h"
#include "platform/Clock.h"
#include "stream/TextStream.h"

namespace {

void PrintTreeLines(std::ostream& out, const Json& objects, int depth) {
    for (const Json& o : objects) {
        bool unseen = ((o["marks"].get<int>() | o["derivedMarks"].get<int>()) & 1) != 0;
        out << std::string(static_cast<size_t>(depth) * 2, ' ') << (unseen ? "* " : "  ")
            << o["kind"].get<std::string>() << "  " << o["displayName"].get<std::string>();
        if (o["kind"] != "folder") {
            out << "  <" << o["address"].get<std::string>() << ">"
                << "  " << ShownPeriod(o["timedelta"].get<uint32_t>()) << "  "
                << o["state"].get<std::string>();
            if (!o["lastError"].is_null()) out << " (" << o["lastError"].get<std::string>() << ")";
            if (!o["failedSince"].is_null())
                out << " since " << ShownTime(o["failedSince"].get<uint32_t>());
            if (o.contains("security") && !o["security"].is_null())
                out << " [" << o["security"].get<std::string>() << "]";
            out << "  " << o["checks"].get<size_t>() << " checks";
        } else if (o["state"] == "off") {
            out << "  off";
        }
        out << "\n";
        PrintTreeLines(out, o["children"], depth + 1);
    }
}

void PrintList(std::ostream& out, const Json& doc) {
    if (doc["objects"].empty())
        out << (doc.contains("failed") ? "(no check has failed)\n" : "(the watch list is empty)\n");
    PrintTreeLines(out, doc["objects"], 0);
}

void PrintChanges(std::ostream& out, const Json& doc) {
    if (doc["checks"].empty()) out << "(no checks)\n";
    for (const Json& check : doc["checks"]) {
        out << ShownTime(check["time"].get<uint32_t>()) << "   "
            << check["owner"].get<std::string>();
        int result = check["result"].get<int>();
        if (result == 2 || result == 3)
            out << "  " << Shown(UiText(32000 + static_cast<unsigned>(result)));
        out << "\n";
        for (const Json& change : check["changes"]) {
            out << "    " << ChangeLine(change) << "\n";
        }
    }
}

// The page's texts and check times as the result pane shows them.
class CliReportHost : public ReportHost {
  public:
    AStr Text(unsigned id) const override { return UiText(id); }
    AStr CheckTime(uint32_t time) const override { return Typed(ShownTime(time)); }
};

}  // namespace

int ListCommand(CliContext& c, const Arguments& a) {
    ObjectJsonOptions options;
    options.runState = true;
    Json objects = Json::array();
    Json doc;
    if (a.Has("failed")) {
        // Only the pages and mailboxes whose last check failed, by path.
        options.children = false;
        const ItemNode* root = &c.List();
        for (const ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root)) {
            if (o->IsFolder() || o->state != kCheckFailed) continue;
            Json j = ObjectToJson(*o, options);
            j["displayName"] = j["path"];
            j["children"] = Json::array();
            objects.push_back(j);
        }
        doc["failed"] = true;
    } else {
        for (const ItemNode* o = c.List().FirstItem(); o; o = o->NextItem())
            objects.push_back(ObjectToJson(*o, options));
    }
    doc["objects"] = objects;
    c.Print(doc, PrintList);
    return kExitOk;
}

int ShowCommand(CliContext& c, const Arguments& a) {
    ObjectJsonOptions options;
    options.runState = true;
    Json j = ObjectToJson(FindObject(c.List(), a.Positional()[0]), options);
    if (!c.json && !j["failedSince"].is_null())
        j["failedSince"] = ShownTime(j["failedSince"].get<uint32_t>());
    c.Print(j, nullptr);
    return kExitOk;
}

int ChangesCommand(CliContext& c, const Arguments& a) {
    const ItemNode& object =
        a.Positional().empty() ? c.List() : FindObject(c.List(), a.Positional()[0]);
    Json checks = Json::array();
    for (const GatheredCheck& g : GatherChecks(object))
        checks.push_back(CheckToJson(*g.check, ObjectPath(*g.owner)));
    Json doc;
    if (!a.Positional().empty()) doc["object"] = ObjectPath(object);
    doc["checks"] = checks;
    c.Print(doc, PrintChanges);
    return kExitOk;
}

int ReportCommand(CliContext& c, const Arguments& a) {
    ItemNode& object = FindObject(c.List(), a.Positional()[0]);
    FillNewsTape(object);
    std::string path = TypedPath(a.Positional()[1]);
    otfwstream out(path.c_str());
    if (out.IsError()) Fail(kExitBadInput, "cannot create " + a.Positional()[1]);
    WriteChangeReport(CliReportHost(), out, object);
    if (!out.Close()) Fail(kExitBadInput, "could not write " + a.Positional()[1]);
    if (c.json)
        c.out << JsonText(Json{{"report", a.Positional()[1]}, {"object", ObjectPath(object)}});
    return kExitOk;
}
