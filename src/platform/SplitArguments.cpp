// The words of a program's argument text, split as Windows programs split
// their command line; the POSIX build executes user programs with them.
#include "platform/ChildProcess.h"

namespace platform {

std::vector<std::string> SplitArguments(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (size_t i = 0; i < text.size();) {
        char c = text[i];
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
            ++i;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            size_t n = 0;
            while (i < text.size() && text[i] == '\\') ++n, ++i;
            if (i < text.size() && text[i] == '"') {
                word.append(n / 2, '\\');
                if (n % 2) {
                    word += '"';
                    ++i;
                }
            } else {
                word.append(n, '\\');
            }
            continue;
        }
        if (c == '"')
            quoted = !quoted;
        else
            word += c;
        ++i;
    }
    if (inWord) words.push_back(word);
    return words;
}

}  // namespace platform
