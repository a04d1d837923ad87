#pragma once
// Compares two stored copies of a page paragraph by paragraph and collects
// the new paragraphs as change records; in link mode also the links of the
// paragraphs that stayed equal.
#include <cstdint>

#include "compare/StreamComparator.h"
#include "framework/AStr.h"
#include "framework/List.h"
#include "watchlist/ItemProperties.h"

class ChangeNode;
class HtmlCompareItem;
class HtmlItemStream;

// Change levels.
enum : int32_t {
    kLevelEqual = 0,
    kLevelChanged = 1,
    kLevelMuchInserted = 2,  // one region inserted more than 20% of the new paragraphs
};

// One stored copy of a page: its file, the address its links resolve
// against and its character set.
struct PageCopy {
    const char* path = "";
    const char* baseUrl = "";
    int32_t charset = 0;
};

// What a comparison of two copies is asked for.
struct PageComparison {
    PageCopy oldCopy;
    PageCopy newCopy;
    int32_t mode = kModeText;
    bool joinTableRows = false;  // table rows compared as whole paragraphs
};

// Two documents compared in memory (CompareStreams): no files, no base.
inline PageComparison InMemoryComparison(int32_t charset) {
    PageComparison what;
    what.oldCopy.charset = what.newCopy.charset = charset;
    return what;
}

class HtmlComparator : public StreamComparator {
  public:
    HtmlComparator(const PageComparison& what, ListOf<ChangeNode>* results);

    // Builds both documents and compares them; 0, or -1 when a copy could not
    // be opened or built.
    int CompareFiles(bool joinTableRows);
    // Compares two paragraph streams (without a virtual call per probe);
    // the result as Compare.
    int CompareStreams(HtmlItemStream& oldStream, HtmlItemStream& newStream);

    bool Match(CompareItemStream& oldStream, CompareItemStream& newStream, CompareItem* a,
               CompareItem* b) override;
    int OnEqual(CompareItemStream& oldStream, CompareItem* oldFirst, CompareItem* oldEnd,
                CompareItemStream& newStream, CompareItem* newFirst, CompareItem* newEnd) override;
    int OnDifference(CompareItemStream& oldStream, CompareItem* oldFirst, CompareItem* oldEnd,
                     CompareItemStream& newStream, CompareItem* newFirst,
                     CompareItem* newEnd) override;

    // Whether the paragraphs from (a, b) agree over at least 10 bytes of
    // text; the two ends are always a match.
    static bool MatchItems(const HtmlCompareItem* a, const HtmlCompareItem* b);

    int32_t ChangeLevel() const { return changeLevel_; }

  private:
    friend class HtmlWalkOps;
    void RaiseLevel(int32_t level) {
        if (changeLevel_ < level) changeLevel_ = level;
    }
    void EqualRun(HtmlCompareItem* a0, HtmlCompareItem* a1, HtmlCompareItem* b0,
                  HtmlCompareItem* b1);
    void DifferingRegion(HtmlItemStream& newStream, HtmlCompareItem* b0, HtmlCompareItem* b1);
    void RecordParagraph(const HtmlItemStream& stream, const HtmlCompareItem& item);

    AStr oldPath_, newPath_;
    AStr oldBaseUrl_, newBaseUrl_;
    int32_t oldCharset_, newCharset_;
    int32_t changeLevel_ = kLevelEqual;
    ListOf<ChangeNode>* results_;
    HtmlItemStream* oldStream_ = nullptr;
    HtmlItemStream* newStream_ = nullptr;
    int32_t mode_;
};

// The comparison a check runs on its worker thread: -1 when a copy could not
// be read, else the change level. New-text records are appended to `results`
// and belong to the caller.
int ComparePageCopies(const PageComparison& what, ListOf<ChangeNode>* results);
