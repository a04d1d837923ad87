#pragma once
// Pages for the comparison tests: documents built from markup in memory,
// and the two stored copies of a check written as files.
#include <memory>
#include <string>
#include <vector>

#include "compare/HtmlComparator.h"
#include "html/HtmlDocument.h"
#include "stream/MemStream.h"
#include "support/TempDir.h"
#include "watchlist/CheckNode.h"
#include "watchlist/ItemProperties.h"

inline std::unique_ptr<HtmlDocument> BuildPage(const std::string& markup,
                                               const char* base = "http://host/dir/index.htm",
                                               int charset = 1) {
    auto doc = std::make_unique<HtmlDocument>();
    imwstream in(markup.data(), static_cast<long>(markup.size()));
    BuildDocument(*doc, in, base, charset, 1);
    return doc;
}

// "<p>" before every text.
inline std::string Paragraphs(const std::vector<std::string>& texts) {
    std::string markup;
    for (const std::string& t : texts) markup += "<p>" + t + "\n";
    return markup;
}

struct RecordView {
    std::string text;
    std::string link;
    bool operator==(const RecordView& o) const { return text == o.text && link == o.link; }
};

inline std::vector<RecordView> Records(const ListOf<ChangeNode>& list) {
    std::vector<RecordView> out;
    for (ChangeNode* c = list.First(); c; c = c->NextChange())
        out.push_back({c->text.c_str(), c->link.c_str()});
    return out;
}

inline std::ostream& operator<<(std::ostream& os, const RecordView& r) {
    return os << "{" << r.text << " | " << r.link << "}";
}

using Recs = std::vector<RecordView>;

struct PageResult {
    int level;
    Recs records;
};

// Both copies through the files, as a check compares them.
inline PageResult ComparePages(const std::string& oldMarkup, const std::string& newMarkup,
                               int32_t mode = kModeText, bool tables = false,
                               int32_t newCharset = 1, int32_t oldCharset = 1) {
    TempDir dir;
    std::string oldPath = dir.Write("OV000000.HTM", oldMarkup);
    std::string newPath = dir.Write("OV000000.TMP", newMarkup);
    ListOf<ChangeNode> results;
    PageComparison what;
    what.oldCopy = {oldPath.c_str(), "http://host/dir/index.htm", oldCharset};
    what.newCopy = {newPath.c_str(), "http://host/dir/index.htm", newCharset};
    what.mode = mode;
    what.joinTableRows = tables;
    int level = ComparePageCopies(what, &results);
    return {level, Records(results)};
}
