// The parameter of a run-program event (from a watch list, an import or a
// typed text) split into the program and its arguments. The program never
// keeps a quote, nothing is made up, and a program given back as the chooser
// writes it splits into itself again.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "watchlist/EventRules.h"

namespace {

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.c_str();  // a parameter ends at its first NUL
    EventCommand command = SplitEventCommand(text.c_str());
    std::string program = command.program.c_str(), arguments = command.arguments.c_str();
    Check(program.find('"') == std::string::npos);
    Check(program.size() + arguments.size() <= text.size());
    Check(arguments.empty() || text.size() >= arguments.size() + 1);
    Check(text.compare(text.size() - arguments.size(), arguments.size(), arguments) == 0);
    if (!program.empty()) {
        EventCommand again = SplitEventCommand(ProgramParameter(command.program).c_str());
        Check(program == again.program.c_str() && again.arguments.IsEmpty());
    }
    return 0;
}
