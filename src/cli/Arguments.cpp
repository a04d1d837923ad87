#include "cli/Arguments.h"

#include <cerrno>
#include <cstdlib>

#include "cli/CliError.h"

Arguments::Arguments(const std::vector<std::string>& words, const std::vector<OptionSpec>& specs) {
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (optionsEnded || w.size() < 3 || w.compare(0, 2, "--") != 0) {
            if (w == "--" && !optionsEnded) {
                optionsEnded = true;
                continue;
            }
            positional_.push_back(w);
            continue;
        }
        std::string name = w.substr(2), value;
        size_t eq = name.find('=');
        bool inlineValue = eq != std::string::npos;
        if (inlineValue) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        const OptionSpec* option = nullptr;
        for (const OptionSpec& s : specs)
            if (s.name == name) option = &s;
        if (!option) Fail(kExitUsage, "unknown option --" + name);
        if (option->takesValue && !inlineValue) {
            if (i + 1 >= words.size()) Fail(kExitUsage, "option --" + name + " needs a value");
            value = words[++i];
        } else if (!option->takesValue && inlineValue) {
            Fail(kExitUsage, "option --" + name + " takes no value");
        }
        values_[name] = value;
        order_.emplace_back(name, value);
    }
}

const std::string* Arguments::Value(const std::string& name) const {
    auto it = values_.find(name);
    return it == values_.end() ? nullptr : &it->second;
}

long long ParseInteger(const std::string& option, const std::string& text, long long low,
                       long long high) {
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || v < low || v > high)
        Fail(kExitBadInput, option + ": \"" + text + "\" is not a number from " +
                                std::to_string(low) + " to " + std::to_string(high));
    return v;
}
