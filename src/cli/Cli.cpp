#include "cli/Cli.h"

#include <ostream>

#include "cli/CliError.h"
#include "cli/CommandHelp.h"
#include "cli/Commands.h"
#include "cli/ObjectOptions.h"
#include "platform/Lang.h"
#include "platform/Resources.h"

namespace {

struct Command {
    const char* name;
    const char* usage;
    size_t minArgs, maxArgs;  // positional arguments
    bool writes;              // takes the directory lock
    CommandFunction run;
    std::vector<OptionSpec> options;
};

constexpr size_t kMany = static_cast<size_t>(-1);

std::vector<OptionSpec> With(std::vector<OptionSpec> a, const std::vector<OptionSpec>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"list", "list [--failed]", 0, 0, false, ListCommand, {{"failed", false}}},
        {"show", "show PATH", 1, 1, false, ShowCommand, {}},
        {"add", "add URL [object options]", 1, 1, true, AddCommand, ObjectOptionSpecs()},
        {"add-mailbox",
         "add-mailbox --server H [--port P] --user U --password W|- | --password-env NAME "
         "[object options]",
         0, 0, true, AddMailboxCommand, With(ObjectOptionSpecs(), MailboxOptionSpecs())},
        {"add-folder", "add-folder NAME [--in PATH] [--news-tape] [--text-log]", 1, 1, true,
         AddFolderCommand, ObjectOptionSpecs()},
        {"edit", "edit PATH [--address URL | mailbox options] [object options]", 1, 1, true,
         EditCommand, With(With(ObjectOptionSpecs(), MailboxOptionSpecs()), {{"address", true}})},
        {"remove", "remove PATH...", 1, kMany, true, RemoveCommand, {}},
        {"move", "move PATH --in PATH", 1, 1, true, MoveCommand, {{"in", true}}},
        {"on", "on PATH...", 1, kMany, true, OnCommand, {}},
        {"off", "off PATH...", 1, kMany, true, OffCommand, {}},
        {"changes", "changes [PATH]", 0, 1, false, ChangesCommand, {}},
        {"seen", "seen PATH...", 1, kMany, true, SeenCommand, {}},
        {"report", "report PATH FILE", 2, 2, false, ReportCommand, {}},
        {"export", "export FILE [PATH...]", 1, kMany, false, ExportCommand, {}},
        {"import",
         "import [FILE] [--from export|folder|page|favorites|trovik] [--in PATH]",
         0,
         1,
         true,
         ImportCommand,
         {{"in", true}, {"from", true}}},
        {"options", "options [SECTION.KEY[=VALUE]...]", 0, kMany, false, OptionsCommand, {}},
        {"compare",
         "compare OLD NEW [--mode 1|2] [--base URL] [--old-base URL] [--new-base URL] "
         "[--old-charset N|NAME] [--new-charset N|NAME] [--tables]",
         2,
         2,
         false,
         CompareCommand,
         {{"mode", true},
          {"base", true},
          {"old-base", true},
          {"new-base", true},
          {"old-charset", true},
          {"new-charset", true},
          {"tables", false}}},
        {"title", "title FILE [--charset N|NAME]", 1, 1, false, TitleCommand, {{"charset", true}}},
        {"dump",
         "dump FILE [--show-passwords]",
         1,
         1,
         false,
         DumpCommand,
         {{"show-passwords", false}}},
        {"check", "check [PATH...]", 0, kMany, true, CheckCommand, {}},
        {"run", "run [--heartbeat SECONDS]", 0, 0, true, RunCommand, {{"heartbeat", true}}},
    };
    return commands;
}

void PrintUsage(std::ostream& out) {
    out << "usage: ovisto-cli [--dir DIR] [--json] COMMAND [ARGS]\n\ncommands:\n";
    for (const Command& c : Commands()) out << "  " << c.usage << "\n";
    out << "\nobject options: --name TEXT --in PATH --period SECONDS --mode 0|1|2 "
           "--keywords TEXT\n  --skip-keywords TEXT --min-changed N --skip-chars N --skip-empty "
           "--skip-no-letters\n  --keep all|count:N|age:SECONDS "
           "--event default|none|blink|sound:FILE|message:TEXT|program:COMMAND\n"
           "  --color RRGGBB --news-tape --text-log --tables --protected "
           "(each switch also as --no-...)\n"
           "PATH: display names joined by \"/\", #N (the N-th object in tree order) or an address\n"
           "ovisto-cli COMMAND --help explains a command and its options.\n";
}

void PrintPlainValue(std::ostream& out, const Json& value, int indent);

void PrintPlainObject(std::ostream& out, const Json& object, int indent) {
    std::string pad(static_cast<size_t>(indent) * 2, ' ');
    for (auto it = object.begin(); it != object.end(); ++it) {
        const Json& v = it.value();
        if (v.is_object() || (v.is_array() && !v.empty())) {
            out << pad << it.key() << ":\n";
            PrintPlainValue(out, v, indent + 1);
        } else {
            out << pad << it.key() << ": ";
            PrintPlainValue(out, v, 0);
        }
    }
}

void PrintPlainValue(std::ostream& out, const Json& value, int indent) {
    if (value.is_object()) {
        PrintPlainObject(out, value, indent);
    } else if (value.is_array()) {
        if (value.empty()) out << "(none)\n";
        std::string pad(static_cast<size_t>(indent) * 2, ' ');
        for (size_t i = 0; i < value.size(); ++i) {
            if (value[i].is_structured()) {
                out << pad << "- " << (i + 1) << "\n";
                PrintPlainValue(out, value[i], indent + 1);
            } else {
                out << pad << "- ";
                PrintPlainValue(out, value[i], 0);
            }
        }
    } else if (value.is_string()) {
        out << value.get<std::string>() << "\n";
    } else if (value.is_null()) {
        out << "(none)\n";
    } else {
        out << value.dump() << "\n";
    }
}

}  // namespace

Workspace& CliContext::Space() {
    if (!space) {
        space.reset(new Workspace(dir));
        if (writes) space->Lock();
        space->Load(err);
    }
    return *space;
}

void CliContext::Print(const Json& document, void (*text)(std::ostream&, const Json&)) {
    if (json)
        out << JsonText(document);
    else
        (text ? text : PrintPlain)(out, document);
}

void PrintPlain(std::ostream& out, const Json& document) {
    PrintPlainValue(out, document, 0);
}

int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    CliContext context(out, err);
    // Without a language module (the portable build) the texts are the
    // English module's own, built in.
    if (!TheLanguage().Module()) TheLanguage().SetModule(platform::BuiltInTextModule(), false);
    try {
        // Global options before the command.
        size_t i = 0;
        const std::string* dir = nullptr;
        for (; i < words.size(); ++i) {
            if (words[i] == "--json") {
                context.json = true;
            } else if (words[i] == "--dir") {
                if (++i >= words.size()) Fail(kExitUsage, "option --dir needs a value");
                dir = &words[i];
            } else if (words[i].compare(0, 6, "--dir=") == 0) {
                static std::string inlineDir;
                inlineDir = words[i].substr(6);
                dir = &inlineDir;
            } else if (words[i] == "--help" || words[i] == "-h" || words[i] == "help") {
                PrintUsage(out);
                return kExitOk;
            } else {
                break;
            }
        }
        if (i >= words.size()) {
            PrintUsage(err);
            return kExitUsage;
        }
        const Command* command = nullptr;
        for (const Command& c : Commands())
            if (words[i] == c.name) command = &c;
        if (!command) Fail(kExitUsage, "unknown command \"" + words[i] + "\" (try --help)");
        std::vector<std::string> rest(words.begin() + static_cast<long>(i) + 1, words.end());
        for (const std::string& w : rest) {
            if (w == "--") break;
            if (w == "--help" || w == "-h") {
                out << "usage: ovisto-cli " << command->usage << "\n\n"
                    << CommandHelp(command->name);
                return kExitOk;
            }
        }
        Arguments args(rest, With(command->options, {{"json", false}, {"dir", true}}));
        if (args.Has("json")) context.json = true;
        context.dir = ProgramDirectory(args.Value("dir") ? args.Value("dir") : dir);
        size_t n = args.Positional().size();
        if (n < command->minArgs || n > command->maxArgs)
            Fail(kExitUsage, std::string("usage: ovisto-cli ") + command->usage);
        context.writes = command->writes;
        return command->run(context, args);
    } catch (const CliError& e) {
        err << "ovisto-cli: " << e.message << "\n";
        return e.status;
    }
}
