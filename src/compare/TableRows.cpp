#include "compare/TableRows.h"

#include <vector>

#include "compare/DocumentWalk.h"
#include "html/HtmlDocument.h"

namespace {

bool IsTable(int tag) {
    return tag == kTagTable;
}
bool IsRow(int tag) {
    return tag == kTagTr;
}
bool IsCell(int tag) {
    return tag == kTagTd || tag == kTagTh;
}
bool IsParagraph(int tag) {
    return tag == kImpliedParagraph;
}

// The first and the last paragraph of the cell's content are the same
// node, or there is none.
bool HoldsOneParagraphAtMost(const Cell* cell) {
    int count = 0;
    WalkNodes<Paragraph>(cell, IsParagraph, [&](Paragraph*) { return ++count < 2; });
    return count < 2;
}

bool IsSimpleRow(const Row* row) {
    return WalkNodes<Cell>(row, IsCell, [](Cell* c) { return HoldsOneParagraphAtMost(c); });
}

void JoinRow(const Row* row) {
    Paragraph* first = nullptr;
    WalkParagraphs(row, [&](Paragraph* p) {
        if (first)
            first->Absorb(*p, " | ");
        else
            first = p;
    });
}

}  // namespace

void JoinTableRows(HtmlDocument& document) {
    // Rows with more than a paragraph in a cell are searched for tables of
    // their own later; an explicit stack, as tables may nest very deeply.
    std::vector<const HtmlNode*> pending;
    auto joinRows = [&](Table* t) {
        WalkNodes<Row>(t, IsRow, [&](Row* r) {
            if (IsSimpleRow(r))
                JoinRow(r);
            else
                pending.push_back(r);
            return true;
        });
        return true;
    };
    for (Table* t : document.OuterTables()) joinRows(t);
    while (!pending.empty()) {
        const HtmlNode* root = pending.back();
        pending.pop_back();
        WalkNodes<Table>(root, IsTable, joinRows);
    }
}
