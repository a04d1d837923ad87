// add, add-mailbox, add-folder and edit: new objects and changed properties.
#include <ostream>

#include "cli/CliError.h"
#include "cli/CliText.h"
#include "cli/Commands.h"
#include "cli/ObjectJson.h"
#include "cli/ObjectOptions.h"
#include "cli/ObjectPath.h"
#include "cli/TreeEdits.h"
#include "http/UrlUtils.h"

namespace {

ItemNode& TargetFolder(CliContext& c, const Arguments& a) {
    const std::string* in = a.Value("in");
    return in ? FindFolder(c.List(), *in) : c.List();
}

int Added(CliContext& c, const ItemNode& object) {
    c.Space().Save();
    std::string path = ObjectPath(object);
    if (c.json)
        c.out << JsonText(
            object.IsMailbox()
                ? Json{{"added", path},
                       {"number", ObjectNumber(object)},
                       {"security", MailSecurityPlan(object, c.Space().LoadedOptions().mailStls)}}
                : Json{{"added", path}, {"number", ObjectNumber(object)}});
    else
        c.out << "added " << KindName(object) << " " << path << " (#" << ObjectNumber(object)
              << ")\n";
    if (object.IsMailbox() && !c.json)
        c.out << "security: " << MailSecurityPlan(object, c.Space().LoadedOptions().mailStls)
              << "\n";
    return kExitOk;
}

// The defaults of new pages and mailboxes, compared by text.
ItemProperties NewPageProperties(CliContext& c) {
    ItemProperties p = c.Space().LoadedOptions().defaults;
    p.modify = kModeText;
    return p;
}

}  // namespace

int AddCommand(CliContext& c, const Arguments& a) {
    ItemProperties p = NewPageProperties(c);
    p.address = NormalizeUrl(Typed(a.Positional()[0]).c_str(), true);
    if (p.address.IsEmpty() || p.address.Compare("mailto:") == 0 ||
        p.address.StartsWithNoCase("mailto:"))
        Fail(kExitBadInput,
             "\"" + a.Positional()[0] + "\" is no page address (use add-mailbox for a mailbox)");
    ApplyObjectOptions(a, false, p);
    return Added(c, NewObject(c.List(), TargetFolder(c, a), p));
}

int AddMailboxCommand(CliContext& c, const Arguments& a) {
    if (!a.Has("password") && !a.Has("password-env"))
        Fail(kExitUsage, "add-mailbox needs --password (or --password - / --password-env NAME)");
    ItemProperties p = NewPageProperties(c);
    p.address = MailboxAddressFrom(a, AStr());
    ApplyObjectOptions(a, false, p);
    return Added(c, NewObject(c.List(), TargetFolder(c, a), p));
}

int AddFolderCommand(CliContext& c, const Arguments& a) {
    ItemProperties p;
    p.flags = 0;
    p.color = c.Space().LoadedOptions().defaults.color;
    p.name = Typed(a.Positional()[0]);
    if (p.name.IsEmpty()) Fail(kExitBadInput, "a folder needs a name");
    ApplyObjectOptions(a, true, p);
    return Added(c, NewObject(c.List(), TargetFolder(c, a), p));
}

int EditCommand(CliContext& c, const Arguments& a) {
    ItemNode& object = FindObject(c.List(), a.Positional()[0]);
    ItemProperties p = object.properties;
    bool mailboxParts = a.Has("server") || a.Has("port") || a.Has("user") || a.Has("password") ||
                        a.Has("password-env") || a.Has("tls") || a.Has("no-tls");
    if (object.IsFolder() && (a.Has("address") || mailboxParts))
        Fail(kExitBadInput, "a folder has no address");
    if (const std::string* url = a.Value("address")) {
        if (object.IsMailbox())
            Fail(kExitBadInput, "a mailbox takes --server, --port, --user and --password");
        p.address = NormalizeUrl(Typed(*url).c_str(), true);
        if (p.address.IsEmpty() || p.address.StartsWithNoCase("mailto:"))
            Fail(kExitBadInput, "\"" + *url + "\" is no page address");
    }
    if (mailboxParts) {
        if (!object.IsMailbox())
            Fail(kExitBadInput, "only a mailbox takes --server, --port, --user and --password");
        p.address = MailboxAddressFrom(a, p.address);
    }
    ApplyObjectOptions(a, object.IsFolder(), p);
    if (const std::string* in = a.Value("in")) {
        ItemNode& folder = FindFolder(c.List(), *in);
        if (&folder != object.ParentItem() && !MoveObject(c.List(), object, folder))
            Fail(kExitBadInput, "cannot move " + ObjectPath(object) + " into itself");
    }
    EditObject(c.List(), object, p);
    c.Space().Save();
    if (c.json)
        c.out << JsonText(Json{{"edited", ObjectPath(object)}});
    else
        c.out << "edited " << ObjectPath(object) << "\n";
    return kExitOk;
}
