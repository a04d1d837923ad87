// Typed command-line words: option parsing, object options, mailbox
// addresses, UTF-8 text taken into 1251 and object paths. Every bad word
// must end as a CliError, never as a crash.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/CliError.h"
#include "cli/CliText.h"
#include "cli/ObjectOptions.h"
#include "cli/ObjectPath.h"
#include "watchlist/ItemList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back().push_back(static_cast<char>(data[i]));
    }
    for (const std::string& w : words) Typed(w);

    static ItemList* list = [] {
        auto* l = new ItemList;
        ItemProperties folder;
        folder.name = "News";
        auto* f = new ItemNode(folder);
        l->Append(f);
        ItemProperties page;
        page.address = "http://a.test/";
        f->Append(new ItemNode(page));
        return l;
    }();
    try {
        FindObject(*list, words[0]);
    } catch (const CliError&) {
    }
    try {
        std::vector<OptionSpec> specs = ObjectOptionSpecs();
        for (const OptionSpec& m : MailboxOptionSpecs()) specs.push_back(m);
        Arguments args(words, specs);
        ItemProperties p;
        ApplyObjectOptions(args, words.size() % 2 == 0, p);
        MailboxAddressFrom(args, "mailto:u:p@h:110");
    } catch (const CliError&) {
    }
    return 0;
}
