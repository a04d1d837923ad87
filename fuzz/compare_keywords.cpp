// Keyword texts typed by the user: the lexer with every option set, the
// keyword parser, and the search of each keyword in the text itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "compare/FindText.h"
#include "compare/KeywordParser.h"
#include "compare/Parser.h"
#include "stream/MemStream.h"

namespace {
class AcceptAll : public Parser {
  public:
    explicit AcceptAll(uint32_t options) : Parser(options) {}
    int OnNumber(long) override { return 0; }
    int OnSign(char c) override {
        Parser::OnSign(c);
        return 0;
    }
    int OnQuoted(const char*, long) override { return 0; }
    int OnWord(const char*, long) override { return 0; }
    int OnPunctuation(char) override { return 0; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    for (uint32_t options = 0; options < 8; ++options) {
        imwstream in(data, static_cast<long>(size));
        AcceptAll(options).Parse(in);
    }
    std::string text(bytes, size);  // keyword options are zero-terminated texts
    StrList keywords;
    ParseKeywords(text.c_str(), keywords);
    for (StrNode* k = keywords.First(); k; k = k->Next()) {
        FindText(bytes, size, k->c_str(), k->Length(), false);
        FindText(bytes, size, k->c_str(), k->Length(), true);
    }
    return 0;
}
