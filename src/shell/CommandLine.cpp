#include "shell/CommandLine.h"

#include <string>

std::vector<AStr> SplitCommandLine(const char* commandLine) {
    std::vector<AStr> args;
    const char* p = commandLine ? commandLine : "";
    for (;;) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) return args;
        std::string arg;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            size_t slashes = 0;
            while (*p == '\\') {
                ++slashes;
                ++p;
            }
            if (*p == '"') {
                arg.append(slashes / 2, '\\');
                if (slashes % 2) {
                    arg += '"';
                } else if (quoted && p[1] == '"') {
                    arg += '"';
                    ++p;
                } else {
                    quoted = !quoted;
                }
                ++p;
            } else {
                arg.append(slashes, '\\');
                if (*p && (quoted || (*p != ' ' && *p != '\t'))) arg += *p++;
            }
        }
        args.emplace_back(arg.data(), arg.size());
    }
}

bool FirstArgumentIs(const std::vector<AStr>& args, const char* option) {
    return !args.empty() && args[0].CompareNoCase(option) == 0;
}
