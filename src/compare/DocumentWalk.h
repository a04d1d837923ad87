#pragma once
// Walks of the document tree that test a node's tag before its class, so
// that a page of many thousand nodes is searched without a checked cast per
// node.
#include "html/HtmlNodes.h"

// Calls visit(T*) for every node of class T below `root` (root excluded)
// whose tag passes `tagTest`, in document order, not descending into a node
// it has found. A visit that returns false ends the walk, and so does the
// function with false.
template <class T, class TagTest, class Visit>
bool WalkNodes(const HtmlNode* root, TagTest tagTest, Visit visit) {
    for (HtmlNode* n = root->FirstChildNode(); n;) {
        if (tagTest(n->Tag())) {
            if (T* hit = dynamic_cast<T*>(n)) {
                if (!visit(hit)) return false;
                n = n->NextAfterSubtree(root);
                continue;
            }
        }
        n = n->NextInDocument(root);
    }
    return true;
}

// The paragraphs below `root` in document order.
template <class Visit>
void WalkParagraphs(const HtmlNode* root, Visit visit) {
    WalkNodes<Paragraph>(
        root, [](int tag) { return tag == kImpliedParagraph; },
        [&](Paragraph* p) {
            visit(p);
            return true;
        });
}
