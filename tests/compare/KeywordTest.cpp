#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Text1251.h"
#include "compare/FindText.h"
#include "compare/KeywordParser.h"
#include "compare/Parser.h"
#include "stream/MemStream.h"

namespace {

std::vector<std::string> Keywords(const std::string& text) {
    StrList list;
    ParseKeywords(text.c_str(), list);
    std::vector<std::string> out;
    for (StrNode* n = list.First(); n; n = n->Next()) out.emplace_back(n->c_str());
    return out;
}

using Words = std::vector<std::string>;

// Writes each token as "class:text" through the default dispatch.
class TokenLog : public Parser {
  public:
    explicit TokenLog(uint32_t options) : Parser(options) {}
    int OnToken(int tokenClass, const char* text, long length) override {
        log.push_back(std::to_string(tokenClass) + ":" + std::string(text, length));
        return tokenClass == kNumber || tokenClass == kSign
                   ? Parser::OnToken(tokenClass, text, length)
                   : 0;
    }
    int OnNumber(long value) override {
        numbers.push_back(value);
        return 0;
    }
    std::vector<std::string> log;
    std::vector<long> numbers;
};

std::vector<std::string> Tokens(const std::string& text, uint32_t options,
                                TokenLog* parser = nullptr) {
    TokenLog local(options);
    TokenLog& p = parser ? *parser : local;
    imwstream in(text.data(), static_cast<long>(text.size()));
    EXPECT_EQ(0, p.Parse(in));
    return p.log;
}

}  // namespace

TEST(KeywordParser, SeparatorsQuotesAndPunctuation) {
    EXPECT_EQ(Words({"news", "sale", "price"}), Keywords("news, sale;price"));
    EXPECT_EQ(Words({"web site", "news"}), Keywords("'web site' news"));
    EXPECT_EQ(Words({"web", "site"}), Keywords("web site"));
    EXPECT_EQ(Words({"a", "b"}), Keywords("a,,b"));
    EXPECT_EQ(Words({""}), Keywords("''"));
    EXPECT_EQ(Words({"e-mail", "-x", "c++"}), Keywords("e-mail -x c++"));
    EXPECT_EQ(Words({"say \"hi", "2"}),
              Keywords("'say \"hi' \"2"));       // unclosed quote ends at the end
    EXPECT_EQ(Words({"ab"}), Keywords("a\nb"));  // a line break neither closes nor adds
    EXPECT_EQ(Words({W("Цена"), "10"}), Keywords(W("Цена 10")));
    EXPECT_EQ(Words(), Keywords(""));
    EXPECT_EQ(Words(), Keywords(" ,; "));
}

TEST(Parser, TokenClassesWithoutNumbers) {
    EXPECT_EQ(Words({"3:ab_1", "5: \t", "4:+", "3:12x", "6:", "2:q r", "4:!", "7:"}),
              Tokens("ab_1 \t+12x\n\"q r\"!", 0));
}

TEST(Parser, NumbersAndSignsWithOptionBit0) {
    TokenLog p(Parser::kNumbersAndSigns);
    EXPECT_EQ(Words({"0:0x1F", "5: ", "1:-", "0:42", "3:a7", "1:+", "0:5", "7:"}),
              Tokens("0x1F -42a7+5", Parser::kNumbersAndSigns, &p));
    EXPECT_EQ(std::vector<long>({31, -42, 5}), p.numbers);
}

TEST(Parser, QuoteConventionsOfTheOptionBits) {
    EXPECT_EQ(Words({"2:a\\", "3:b", "2:", "7:"}), Tokens("'a\\'b'", 0));
    EXPECT_EQ(Words({"2:a'b", "7:"}), Tokens("'a\\'b'", Parser::kBackslashEscapes));
    EXPECT_EQ(Words({"2:a'b", "7:"}), Tokens("'a''b'", Parser::kDoubledQuotes));
}

TEST(Parser, StopsOnANonZeroResultAndCountsLines) {
    struct StopAtWord : Parser {
        StopAtWord() : Parser(0) {}
        int OnWord(const char*, long) override { return 5; }
    } p;
    std::string text = "\n\nx,";
    imwstream in(text.data(), static_cast<long>(text.size()));
    EXPECT_EQ(5, p.Parse(in));
    EXPECT_EQ(2, p.LineCount());

    std::string comma = "\n,x";  // the default answer for punctuation is 1
    imwstream in2(comma.data(), static_cast<long>(comma.size()));
    EXPECT_EQ(1, p.Parse(in2));
    EXPECT_EQ(1, p.LineCount());
}

TEST(Parser, ReadErrorGivesMinusOne) {
    struct Plain : Parser {
        Plain() : Parser(0) {}
        int OnWord(const char*, long) override { return 0; }
    } p;
    imwstream broken(nullptr, 0);  // a stream without a buffer fails every read
    EXPECT_EQ(-1, p.Parse(broken));
}

TEST(FindText, CaseAndOffsets) {
    std::string text = W("новая ЦЕНА: 10");
    std::string key = W("Цена");
    EXPECT_EQ(6, FindText(text.data(), text.size(), key.data(), key.size(), false));
    EXPECT_EQ(-1, FindText(text.data(), text.size(), key.data(), key.size(), true));
    EXPECT_EQ(0, FindText("abc", 3, "", 0, false));
    EXPECT_EQ(-1, FindText("ab", 2, "abc", 3, false));
    EXPECT_EQ(2, FindText("xxXY", 4, "xy", 2, false));
    EXPECT_EQ(-1, FindText("xxXY", 4, "xy", 2, true));
    EXPECT_EQ(1, FindText("a\0b", 3, "\0b", 2, true));  // lengths, not terminators
    std::string yo = W("ёлка"), YO = W("ЁЛКА");
    EXPECT_EQ(0, FindText(yo.data(), yo.size(), YO.data(), YO.size(), false));
}
