#include "html/HtmlDocument.h"

void HtmlDocument::LeaveTreeToArenas() {
    root_.Forget();
    paragraphs_.clear();
    outerTables_.clear();
}

void HtmlDocument::AppendNode(HtmlNode* parent, HtmlNode* child, bool withinTable) {
    (parent ? parent : &root_)->AppendChild(child);
    if (child->Tag() == kImpliedParagraph)
        paragraphs_.push_back(static_cast<Paragraph*>(child));
    else if (child->Tag() == kTagTable && !withinTable)
        outerTables_.push_back(static_cast<Table*>(child));
}

Paragraph* FirstParagraph(const HtmlNode* root) {
    return FirstNodeOf<Paragraph>(root);
}

Paragraph* NextParagraph(const Paragraph* after, const HtmlNode* root) {
    return NextNodeOf<Paragraph>(after, root);
}

Paragraph* PrevParagraph(const Paragraph* p, const HtmlNode* root) {
    // Paragraphs do not nest in a built tree; a paragraph that holds one is
    // still the nearer find going backwards.
    for (HtmlNode* n = p->PrevInDocument(root); n; n = n->PrevInDocument(root)) {
        if (Paragraph* hit = dynamic_cast<Paragraph*>(n)) return hit;
    }
    return nullptr;
}

HtmlHRef* LinkOpenAtStart(const Paragraph* p, const HtmlNode* root) {
    for (Paragraph* q = PrevParagraph(p, root); q; q = PrevParagraph(q, root)) {
        for (TextPosition* pos = q->Positions().Last(); pos; pos = pos->PrevPos()) {
            if (pos->Kind() != kHRefKind) continue;
            HtmlHRef* link = static_cast<HtmlHRef*>(pos);
            return link->IsOpening() ? link : nullptr;
        }
    }
    return nullptr;
}

HtmlHRef* FirstOpeningLink(const ParaText& text) {
    for (TextPosition* pos = text.Positions().First(); pos; pos = pos->NextPos()) {
        if (pos->Kind() == kHRefKind && static_cast<HtmlHRef*>(pos)->IsOpening())
            return static_cast<HtmlHRef*>(pos);
    }
    return nullptr;
}
