#include "cli/ObjectPath.h"

#include <vector>

#include "cli/CliError.h"
#include "cli/Arguments.h"
#include "cli/CliText.h"
#include "cli/ObjectJson.h"
#include "http/UrlUtils.h"
#include "watchlist/ItemList.h"

namespace {

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t slash = path.find('/', start);
        parts.push_back(path.substr(start, slash == std::string::npos ? slash : slash - start));
        if (slash == std::string::npos) return parts;
        start = slash + 1;
    }
}

ItemNode& FindByNumber(ItemList& list, const std::string& path) {
    long long n = ParseInteger("object number", path.substr(1), 1, 1000000000);
    ItemNode* root = &list;
    long k = 0;
    for (ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root))
        if (++k == n) return *o;
    Fail(kExitBadInput,
         "no object " + path + " (the watch list holds " + std::to_string(k) + " objects)");
}

[[noreturn]] void FailAmbiguous(const std::string& what, const ItemNode& a, const ItemNode& b) {
    Fail(kExitBadInput, what + " more than one object; use #" + std::to_string(ObjectNumber(a)) +
                            " or #" + std::to_string(ObjectNumber(b)));
}

ItemNode* FindChild(ItemNode& parent, const AStr& name, const std::string& path) {
    ItemNode* found = nullptr;
    for (ItemNode* c = parent.FirstItem(); c; c = c->NextItem()) {
        if (c->DisplayName() != name) continue;
        if (found) FailAmbiguous("\"" + path + "\" names", *found, *c);
        found = c;
    }
    return found;
}

// The page or mailbox whose address is `path` (a URL holds "/" and so is no
// name path); null when none has it.
ItemNode* FindByAddress(ItemList& list, const std::string& path) {
    const AStr address = Typed(path);
    ItemNode* root = &list;
    ItemNode* found = nullptr;
    for (ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root)) {
        if (o->IsFolder() || !SameUrl(o->properties.address.c_str(), address.c_str())) continue;
        if (found) FailAmbiguous("\"" + path + "\" is the address of", *found, *o);
        found = o;
    }
    return found;
}

}  // namespace

ItemNode& FindObject(ItemList& list, const std::string& path) {
    if (path.size() > 1 && path[0] == '#') return FindByNumber(list, path);
    ItemNode* node = &list;
    for (const std::string& part : SplitPath(path)) {
        node = FindChild(*node, Typed(part), path);
        if (!node) break;
    }
    if (!node || node == &list) node = FindByAddress(list, path);
    if (!node) Fail(kExitBadInput, "no object \"" + path + "\" in the watch list");
    return *node;
}

ItemNode& FindFolder(ItemList& list, const std::string& path) {
    if (path.empty() || path == "/") return list;
    ItemNode& folder = FindObject(list, path);
    if (!folder.IsFolder()) Fail(kExitBadInput, "\"" + path + "\" is not a folder");
    return folder;
}

std::string ObjectPath(const ItemNode& object) {
    std::string path;
    for (const ItemNode* o = &object; o && o->ParentItem(); o = o->ParentItem())
        path = Shown(MaskedAddress(o->DisplayName())) +
               (path.empty() ? "" : "/" + path);  // a name may be an address
    return path;
}

long ObjectNumber(const ItemNode& object) {
    const ItemNode* root = &object;
    while (root->ParentItem()) root = root->ParentItem();
    long k = 0;
    for (const ItemNode* o = root; o; o = o->NextInTree(root)) {
        if (o == &object) return k;
        ++k;
    }
    return 0;
}
