#include "watchlist/EventRules.h"

#include <cstring>
#include <string>

#include "watchlist/ItemNode.h"

const ItemEvent& ApplicableEvent(const ItemEvent& own, const ItemEvent& programWide) {
    if (own.type <= 254 && !IsHeldProgramEvent(own)) return own;
    return programWide;
}

EventCommand SplitEventCommand(const char* commandLine) {
    std::string program, arguments;
    const char* p = commandLine ? commandLine : "";
    while (*p == ' ') ++p;
    bool quoted = false, inProgram = true;
    for (; *p; ++p) {
        if (*p == '"') quoted = !quoted;
        if (!inProgram) {
            arguments += *p;
        } else if (*p == ' ' && !quoted) {
            inProgram = false;
        } else if (*p != '"') {
            program += *p;
        }
    }
    return {AStr(program.c_str()), AStr(arguments.c_str())};
}

AStr EventMessageText(const ItemNode& object, const AStr& param) {
    AStr text = object.DisplayName();
    text += "\n";
    text += param;
    return text;
}

bool SelectsChangedObject(const ItemNode& object, const std::vector<ItemNode*>& selected) {
    if (selected.size() != 1) return true;
    for (const ItemNode* n = &object; n; n = n->ParentItem())
        if (n == selected[0]) return false;
    return true;
}

AStr ProgramParameter(const AStr& path) {
    if (!std::strchr(path.c_str(), ' ')) return path;
    AStr quoted("\"");
    quoted += path;
    quoted += "\"";
    return quoted;
}
