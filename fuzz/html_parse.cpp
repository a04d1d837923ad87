// Markup from arbitrary bytes through the tokenizer (both option values)
// and the document builder; the built tree must keep its invariants.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "html/HtmlDocument.h"
#include "html/HtmlParser.h"
#include "html/TitleParser.h"
#include "stream/MemStream.h"

namespace {

class BufferedInput : public ibwstream {
  public:
    BufferedInput(const uint8_t* data, size_t size, long block)
        : ibwstream(block), mem_(data, static_cast<long>(size)) {
        Attach(&mem_);
    }

  private:
    mwstreambuf mem_;
};

// Folds every callback, its bytes and the tokenizer's positions into one
// number.
class DigestParser : public HtmlParser {
  public:
    DigestParser() : HtmlParser(RawScripts | RawStyles) {}
    uint64_t digest = 1469598103934665603u;

  protected:
    int Add(int what, const char* bytes = nullptr, size_t n = 0) {
        const int64_t values[] = {what,
                                  static_cast<int64_t>(n),
                                  TagStart(),
                                  TagNameStart(),
                                  AttrNameStart(),
                                  AttrValueStart(),
                                  TagEnd(),
                                  RawMode()};
        for (int64_t v : values) digest = (digest ^ static_cast<uint64_t>(v)) * 1099511628211u;
        for (size_t i = 0; i < n; ++i)
            digest = (digest ^ static_cast<unsigned char>(bytes[i])) * 1099511628211u;
        return 0;
    }
    int OnHtmlText(const char* t, size_t n) override { return Add(1, t, n); }
    int OnStartTag(int tag) override { return Add(2 + 8 * tag); }
    int OnHtmlAttribute(int tag, int attr, const char* v, size_t n, char quote) override {
        return Add(3 + 8 * (tag + 1000 * attr) + 8000000 * quote, v, n);
    }
    int OnStartTagEnd(int tag) override { return Add(4 + 8 * tag); }
    int OnHtmlEndTag(int tag, int flag) override { return Add(5 + 8 * tag + 8000 * flag); }
    int OnHtmlComment(const char* t, size_t n) override { return Add(6, t, n); }
};

void Check(bool ok) {
    if (!ok) std::abort();
}

// Offsets never decrease and never pass the end of the text; every
// paragraph ends with its end marker; links are coupled both ways.
void CheckParagraph(const Paragraph& p, const HtmlNode* root) {
    uint32_t last = 0;
    for (const TextPosition* pos = p.Positions().First(); pos; pos = pos->NextPos()) {
        Check(pos->Offset() >= last && pos->Offset() <= p.Length());
        last = pos->Offset();
        if (pos->Kind() == kHRefKind) {
            const HtmlHRef* link = static_cast<const HtmlHRef*>(pos);
            Check(!link->Partner() || link->Partner()->Partner() == link);
            Check(link->IsOpening() ? link->Href() != nullptr : link->Partner() != nullptr);
        }
    }
    Check(p.Positions().Last() && p.Positions().Last()->Kind() >= 0);
    Check(p.FirstChildNode() == nullptr);
    (void)LinkOpenAtStart(&p, root);
    (void)FirstOpeningLink(p);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const long block = size ? 1 + data[0] % 64 : 1;
    {
        BufferedInput in(data, size, block);
        HtmlDocument doc;
        int rc = BuildDocument(doc, in, "http://host/", size > 1 ? data[1] % 5 : 0, 1);
        Check(rc == 0 || rc == -1);
        const HtmlNode* root = &doc.Root();
        int paragraphs = 0;
        for (Paragraph* p = FirstParagraph(root); p && paragraphs < 20000;
             p = NextParagraph(p, root), ++paragraphs) {
            CheckParagraph(*p, root);
            bool ended = false;
            for (const TextPosition* pos = p->Positions().First(); pos; pos = pos->NextPos())
                ended |= pos->Kind() == kSpecPosKind;
            Check(ended);
        }
        // The builder's record is what a walk finds.
        size_t index = 0;
        for (Paragraph* p = FirstParagraph(root); p; p = NextParagraph(p, root), ++index)
            Check(index < doc.Paragraphs().size() && doc.Paragraphs()[index] == p);
        Check(index == doc.Paragraphs().size());
        index = 0;
        for (Table* t = FirstNodeOf<Table>(root); t; t = NextNodeOf<Table>(t, root), ++index)
            Check(index < doc.OuterTables().size() && doc.OuterTables()[index] == t);
        Check(index == doc.OuterTables().size());
    }
    {
        // The builder tokenizes the page from memory, the title and charset
        // readers from a stream, buffered or not: the same callbacks and
        // positions on every road.
        DigestParser memory, buffered, plain;
        const int rc = memory.Parse(reinterpret_cast<const char*>(data), size);
        BufferedInput in(data, size, block);
        Check(buffered.Parse(in) == rc && buffered.digest == memory.digest);
        imwstream unbuffered(data, static_cast<long>(size));
        Check(plain.Parse(unbuffered) == rc && plain.digest == memory.digest);
    }
    {
        imwstream in(data, static_cast<long>(size));  // the unbuffered path
        HtmlParser1 parser;
        parser.Parse(in);
    }
    {
        BufferedInput in(data, size, 4096);
        TitleParser parser;
        parser.Parse(in);
        (void)CollapseSpaces(parser.Title().c_str());
    }
    return 0;
}
