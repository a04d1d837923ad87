// remove, move, on, off and seen: changes to objects as wholes.
#include <ostream>

#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/ObjectPath.h"
#include "cli/TreeEdits.h"

namespace {

// Every named object; nothing is done when any of them is missing.
std::vector<ItemNode*> Named(CliContext& c, const Arguments& a) {
    std::vector<ItemNode*> objects;
    for (const std::string& path : a.Positional()) objects.push_back(&FindObject(c.List(), path));
    return objects;
}

int ForEachNamed(CliContext& c, const Arguments& a, void (*change)(ItemNode&), const char* done) {
    std::vector<std::string> paths;
    for (ItemNode* o : Named(c, a)) {
        change(*o);
        paths.push_back(ObjectPath(*o));
    }
    c.Space().Save();
    if (c.json) {
        c.out << JsonText(Json{{done, paths}});
    } else {
        for (const std::string& p : paths) c.out << done << " " << p << "\n";
    }
    return kExitOk;
}

}  // namespace

int RemoveCommand(CliContext& c, const Arguments& a) {
    std::vector<ItemNode*> objects = Named(c, a);
    std::vector<std::string> removed, refused;
    std::vector<ItemNode*> deletable;
    for (ItemNode* o : objects) {
        if (o->IsProtectedTree())  // true: nothing protected in it
            deletable.push_back(o);
        else
            refused.push_back(ObjectPath(*o));
    }
    for (ItemNode* o : deletable) removed.push_back(ObjectPath(*o));
    DeleteObjects(c.List(), deletable);
    if (!deletable.empty()) c.Space().Save();
    if (c.json) {
        c.out << JsonText(Json{{"removed", removed}, {"refused", refused}});
    } else {
        for (const std::string& p : removed) c.out << "removed " << p << "\n";
    }
    for (const std::string& p : refused)
        c.err << "ovisto-cli: " << p
              << " is protected (or holds a protected object) and was not removed\n";
    return refused.empty() ? kExitOk : kExitBadInput;
}

int MoveCommand(CliContext& c, const Arguments& a) {
    const std::string* in = a.Value("in");
    if (!in) Fail(kExitUsage, "usage: ovisto-cli move PATH --in PATH");
    ItemNode& object = FindObject(c.List(), a.Positional()[0]);
    ItemNode& folder = FindFolder(c.List(), *in);
    if (!MoveObject(c.List(), object, folder))
        Fail(kExitBadInput, "cannot move " + ObjectPath(object) + " into itself");
    c.Space().Save();
    if (c.json)
        c.out << JsonText(Json{{"moved", ObjectPath(object)}});
    else
        c.out << "moved to " << ObjectPath(object) << "\n";
    return kExitOk;
}

int OnCommand(CliContext& c, const Arguments& a) {
    return ForEachNamed(c, a, SwitchOn, "on");
}
int OffCommand(CliContext& c, const Arguments& a) {
    return ForEachNamed(c, a, SwitchOff, "off");
}
int SeenCommand(CliContext& c, const Arguments& a) {
    return ForEachNamed(c, a, MarkSeen, "seen");
}
