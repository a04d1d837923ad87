#pragma once
// The text of a paragraph in the working code page, with its inline
// positions ordered by offset.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/TextBuffer.h"
#include "html/TextPosition.h"

class ParaText {
  public:
    ParaText() = default;
    ParaText(const ParaText&) = delete;
    ParaText& operator=(const ParaText&) = delete;
    virtual ~ParaText() = default;

    // The bytes (zero-terminated; the text itself may hold zero bytes).
    const char* Text() const { return text_.c_str(); }
    uint32_t Length() const { return static_cast<uint32_t>(text_.size()); }
    // For conversions that keep the length (code page changes).
    char* MutableText() { return text_.data(); }

    PositionList& Positions() { return positions_; }
    const PositionList& Positions() const { return positions_; }

    // Appends at the end of the text; positions stay where they are.
    void AppendText(const char* bytes, size_t length) { text_.append(bytes, length); }
    // Appends a position at the current end of the text.
    void AppendPosition(TextPosition* position);
    // Inserts bytes at `at`'s offset, after everything `at` stands for:
    // `at` and the positions before it keep their offsets, the positions
    // after it in the list move by the length inserted.
    void InsertAfterPosition(TextPosition* at, const char* bytes, size_t length);
    // Removes trailing spaces, but never from before the last position.
    void TrimTrailingSpaces();
    // Appends `separator` and then the other text, taking its positions with
    // their offsets moved; the other text is left empty and without positions.
    void Absorb(ParaText& other, const char* separator);
    // Empties the text; positions move to offset 0.
    void ClearText();

    // The first position of that kind, or null.
    TextPosition* FirstPosition(int kind) const;

  private:
    TextBuffer text_;  // in the document's arena for texts when built from a page
    PositionList positions_;
};
