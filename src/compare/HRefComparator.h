#pragma once
// Compares the links of two paragraphs whose texts are equal: every link of
// the new paragraph without a counterpart in the old one becomes a change
// record holding the link as written in the page.
#include <cstdint>
#include <vector>

#include "compare/KeyIndex.h"
#include "compare/StreamComparator.h"
#include "framework/List.h"

class ChangeNode;
class HtmlHRef;
class ParaText;

class HRefCompareItem : public CompareItem, public Node {
  public:
    // A null position makes the end sentinel.
    HRefCompareItem(HtmlHRef* position, const char* value, uint32_t length, uint32_t index)
        : position(position), value(value), length(length), index(index) {}
    bool IsEqual(const CompareItem* other) const override;
    HRefCompareItem* NextItem() const { return static_cast<HRefCompareItem*>(Next()); }

    HtmlHRef* position;
    const char* value;  // the href as written in the page
    uint32_t length;
    uint32_t index;  // position in the stream, from 0
};

// The opening link positions of a paragraph that carry a non-empty href.
class HRefItemStream : public CompareItemStream {
  public:
    explicit HRefItemStream(const ParaText& paragraph);
    CompareItem* First() override { return items_.First(); }
    CompareItem* Next(CompareItem* item) override { return AsItem(item)->NextItem(); }
    bool IsLast(CompareItem* item) override { return AsItem(item)->Next() == nullptr; }
    static HRefCompareItem* AsItem(CompareItem* item) {
        return static_cast<HRefCompareItem*>(item);
    }
    // The paragraph the links were taken from.
    const ParaText& Source() const { return paragraph_; }

    // Random access and the index of the links' keys (a hash of the value).
    HRefCompareItem* At(uint32_t index) const { return byIndex_[index]; }
    const KeyIndex& Index() const { return index_; }

  private:
    void Append(HtmlHRef* position, const char* value, uint32_t length);

    const ParaText& paragraph_;
    ListOf<HRefCompareItem> items_;
    std::vector<HRefCompareItem*> byIndex_;
    KeyIndex index_;
};

class HRefComparator : public StreamComparator {
  public:
    HRefComparator(const ParaText& oldParagraph, const ParaText& newParagraph,
                   ListOf<ChangeNode>* results)
        : old_(oldParagraph), new_(newParagraph), results_(results) {}

    // Compares the links of the two paragraphs (without a virtual call per
    // probe); 0, the differs flag tells the outcome.
    int Run();
    int32_t Differs() const { return differs_; }

    // One pair of equal links (or the two ends) is a resynchronisation point.
    bool Match(CompareItemStream& oldStream, CompareItemStream& newStream, CompareItem* a,
               CompareItem* b) override {
        return MatchRun(oldStream, newStream, a, b, 1);
    }
    int OnDifference(CompareItemStream& oldStream, CompareItem* oldFirst, CompareItem* oldEnd,
                     CompareItemStream& newStream, CompareItem* newFirst,
                     CompareItem* newEnd) override;

  private:
    friend class HRefWalkOps;
    void RecordLinks(HRefCompareItem* first, HRefCompareItem* end);

    const ParaText& old_;
    const ParaText& new_;
    int32_t differs_ = 0;
    ListOf<ChangeNode>* results_;
};

// 1 when a link was added or removed, else 0 (-1 would be a failure; the
// comparison itself cannot fail). Added links are appended to `results`.
int CompareLinks(const ParaText& oldParagraph, const ParaText& newParagraph,
                 ListOf<ChangeNode>* results);
