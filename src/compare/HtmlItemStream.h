#pragma once
// The paragraphs of a page as a sequence for the comparator. Each item keeps
// a 16-bit hash of the paragraph's text as the document held it; building
// the stream brings the text into the working code page and puts the bytes
// of character references into it, so that equality is decided on the text
// a reader sees.
#include <cstdint>
#include <vector>

#include "compare/KeyIndex.h"
#include "compare/StreamComparator.h"
#include "framework/Arena.h"
#include "framework/List.h"

class HtmlDocument;
class HtmlHRef;
class Paragraph;

// h = ((h << 1) mod 2^16 XOR c) OR (bit 15 of the previous h at bit 0).
uint16_t TextHash16(const char* text, uint32_t length);

class HtmlCompareItem : public CompareItem, public Node, public ArenaObject {
  public:
    // A null paragraph makes the end sentinel; `hash` is the TextHash16 of
    // the paragraph's text as the document held it.
    HtmlCompareItem(Paragraph* paragraph, uint16_t hash, uint32_t index);

    bool IsEqual(const CompareItem* other) const override {
        return Equals(*static_cast<const HtmlCompareItem*>(other));
    }
    bool Equals(const HtmlCompareItem& other) const;
    bool IsSentinel() const { return paragraph == nullptr; }
    HtmlCompareItem* NextItem() const { return static_cast<HtmlCompareItem*>(Next()); }
    uint32_t TextLength() const;

    Paragraph* paragraph;
    uint16_t hash;
    uint32_t index;  // position in the stream, from 0
    // The link open where the paragraph begins (opened in an earlier
    // paragraph and not closed), or null.
    HtmlHRef* openLink = nullptr;
    // For an empty paragraph: how many empty paragraphs follow from here
    // (this one included), and the item after them.
    uint32_t emptyRun = 0;
    HtmlCompareItem* pastEmptyRun = nullptr;
};

class HtmlItemStream : public CompareItemStream {
  public:
    // Visits the paragraphs in document order; converts and completes their
    // texts in the document.
    explicit HtmlItemStream(HtmlDocument& document);

    CompareItem* First() override { return items_.First(); }
    CompareItem* Next(CompareItem* item) override { return AsItem(item)->NextItem(); }
    bool IsLast(CompareItem* item) override { return AsItem(item)->Next() == nullptr; }

    HtmlDocument& Document() const { return document_; }
    // Paragraph items, the sentinel not counted.
    int32_t ParagraphCount() const { return paragraphCount_; }

    // Random access for the resynchronisation search: the item at a
    // position, and the index of the items' keys (a hash of the text, which
    // equal items share; the sentinels share theirs).
    HtmlCompareItem* At(uint32_t index) const { return byIndex_[index]; }
    uint32_t Size() const { return static_cast<uint32_t>(byIndex_.size()); }
    const KeyIndex& Index() const { return index_; }

    static HtmlCompareItem* AsItem(CompareItem* item) {
        return static_cast<HtmlCompareItem*>(item);
    }

  private:
    void Append(HtmlCompareItem* item);
    void LinkEmptyRuns();

    HtmlDocument& document_;
    Arena memory_;  // the items' memory, declared first so that it outlives them
    ListOf<HtmlCompareItem> items_;
    int32_t paragraphCount_ = 0;
    std::vector<HtmlCompareItem*> byIndex_;
    KeyIndex index_;
};
