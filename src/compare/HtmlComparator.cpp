#include "compare/HtmlComparator.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <string>

#include "compare/HRefComparator.h"
#include "compare/HtmlItemStream.h"
#include "compare/IndexedWalkOps.h"
#include "compare/TableRows.h"
#include "framework/CaseFold.h"
#include "html/HtmlDocument.h"
#include "html/PageCharset.h"
#include "http/UrlCrack.h"
#include "http/UrlUtils.h"
#include "platform/Files.h"
#include "platform/Thread.h"
#include "stream/FileStream.h"
#include "watchlist/CheckNode.h"
#include "watchlist/ItemProperties.h"

namespace {

constexpr int32_t kMatchBytes = 10;
constexpr uint32_t kIcuDecode = 0x10000000;  // WinInet's ICU_DECODE

// A stored copy read in large blocks: a page is read whole, front to back.
class PageFileStream : public ibwstream {
  public:
    explicit PageFileStream(const char* path) : ibwstream(64 * 1024), file_(path, true) {
        Attach(&file_);
    }

  private:
    ifwstreambuf file_;
};

// Builds one copy's document; false when the file cannot be opened or read.
// The file is read whole at its size and tokenized where it lies.
bool BuildFromFile(HtmlDocument& doc, const AStr& path, const AStr& baseUrl, int32_t charset) {
    PageFileStream in(path.c_str());
    if (!in.IsGood()) return false;
    const long long size = platform::FileSize(path.c_str());
    std::string page;
    if (!ReadRest(in, &page, size > 0 ? static_cast<size_t>(size) : 0)) return false;
    return BuildDocument(doc, page, baseUrl.c_str(), charset, 1) == 0;
}

// One stored copy made ready for the comparison: read, built, its table
// rows joined when asked, and its paragraphs made into an item stream (no
// stream when the file cannot be read).
struct PreparedCopy {
    PreparedCopy(const AStr& path, const AStr& baseUrl, int32_t charset, bool joinTableRows)
        : path(path), baseUrl(baseUrl), charset(charset), joinTableRows(joinTableRows) {}
    PreparedCopy(const PreparedCopy&) = delete;
    PreparedCopy& operator=(const PreparedCopy&) = delete;

    const AStr& path;
    const AStr& baseUrl;
    int32_t charset;
    bool joinTableRows;
    std::unique_ptr<HtmlDocument> document = std::make_unique<HtmlDocument>();
    std::unique_ptr<HtmlItemStream> stream;

    void Prepare() {
        if (!BuildFromFile(*document, path, baseUrl, charset)) return;
        if (joinTableRows) JoinTableRows(*document);
        stream = std::make_unique<HtmlItemStream>(*document);
    }
    ~PreparedCopy() {
        if (!stream) return;
        stream.reset();
        // Built here and only compared since: every node of the copy lies in
        // its arenas, which drop them at once.
        document->LeaveTreeToArenas();
    }
};

class PrepareThread : public platform::Thread {
  public:
    explicit PrepareThread(PreparedCopy& copy) : copy_(copy) {}
    // A failure (running out of memory on a huge page) is handed to the
    // caller, which throws it on as if it had prepared the copy itself.
    int32_t Run() override {
        try {
            copy_.Prepare();
        } catch (...) {
            failure_ = std::current_exception();
        }
        return 0;
    }
    void ThrowFailure() const {
        if (failure_) std::rethrow_exception(failure_);
    }

  private:
    PreparedCopy& copy_;
    std::exception_ptr failure_;
};

// The plain text of a new paragraph, control bytes (zero included) made
// spaces.
AStr ChangeText(const Paragraph& p) {
    std::string text(p.Text(), p.Length());
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    return AStr(text.data(), text.size());
}

// The href of the paragraph's link resolved against the base, the fragment
// put back; empty without a usable link.
AStr ParagraphLink(const HtmlCompareItem& item, const char* baseUrl) {
    HtmlHRef* link = item.openLink;
    if (!link || !link->IsValid()) link = FirstOpeningLink(*item.paragraph);
    if (!link || !link->IsValid()) return AStr();
    AStr href(link->Href());
    if (href.IsEmpty() || href.StartsWithNoCase("javascript:")) return AStr();
    AStr target, fragment, resolved;
    SplitFragment(href.c_str(), &target, &fragment);
    CombineUrl(baseUrl, target.c_str(), kIcuNoEncode | kIcuDecode, &resolved);
    resolved += fragment;
    return resolved;
}

}  // namespace

// Runs the comparison over the concrete paragraph streams: the probes of the
// resynchronisation search look up the items of the probed key in the
// stream's key index and call Match only for those (equal items always share
// a key), in the order the rings give; so a search over two pages without
// anything in common costs a few look-ups per ring, not a pass over it.
class HtmlWalkOps : public IndexedWalkOps<HtmlWalkOps, HtmlItemStream, HtmlCompareItem> {
  public:
    HtmlWalkOps(HtmlComparator& c, HtmlItemStream& o, HtmlItemStream& n)
        : IndexedWalkOps(o, n), comparator_(c) {}

    static bool Equal(const Item* a, const Item* b) { return a->Equals(*b); }
    static bool Match(const Item* a, const Item* b) { return HtmlComparator::MatchItems(a, b); }
    void OnEqual(Item* a0, Item* a1, Item* b0, Item* b1) { comparator_.EqualRun(a0, a1, b0, b1); }
    int OnDifference(Item*, Item*, Item* b0, Item* b1) {
        comparator_.DifferingRegion(new_, b0, b1);
        return 0;
    }

  private:
    HtmlComparator& comparator_;
};

HtmlComparator::HtmlComparator(const PageComparison& what, ListOf<ChangeNode>* results)
    : oldPath_(what.oldCopy.path),
      newPath_(what.newCopy.path),
      oldBaseUrl_(what.oldCopy.baseUrl),
      newBaseUrl_(what.newCopy.baseUrl),
      oldCharset_(what.oldCopy.charset),
      newCharset_(what.newCopy.charset),
      results_(results),
      mode_(what.mode) {}

bool HtmlComparator::MatchItems(const HtmlCompareItem* a, const HtmlCompareItem* b) {
    int32_t bytes = 0;
    for (;;) {
        if (!a || !b) return false;
        if (a->IsSentinel() || b->IsSentinel()) return a->IsSentinel() && b->IsSentinel();
        if (a->emptyRun && b->emptyRun) {
            // Empty paragraphs are equal and add no text: a run of them on
            // each side is passed in one step when the runs are as long (a
            // shorter one ends against text or an end, which is no match).
            if (a->emptyRun != b->emptyRun) return false;
            a = a->pastEmptyRun;
            b = b->pastEmptyRun;
            continue;
        }
        if (!a->Equals(*b)) return false;
        bytes += static_cast<int32_t>(std::min<uint32_t>(a->TextLength(), kMatchBytes));
        if (bytes >= kMatchBytes) return true;
        a = a->NextItem();
        b = b->NextItem();
    }
}

bool HtmlComparator::Match(CompareItemStream&, CompareItemStream&, CompareItem* a, CompareItem* b) {
    return MatchItems(HtmlItemStream::AsItem(a), HtmlItemStream::AsItem(b));
}

int HtmlComparator::OnEqual(CompareItemStream&, CompareItem* oldFirst, CompareItem* oldEnd,
                            CompareItemStream&, CompareItem* newFirst, CompareItem* newEnd) {
    EqualRun(HtmlItemStream::AsItem(oldFirst), HtmlItemStream::AsItem(oldEnd),
             HtmlItemStream::AsItem(newFirst), HtmlItemStream::AsItem(newEnd));
    return 0;
}

int HtmlComparator::OnDifference(CompareItemStream&, CompareItem*, CompareItem*,
                                 CompareItemStream& newStream, CompareItem* newFirst,
                                 CompareItem* newEnd) {
    DifferingRegion(static_cast<HtmlItemStream&>(newStream), HtmlItemStream::AsItem(newFirst),
                    HtmlItemStream::AsItem(newEnd));
    return 0;
}

void HtmlComparator::EqualRun(HtmlCompareItem* a0, HtmlCompareItem* a1, HtmlCompareItem* b0,
                              HtmlCompareItem* b1) {
    if (mode_ != kModeLinks) return;
    for (HtmlCompareItem *a = a0, *b = b0; a != a1 && b != b1 && a && b;
         a = a->NextItem(), b = b->NextItem()) {
        if (a->IsSentinel() || b->IsSentinel()) break;
        if (CompareLinks(*a->paragraph, *b->paragraph, results_) != 0) RaiseLevel(kLevelChanged);
    }
}

void HtmlComparator::DifferingRegion(HtmlItemStream& newStream, HtmlCompareItem* b0,
                                     HtmlCompareItem* b1) {
    int64_t n = 0;
    for (HtmlCompareItem* b = b0; b && b != b1; b = b->NextItem()) ++n;
    int64_t total = newStream.ParagraphCount();
    int64_t percent = total ? (n * 100 + total / 2) / total : -1;
    RaiseLevel(percent > 20 ? kLevelMuchInserted : kLevelChanged);
    for (HtmlCompareItem* b = b0; b && b != b1; b = b->NextItem())
        if (!b->IsSentinel()) RecordParagraph(newStream, *b);
}

void HtmlComparator::RecordParagraph(const HtmlItemStream& stream, const HtmlCompareItem& item) {
    if (!results_) return;
    AStr text = ChangeText(*item.paragraph);
    // Only a text with a letter in it is worth a record: a paragraph of
    // digits and punctuation (a visitor counter, a clock) counts as a change
    // but is not recorded.
    if (!casefold::HasLetter(text.c_str(), text.Length())) return;
    auto* change = new ChangeNode(text.c_str(), "");
    results_->Append(change);
    change->link = ParagraphLink(item, stream.Document().BaseUrl().c_str());
}

int HtmlComparator::CompareStreams(HtmlItemStream& oldStream, HtmlItemStream& newStream) {
    oldStream_ = &oldStream;
    newStream_ = &newStream;
    changeLevel_ = kLevelEqual;
    HtmlWalkOps ops(*this, oldStream, newStream);
    int result = SequenceWalk<HtmlWalkOps>(ops, differences_).Compare();
    oldStream_ = newStream_ = nullptr;
    return result;
}

int HtmlComparator::CompareFiles(bool joinTableRows) {
    PreparedCopy oldCopy(oldPath_, oldBaseUrl_, oldCharset_, joinTableRows);
    PreparedCopy newCopy(newPath_, newBaseUrl_, newCharset_, joinTableRows);
    // The two copies share nothing until they are compared: the old one is
    // prepared on a worker while this thread prepares the new one.
    platform::ThreadRef<PrepareThread> worker(new PrepareThread(oldCopy));
    if (!worker->Start()) oldCopy.Prepare();
    try {
        newCopy.Prepare();
    } catch (...) {
        worker->GetResult();  // the worker still uses the old copy
        throw;
    }
    worker->GetResult();
    worker->ThrowFailure();
    if (!oldCopy.stream || !newCopy.stream) return -1;
    CompareStreams(*oldCopy.stream, *newCopy.stream);
    return 0;
}

int ComparePageCopies(const PageComparison& what, ListOf<ChangeNode>* results) {
    HtmlComparator comparator(what, results);
    if (comparator.CompareFiles(what.joinTableRows) != 0) return -1;
    return comparator.ChangeLevel();
}
