#pragma once
// A small lexer for option texts: words, quoted strings, punctuation, white
// space and line breaks, and with option bit 0 numbers and signs. Each token
// goes to OnToken, whose default hands it to one operation per class.
#include <cstdint>
#include <string>

class iwstream;

class Parser {
  public:
    enum TokenClass {
        kNumber = 0,
        kSign = 1,
        kQuoted = 2,
        kWord = 3,
        kPunctuation = 4,
        kWhiteSpace = 5,
        kLineBreak = 6,
        kEnd = 7,
    };
    enum : uint32_t {
        kNumbersAndSigns = 1,   // digits start numbers; + and - are signs
        kBackslashEscapes = 2,  // \x inside a quoted string stands for x
        kDoubledQuotes = 4,     // two quotes inside a quoted string stand for one
    };

    explicit Parser(uint32_t options) : options_(options) {}
    virtual ~Parser() = default;

    // Non-zero stops the parse and is returned by it.
    virtual int OnToken(int tokenClass, const char* text, long length);
    // Converts the text (hexadecimal after "0x") times the sign.
    virtual int OnNumberText(const char* text, long length);
    virtual int OnNumber(long value) { return 1; }
    // "+" and "-" set the sign; anything else stops.
    virtual int OnSign(char sign);
    virtual int OnQuoted(const char* text, long length) { return 1; }
    virtual int OnWord(const char* text, long length) { return 1; }
    virtual int OnPunctuation(char c) { return 1; }
    virtual int OnWhiteSpace(const char* text, long length) { return 0; }
    virtual int OnLineBreak() { return 0; }
    virtual int OnEnd() { return 0; }

    // Reads tokens until the end of the input or a non-zero OnToken result,
    // which is returned; -1 on a read error.
    int Parse(iwstream& in);
    // The class of the next token (its text in TokenText), -1 on a read error.
    int NextToken(iwstream& in);

    const std::string& TokenText() const { return token_; }
    int32_t LineCount() const { return lines_; }

  protected:
    uint32_t options_;
    int32_t lines_ = 0;
    int32_t sign_ = 1;

  private:
    // The next byte (the pushed-back one first): 0..255, -1 at the end of
    // the input, -2 on a read error.
    int ReadByte(iwstream& in);
    void PushBack(int c) { pushedBack_ = c; }
    int ReadQuoted(iwstream& in, int quote);
    // Takes bytes while `accept` holds; the first other byte is pushed back.
    template <class Accept>
    int ReadRun(iwstream& in, int tokenClass, Accept accept);

    int pushedBack_ = -1;  // -1: none
    std::string token_;
};
