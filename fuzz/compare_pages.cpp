// Two arbitrary pages compared as a check compares its stored copies, in
// link mode, with or without table rows and in each character set; the
// records found are then written into a check-history page.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "compare/ChangeReport.h"
#include "compare/HtmlComparator.h"
#include "compare/HtmlItemStream.h"
#include "compare/TableRows.h"
#include "html/HtmlDocument.h"
#include "stream/MemStream.h"
#include "watchlist/ItemNode.h"

namespace {

class FixedTexts : public ReportHost {
  public:
    AStr Text(unsigned) const override { return "text"; }
    AStr CheckTime(uint32_t time) const override { return AStr::Format("%u", time); }
};

std::unique_ptr<HtmlDocument> Build(const uint8_t* data, size_t size, int charset) {
    auto doc = std::make_unique<HtmlDocument>();
    imwstream in(data, static_cast<long>(size));
    BuildDocument(*doc, in, "http://host/dir/page.htm", charset, 1);
    return doc;
}

}  // namespace

// Input: one control byte (bit 0 table rows, bits 1-3 character set code),
// one byte giving where the old page ends (as a share of the rest), then the
// two pages.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    bool tables = data[0] & 1;
    int charset = (data[0] >> 1) & 7;
    size_t rest = size - 2;
    size_t split = rest * data[1] / 255;
    auto oldDoc = Build(data + 2, split, charset);
    auto newDoc = Build(data + 2 + split, rest - split, charset);
    if (tables) {
        JoinTableRows(*oldDoc);
        JoinTableRows(*newDoc);
    }
    HtmlItemStream oldStream(*oldDoc), newStream(*newDoc);
    auto* check = new CheckNode(1);
    PageComparison what = InMemoryComparison(charset);
    what.mode = kModeLinks;
    HtmlComparator comparator(what, &check->changes);
    check->result =
        comparator.CompareStreams(oldStream, newStream) < 0 ? 0 : comparator.ChangeLevel();

    ItemNode page;
    page.properties.address = "http://host/dir/page.htm";
    page.checks.Append(check);
    omwstream report;
    WriteChangeReport(FixedTexts(), report, page);
    return 0;
}
