#include "html/TextPosition.h"

#include "html/HtmlTables.h"

HtmlHRef::~HtmlHRef() {
    if (partner_) partner_->partner_ = nullptr;
}

const char* HtmlHRef::Href() const {
    const AttrDescrNode* a = FindAttr(attrs_, kAttrHref);
    return a ? a->value.c_str() : nullptr;
}

void HtmlHRef::Couple(HtmlHRef* opening, HtmlHRef* closing) {
    opening->partner_ = closing;
    closing->partner_ = opening;
}
