// The help texts of the commands (see CommandHelp.h).
#include "cli/CommandHelp.h"

#include <map>

namespace {

const char kObjectOptions[] =
    "Object options:\n"
    "  --name TEXT         the name shown in the tree and used in PATHs (a new page\n"
    "                      takes its title at the first check when no name is given)\n"
    "  --in PATH           the folder that holds the object (\"/\" is the top level)\n"
    "  --period SECONDS    how often it is checked; 0 only when asked (check PATH)\n"
    "  --mode 0|1|2        what a page is compared by:\n"
    "                        0  none: every new download counts as a change\n"
    "                        1  text: new or changed paragraphs are the changes\n"
    "                        2  links: as 1, and links that are new in equal paragraphs\n"
    "  --keywords TEXT     a change must contain one of these words to count\n"
    "                      (separated by blanks, \",\" or \";\"; \"quoted phrases\" allowed)\n"
    "  --skip-keywords TEXT  changes containing one of these words are dropped\n"
    "  --min-changed N     a check stands only with at least N changes (-1: any)\n"
    "  --skip-chars N      changes shorter than N characters are dropped (-1: none)\n"
    "  --skip-empty        drop changes without any text\n"
    "  --skip-no-letters   drop changes without a single letter (numbers, dates)\n"
    "  --keep all|count:N|age:SECONDS\n"
    "                      which old checks are kept when a new one is announced:\n"
    "                      all of them, the newest N, or those younger than SECONDS\n"
    "                      (the newest check is always kept)\n"
    "  --event default|none|blink|sound:FILE|message:TEXT|program:COMMAND\n"
    "                      what announces a change: the program-wide event\n"
    "                      (Options.eventtype), nothing, the tray icon blinking,\n"
    "                      a sound file, a message window with TEXT, or a program\n"
    "                      that is run\n"
    "  --color RRGGBB      the colour of the object's name in the tree\n"
    "  --news-tape         a folder gathers the checks of everything below it\n"
    "  --text-log          daily text logs USER/NAMEDDMMYY.TXT of the changes\n"
    "  --tables            compare table rows as whole paragraphs\n"
    "  --protected         remove refuses the object\n"
    "  Each switch also as --no-... to turn it off.\n";

const char kMailboxOptions[] =
    "Mailbox options:\n"
    "  --server HOST       the POP3 server\n"
    "  --port N            its port (110 when not given)\n"
    "  --user NAME         the account's user name\n"
    "  --password WORD     its password (kept scrambled in OVISTO.CFG, shown as ***)\n";

const char kPathNote[] =
    "PATH: display names joined by \"/\" (News/Weather report), #N (the N-th object\n"
    "in tree order, see list), or the address of a page or mailbox.\n";

const char kCharsets[] =
    "Character sets (N): 0 unknown (read from the page or guessed), 1 Windows\n"
    "code pages (1251), 2 DOS 866, 3 KOI8-R, 4 ISO 8859-5.\n";

const char kCheckMarks[] =
    "Each object ends as: changed (N changes), unchanged, first copy (the first\n"
    "download of a page, kept to compare the next one with), failed (the reason),\n"
    "or skipped (switched off, or period 0 when checking everything).\n";

const char kTreeMarks[] =
    "Marks: \"*\" before an object or folder: it holds changes not yet seen (seen\n"
    "PATH clears it). \"(large change)\": one region of the page grew by more than\n"
    "a fifth of its paragraphs; \"(frame structure changed)\": a framed page got\n"
    "other frames.\n";

// long-function: the help text of every command, one entry each.
const std::map<std::string, std::string>& Texts() {
    static const std::map<std::string, std::string> texts = {
        {"list",
         std::string("Lists the watch list as a tree: kind, name, <address>, period, state\n"
                     "(idle, failed (why) since when, requested...) and the number of checks.\n"
                     "  --failed   only the pages and mailboxes whose last check failed\n") +
             kTreeMarks},
        {"show", std::string("Shows every field of one object.\n") + kPathNote},
        {"add",
         std::string("Adds a web page to watch; the address is completed as a browser would\n"
                     "(\"example.org\" becomes \"http://example.org/\").\n") +
             kObjectOptions},
        {"add-mailbox",
         std::string("Adds a POP3 mailbox; each check lists the messages not seen before.\n") +
             kMailboxOptions + kObjectOptions},
        {"add-folder", std::string("Adds a folder.\n") + kObjectOptions},
        {"edit",
         std::string("Changes an object; options not given stay as they are.\n"
                     "  --address URL       a page's new address (its stored copy is dropped)\n") +
             kMailboxOptions + kObjectOptions + kPathNote},
        {"remove",
         std::string("Removes objects with their checks and stored copies.\n") + kPathNote},
        {"move",
         std::string("Moves an object into another folder (--in PATH, \"/\" the top level).\n") +
             kPathNote},
        {"on", std::string("Switches objects (and everything below a folder) on.\n") + kPathNote},
        {"off",
         std::string("Switches objects (and everything below a folder) off: not checked.\n") +
             kPathNote},
        {"changes",
         std::string("Lists the checks with their changes, newest first: of one object, of a\n"
                     "folder and everything below it, or of everything.\n") +
             kTreeMarks + kPathNote},
        {"seen", std::string("Marks the changes of objects as seen (clears \"*\").\n") + kPathNote},
        {"report", std::string("Writes the check history of an object as an HTML page to FILE.\n") +
                       kPathNote},
        {"export", "Writes objects (all when no PATH is given) to an export file (.ovf).\n"},
        {"import",
         "Adds the objects of a source (into --in PATH). --from chooses the source:\n"
         "  export     an export file (.ovf) with every property of its objects (the default)\n"
         "  folder     a folder of Internet shortcut files (.url); subfolders become folders\n"
         "  page       the http:// links found in a file, each once\n"
         "  favorites  the Favorites folder of Windows (no FILE)\n"
         "  trovik     a tree file (.trv) of the sibling tool\n"
         "Objects from other sources than an export file take the default properties.\n"},
        {"options",
         "Shows or changes the program options in ovisto.ini, by SECTION.KEY:\n"
         "  Options.language       interface language code (enu, rus)\n"
         "  Options.width1         the width of the object pane, in percent of the window\n"
         "  Options.BanChecks      1 suspends every check\n"
         "  Options.noutput        change texts longer than this are cut in the result\n"
         "                         pane (0: never)\n"
         "  Options.eventtype      the program-wide event: 0 none, 1 blink, 2 sound,\n"
         "                         3 message, 4 program; Options.eventparam its file/text\n"
         "  Options.maxthreads     downloads and comparisons running at once\n"
         "  Options.maxnews        most changes kept in one check (0: no limit)\n"
         "  Proxy.Use              1 sends every download through the proxy\n"
         "  Proxy.Proxy            the proxy's host, or host:port (no http://)\n"
         "  Proxy.Port             the proxy's port\n"
         "  Proxy.User             the user name the proxy asks for\n"
         "  Proxy.Password         its password; kept only with Proxy.Save Password=1\n"
         "  Proxy.Save Password    1 keeps the proxy password (scrambled) in ovisto.ini\n"
         "  Search.bCase, Search.bWord  search matches case, whole words\n"
         "  Default.*              the properties a new object starts with: timedelta\n"
         "                         (period), keywords, deltype/delparam (--keep: 0 all,\n"
         "                         1 by age, 2 by count), minchanged, skipchanges,\n"
         "                         modify (mode), skipnumchars, skipkeywords, NewsTape,\n"
         "                         color, defeventtype/defeventparam (event)\n"
         "A value with blanks is one word: \"Proxy.Save Password=1\".\n"},
        {"compare",
         std::string("Compares two page files as a check would and prints the changes.\n"
                     "  --mode 1|2          text or links (see add --help)\n"
                     "  --base URL          the address both pages came from (for links);\n"
                     "                      --old-base, --new-base each on its own\n"
                     "  --old-charset N, --new-charset N   character sets of the files\n"
                     "  --tables            compare table rows as whole paragraphs\n") +
             kCharsets},
        {"title",
         std::string("Prints the title of a page file.\n  --charset N   its character set\n") +
             kCharsets},
        {"dump",
         "Prints a watch list (.CFG, .ovf), change log (.CHL) or mailbox record file\n"
         "field by field.\n"},
        {"check",
         std::string("Checks the objects named (all when none is) now and waits for them;\n"
                     "exactly those objects are checked, nothing else that is due.\n") +
             kCheckMarks + kPathNote},
        {"run",
         "Watches: checks every object when its period has passed, and prints each\n"
         "announced change, until Ctrl+C or SIGTERM.\n"
         "  --heartbeat SECONDS  how often it looks for due objects (60)\n"},
    };
    return texts;
}

}  // namespace

std::string CommandHelp(const std::string& name) {
    auto found = Texts().find(name);
    return found == Texts().end() ? std::string() : found->second;
}
