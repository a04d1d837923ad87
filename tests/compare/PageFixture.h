#pragma once
// Pages for the comparison tests: documents built from markup in memory,
// and the two stored copies of a check written as files.
#include <memory>
#include <string>
#include <vector>

#include "html/HtmlDocument.h"
#include "retrieval/memstream.h"
#include "support/TempDir.h"
#include "watchlist/CheckNode.h"

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
