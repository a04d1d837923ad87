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
        // The unbuffered path reads byte by byte, the buffered one takes runs
        // of text at once: the same paragraphs either way.
        imwstream plain(data, static_cast<long>(size));
        HtmlDocument again;
        Check(BuildDocument(again, plain, "http://host/", size > 1 ? data[1] % 5 : 0, 1) == rc);
        Check(again.Paragraphs().size() == doc.Paragraphs().size());
        for (size_t i = 0; i < doc.Paragraphs().size(); ++i) {
            const Paragraph* a = doc.Paragraphs()[i];
            const Paragraph* b = again.Paragraphs()[i];
            Check(a->Length() == b->Length() &&
                  std::memcmp(a->Text(), b->Text(), a->Length()) == 0);
        }
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
