// export, import and dump: watch list streams in files.
#include <cstring>
#include <ostream>
#include <utility>

#include "cli/CliError.h"
#include "cli/CliText.h"
#include "cli/Commands.h"
#include "cli/ObjectPath.h"
#include "cli/TreeEdits.h"
#include "import/ImportApply.h"
#include "import/LoadSource.h"
#include "platform/Files.h"
#include "platform/Lang.h"
#include "stream/BinIo.h"
#include "stream/FileStream.h"
#include "stream/MemStream.h"
#include "watchlist/SafeSave.h"

namespace {

std::string ReadWholeFile(const std::string& typedPath) {
    std::string path = TypedPath(typedPath);
    if (!platform::FileExists(path.c_str()) || platform::IsDirectory(path.c_str()))
        Fail(kExitBadInput, "no file " + typedPath);
    ifwstream in(path.c_str(), true);
    if (in.IsError()) Fail(kExitBadInput, "cannot read " + typedPath);
    std::string bytes;
    char block[4096];
    for (;;) {
        long n = in.Read(block, sizeof(block));
        if (n > 0) bytes.append(block, static_cast<size_t>(n));
        if (n < static_cast<long>(sizeof(block))) break;
    }
    return bytes;
}

// The kinds of source an import reads, by the names the command takes.
const std::pair<const char*, SourceKind> kSourceNames[] = {
    {"export", SourceKind::kExportFile}, {"folder", SourceKind::kShortcutFolder},
    {"page", SourceKind::kPageLinks},    {"favorites", SourceKind::kFavorites},
    {"trovik", SourceKind::kTrovikTree},
};

// The objects of the source named on the command line: an export file
// whole, or the entries another kind of source yields as new objects.
void ReadImportSource(CliContext& c, const Arguments& a, ItemList& imported) {
    const std::string* from = a.Value("from");
    const std::string file = a.Positional().empty() ? std::string() : a.Positional()[0];
    const SourceKind* kind = nullptr;
    for (const auto& named : kSourceNames)
        if (!from || *from == named.first) {
            kind = &named.second;
            break;
        }
    if (!kind) Fail(kExitUsage, "--from takes export, folder, page, favorites or trovik");
    if (file.empty() && *kind != SourceKind::kFavorites)
        Fail(kExitUsage, "import needs the FILE (or folder) to read");
    if (*kind == SourceKind::kExportFile) {
        if (!ReadStream(ReadWholeFile(file), imported))
            Fail(kExitBadInput,
                 file + " is not an export file (or it is damaged); nothing was imported");
        return;
    }
    ImportNode root;
    uint8_t code = static_cast<uint8_t>(*kind);
    SourceResult r = LoadSource(code, TypedPath(file), root, c.Space().LoadedOptions().defaults);
    if (r.failure == SourceResult::kSystemError)
        Fail(kExitBadInput,
             file + ": " + Shown(ProgramErrorText(r.systemError)) + "; nothing was imported");
    if (!r.Ok()) Fail(kExitBadInput, file + " cannot be read as that source; nothing was imported");
    BuildImportedList(root, imported);
}

bool StartsWith(const std::string& bytes, const char* header, size_t size) {
    return bytes.size() >= size && std::memcmp(bytes.data(), header, size) == 0;
}

// The records of a mailbox check: display text, sender and id per message.
bool ReadMailboxRecords(const std::string& bytes, Json& messages) {
    imwstream in(bytes.data(), static_cast<long>(bytes.size()));
    long consumed = 0;
    while (consumed < static_cast<long>(bytes.size())) {
        AStr display, sender, uid;
        if (ReadString(in, display) || ReadString(in, sender) || ReadString(in, uid)) return false;
        consumed = in.Tell();
        messages.push_back(
            {{"display", Shown(display)}, {"sender", Shown(sender)}, {"uid", Shown(uid)}});
    }
    return true;
}

void PrintDump(std::ostream& out, const Json& doc) {
    if (doc.contains("version")) out << "watch list version " << doc["version"].get<int>() << "\n";
    PrintPlain(out, doc.contains("objects") ? Json{{"objects", doc["objects"]}}
                                            : Json{{"messages", doc["messages"]}});
}

}  // namespace

int ExportCommand(CliContext& c, const Arguments& a) {
    std::vector<const ItemNode*> objects;
    for (size_t i = 1; i < a.Positional().size(); ++i)
        objects.push_back(&FindObject(c.List(), a.Positional()[i]));
    if (objects.empty())
        for (const ItemNode* o = c.List().FirstItem(); o; o = o->NextItem()) objects.push_back(o);
    std::string bytes = CopyToStream(objects);
    std::string path = TypedPath(a.Positional()[0]);
    if (bytes.empty()) Fail(kExitBadInput, "could not write " + a.Positional()[0]);
    // Written whole beside an old file of that name, readable by its owner
    // only: mailbox passwords travel in it.
    auto fill = [&bytes](owstream& os) {
        return os.Write(bytes.data(), static_cast<long>(bytes.size())) ==
                       static_cast<long>(bytes.size())
                   ? 0
                   : -1;
    };
    if (uint32_t error = SaveFileWhole(path, fill, true))
        Fail(kExitBadInput, "could not write " + a.Positional()[0] + ": " +
                                ShownError(static_cast<int32_t>(error), 0) +
                                "; an older file of that name is as it was");
    std::vector<std::string> paths;
    for (const ItemNode* o : objects) paths.push_back(ObjectPath(*o));
    if (c.json)
        c.out << JsonText(Json{{"exported", paths}, {"file", a.Positional()[0]}});
    else
        c.out << "exported " << paths.size() << " objects to " << a.Positional()[0] << "\n";
    return kExitOk;
}

int ImportCommand(CliContext& c, const Arguments& a) {
    ItemList imported;
    ReadImportSource(c, a, imported);
    const std::string* in = a.Value("in");
    ItemNode& parent = in ? FindFolder(c.List(), *in) : c.List();
    ItemNode* last = parent.FirstItem() ? static_cast<ItemNode*>(parent.Last()) : nullptr;
    std::vector<ItemNode*> held;
    size_t count = InsertObjects(c.List(), parent, imported, &held);
    c.Space().Save();
    std::vector<std::string> paths, heldPaths;
    ItemNode* first = last ? last->NextItem() : parent.FirstItem();
    for (ItemNode* o = first; o; o = o->NextItem()) paths.push_back(ObjectPath(*o));
    for (ItemNode* o : held) heldPaths.push_back(ObjectPath(*o));
    if (c.json) {
        c.out << JsonText(Json{{"imported", paths}, {"held", heldPaths}});
        return kExitOk;
    }
    c.out << "imported " << count << " objects\n";
    if (!held.empty())
        c.out << "held " << held.size()
              << " run-program events; none runs until confirmed with "
                 "ovisto-cli edit PATH --event program:COMMAND:\n";
    for (ItemNode* o : held)
        c.out << "  " << ObjectPath(*o) << ": " << Shown(o->properties.event.param.c_str()) << "\n";
    return kExitOk;
}

int DumpCommand(CliContext& c, const Arguments& a) {
    std::string bytes = ReadWholeFile(a.Positional()[0]);
    if (StartsWith(bytes, ItemList::kChangeHeader, sizeof(ItemList::kChangeHeader)))
        Fail(kExitBadInput, a.Positional()[0] +
                                " is a change log: its blocks belong to the objects of "
                                "its watch list by position (use changes)");
    Json doc;
    if (StartsWith(bytes, ItemList::kHeader, sizeof(ItemList::kHeader))) {
        ItemList list;
        bool whole = ReadStream(bytes, list);
        ObjectJsonOptions options;
        options.maskPassword = !a.Has("show-passwords");
        Json objects = Json::array();
        for (const ItemNode* o = list.FirstItem(); o; o = o->NextItem())
            objects.push_back(ObjectToJson(*o, options));
        doc["version"] = list.LoadedVersion();
        doc["objects"] = objects;
        c.Print(doc, PrintDump);
        if (!whole)
            Fail(kExitBadInput,
                 a.Positional()[0] + " is cut short or damaged after the objects shown");
        return kExitOk;
    }
    Json messages = Json::array();
    if (!ReadMailboxRecords(bytes, messages))
        Fail(kExitBadInput,
             a.Positional()[0] +
                 " is neither a watch list, an export file nor a mailbox record file");
    doc["messages"] = messages;
    c.Print(doc, PrintDump);
    return kExitOk;
}
