// compare and title: the page comparison and title reading on two files.
#include <ostream>

#include "cli/CliError.h"
#include "cli/CliText.h"
#include "cli/Commands.h"
#include "compare/HtmlComparator.h"
#include "html/Charset.h"
#include "html/TitleParser.h"
#include "platform/Files.h"
#include "watchlist/CheckNode.h"

namespace {

std::string ExistingFile(const std::string& typed) {
    std::string path = TypedPath(typed);
    if (!platform::FileExists(path.c_str()) || platform::IsDirectory(path.c_str()))
        Fail(kExitBadInput, "no file " + typed);
    return path;
}

// A character-set code by number or by name ("iso-8859-2", "koi8-r").
int32_t Charset(const Arguments& a, const char* option) {
    const std::string* v = a.Value(option);
    if (!v) return 0;
    if (int code = CharsetCode(v->c_str())) return code;
    return static_cast<int32_t>(
        ParseInteger(std::string("--") + option, *v, 0, kCharsetCodeCount - 1));
}

void PrintComparison(std::ostream& out, const Json& doc) {
    out << "level " << doc["level"].get<int>() << "\n";
    for (const Json& change : doc["changes"]) {
        out << ChangeLine(change) << "\n";
    }
}

void PrintTitle(std::ostream& out, const Json& doc) {
    out << doc["title"].get<std::string>() << "\ncharset " << doc["charset"].get<int>() << "\n";
}

}  // namespace

int CompareCommand(CliContext& c, const Arguments& a) {
    std::string oldPath = ExistingFile(a.Positional()[0]),
                newPath = ExistingFile(a.Positional()[1]);
    int32_t mode =
        a.Value("mode") ? static_cast<int32_t>(ParseInteger("--mode", *a.Value("mode"), 1, 2)) : 1;
    AStr base = a.Value("base") ? Typed(*a.Value("base")) : AStr();
    AStr oldBase = a.Value("old-base") ? Typed(*a.Value("old-base")) : base;
    AStr newBase = a.Value("new-base") ? Typed(*a.Value("new-base")) : base;
    ListOf<ChangeNode> changes;
    PageComparison what;
    what.oldCopy = {oldPath.c_str(), oldBase.c_str(), Charset(a, "old-charset")};
    what.newCopy = {newPath.c_str(), newBase.c_str(), Charset(a, "new-charset")};
    what.mode = mode;
    what.joinTableRows = a.Has("tables");
    int level = ComparePageCopies(what, &changes);
    if (level < 0) Fail(kExitBadInput, "the pages could not be read");
    Json list = Json::array();
    for (const ChangeNode* ch = changes.First(); ch; ch = ch->NextChange())
        list.push_back({{"text", Shown(ch->text)}, {"link", Shown(ch->link)}});
    c.Print(Json{{"level", level}, {"changes", list}}, PrintComparison);
    return kExitOk;
}

int TitleCommand(CliContext& c, const Arguments& a) {
    std::string path = ExistingFile(a.Positional()[0]);
    int code = Charset(a, "charset");
    AStr title = ReadPageTitle(path.c_str(), &code);
    c.Print(Json{{"title", Shown(title)}, {"charset", code}}, PrintTitle);
    return kExitOk;
}
