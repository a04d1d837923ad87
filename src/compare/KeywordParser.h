#pragma once
// Keyword texts: alternatives separated by ",", ";" or white space; a quoted
// string is one keyword (even empty); other punctuation belongs to the
// keyword it stands in, so "e-mail" is one keyword.
#include "compare/Parser.h"
#include "framework/StrList.h"

class KeywordParser : public Parser {
  public:
    explicit KeywordParser(StrList& target) : Parser(0), target_(target) {}
    int OnToken(int tokenClass, const char* text, long length) override;

  private:
    void AddText(const char* text, long length);

    StrList& target_;
    bool open_ = false;  // the list's last keyword takes further text
};

// Appends the keywords of `text` to `list`; a read error ends the list where
// it stands.
void ParseKeywords(const char* text, StrList& list);
