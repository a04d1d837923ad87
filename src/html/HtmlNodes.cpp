#include "html/HtmlNodes.h"

HtmlNode::~HtmlNode() {
    // Deletes the subtree leaves first, walking down to the last leaf and
    // back up, so that no destructor finds children and none recurses.
    HtmlNode* current = this;
    for (;;) {
        if (HtmlNode* child = current->LastChildNode()) {
            current = child;
            continue;
        }
        if (current == this) break;
        HtmlNode* parent = current->ParentNode();
        delete current;
        current = parent;
    }
}

HtmlNode* HtmlNode::NextInDocument(const HtmlNode* root) const {
    if (HtmlNode* child = FirstChildNode()) return child;
    return NextAfterSubtree(root);
}

HtmlNode* HtmlNode::NextAfterSubtree(const HtmlNode* root) const {
    for (const HtmlNode* n = this; n && n != root; n = n->ParentNode())
        if (HtmlNode* next = n->NextSiblingNode()) return next;
    return nullptr;
}

HtmlNode* HtmlNode::PrevInDocument(const HtmlNode* root) const {
    if (this == root) return nullptr;
    HtmlNode* prev = PrevSiblingNode();
    if (!prev) {
        HtmlNode* parent = ParentNode();
        return parent == root ? nullptr : parent;
    }
    while (HtmlNode* last = prev->LastChildNode()) prev = last;
    return prev;
}

HtmlNode* CreateNode(int tag) {
    switch (tag) {
        case kImpliedParagraph:
            return new Paragraph;
        case kTagBr:
            return new BreakLine;
        case kTagCaption:
            return new TableCaption;
        case kTagForm:
            return new Form;
        case kTagHr:
            return new HorzRuler;
        case kTagOptgroup:
        case kTagOption:
            return new SelectOption(tag);
        case kTagP:
            return new BreakParagraph;
        default:
            break;
    }
    switch (TagGroup(tag)) {
        case kGroupBreak:
            return new LineBreaker(tag);
        case kGroupFormControl:
            return new FormControl(tag);
        case kGroupListItem:
            return new ListItem(tag);
        case kGroupBlock:
            return new HtmlBlock(tag);
        case kGroupHeading:
            return new HtmlHeader(tag);
        case kGroupCell:
            return new Cell(tag);
        case kGroupRow:
            return new Row;
        case kGroupTable:
            return new Table;
        case kGroupRowGroup:
        case kGroupColumns:
        case kGroupFrame:
        case kGroupFrameset:
        case kGroupDocumentPart:
        case kGroupHtml:
            return new HtmlDummy(tag);
        default:
            return nullptr;
    }
}
