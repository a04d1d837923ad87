#pragma once
// Writes single HTML elements with upper-case tag and attribute names taken
// from the tokenizer's tables. A line break follows the start and the end
// tag of every element that is not inline (groups 1 and 2).
#include <cstdint>
#include <initializer_list>

class owstream;

// One attribute of a start tag: identifier, value kind and value.
struct TagAttr {
    enum Kind { kBare = 0, kNumber = 1, kSigned = 2, kString = 3 };
    int attr;
    Kind kind;
    long number;
    const char* text;

    static TagAttr Bare(int attr) { return {attr, kBare, 0, nullptr}; }
    static TagAttr Number(int attr, long value) { return {attr, kNumber, value, nullptr}; }
    static TagAttr Signed(int attr, long value) { return {attr, kSigned, value, nullptr}; }
    static TagAttr String(int attr, const char* value) { return {attr, kString, 0, value}; }
};

class TagWriter {
  public:
    TagWriter(owstream& out, int tag) : out_(out), tag_(tag) {}
    TagWriter(const TagWriter&) = delete;
    TagWriter& operator=(const TagWriter&) = delete;
    ~TagWriter() { End(); }

    // "<NAME", the attributes, ">".
    void Start(std::initializer_list<TagAttr> attrs = {});
    // "</NAME>" unless the element is empty or already ended.
    void End();

  private:
    void LineBreak();

    owstream& out_;
    int tag_;
};

// Writes a string attribute value: escaped (&, <, >, ") and enclosed in
// double quotes when it is empty or holds a blank, a control byte, "=",
// "'", "<" or ">".
void WriteAttrValue(owstream& out, const char* value);
// Writes text for the page to show as it is: &, < and > escaped.
void WriteEscapedText(owstream& out, const char* text);
