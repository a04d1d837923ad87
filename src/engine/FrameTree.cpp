#include "engine/FrameTree.h"

#include <cstring>

#include "html/AttrDescr.h"
#include "html/HtmlTables.h"
#include "html/RefDecode.h"
#include "http/UrlUtils.h"
#include "stream/FileStream.h"
#include "watchlist/ItemNode.h"

AStr DecodeReferences(const char* text, size_t length) {
    // As a browser reads an address in an attribute: `&amp;` is `&`, but
    // `&copy=2` in a query stays as written.
    return DecodeAttributeValue(text, length, false);
}

AStr DecodeReferences(const AStr& text) {
    return DecodeReferences(text.c_str(), text.Length());
}

AStr SlashesBeforeQuery(const char* url) {
    AStr out(url);
    if (char* p = out.Data())
        for (; *p && *p != '?'; ++p)
            if (*p == '\\') *p = '/';
    return out;
}

FrameTreeBuilder::FrameTreeBuilder(HtmlFrameNode& root, FrameFactory factory, bool withLinks)
    : HtmlParser(RawScripts | RawStyles),
      root_(root),
      factory_(std::move(factory)),
      withLinks_(withLinks) {}

HtmlFrameNode* FrameTreeBuilder::AppendChild() {
    if (nodes_ >= kMaxFrameNodes) return nullptr;
    HtmlFrameNode* child = factory_();
    if (!child) return nullptr;
    current_->Append(child);
    ++nodes_;
    return child;
}

HtmlFrameNode* FrameTreeBuilder::LastChild() const {
    return current_ ? static_cast<HtmlFrameNode*>(current_->Last()) : nullptr;
}

int FrameTreeBuilder::OnStartTag(int tag) {
    switch (tag) {
        case kTagFrameset:
            if (!current_) {
                current_ = &root_;
                currentDepth_ = 0;
            } else if (currentDepth_ >= kMaxFrameDepth || ignoredFramesets_) {
                ++ignoredFramesets_;
            } else if (HtmlFrameNode* child = AppendChild()) {
                current_ = child;
                ++currentDepth_;
            } else {
                ++ignoredFramesets_;
            }
            lastTagMade_ = !ignoredFramesets_;
            break;
        case kTagA:
            if (!withLinks_) break;
            [[fallthrough]];  // with links on, an anchor is read as a frame
        case kTagFrame:
            if (!current_) {
                current_ = &root_;
                currentDepth_ = 0;
            }
            lastTagMade_ = AppendChild() != nullptr;
            break;
        case kTagTitle:
            inTitle_ = true;
            break;
        default:
            break;
    }
    return 0;
}

int FrameTreeBuilder::OnHtmlAttribute(int tag, int attr, const char* value, size_t length,
                                      char quote) {
    switch (tag) {
        case kTagBase:
            if (attr == kAttrHref) {
                pageBase_ = DecodeReferences(value, length);
                hasPageBase_ = true;
            }
            break;
        case kTagA:
            if (!withLinks_) break;
            [[fallthrough]];
        case kTagFrame: {
            HtmlFrameNode* node = lastTagMade_ ? LastChild() : nullptr;
            if (!node) break;
            if (tag == kTagFrame && attr == kAttrName) node->name.Assign(value, length);
            if ((tag == kTagFrame && attr == kAttrSrc) || (tag == kTagA && attr == kAttrHref)) {
                node->source = DecodeReferences(value, length);
                node->sourceCopy = node->source;
            }
            node->attributes.Append(new AttrDescrNode(attr, value, length, quote));
            break;
        }
        case kTagFrameset:
            if (current_ && lastTagMade_)
                current_->attributes.Append(new AttrDescrNode(attr, value, length, quote));
            break;
        default:
            break;
    }
    return 0;
}

int FrameTreeBuilder::OnHtmlText(const char* text, size_t length) {
    if (inTitle_) root_.title.Append(text, length);
    return 0;
}

int FrameTreeBuilder::OnHtmlEndTag(int tag, int) {
    if (tag == kTagTitle) {
        inTitle_ = false;
    } else if (tag == kTagFrameset && current_) {
        if (ignoredFramesets_) {
            --ignoredFramesets_;
        } else {
            current_ = current_ == &root_ ? nullptr : current_->ParentFrame();
            if (currentDepth_) --currentDepth_;
        }
    }
    return 0;
}

namespace {

void SetRootBases(HtmlFrameNode& root, const FrameTreeBuilder& builder, const char* pageUrl,
                  const char* secondBase) {
    const char* url = pageUrl ? pageUrl : "";
    const char* second = secondBase ? secondBase : "";
    root.base =
        builder.HasPageBase() ? builder.PageBase() : DecodeReferences(url, std::strlen(url));
    root.secondBase =
        builder.HasPageBase() ? builder.PageBase() : DecodeReferences(second, std::strlen(second));
}

bool IsOrEnclosesAddress(const _HtmlFrameNode* from, const AStr& address) {
    for (const _HtmlFrameNode* n = from; n; n = n->ParentFrame())
        if (SameUrl(n->address.c_str(), address.c_str())) return true;
    return false;
}

}  // namespace

int BuildFrameTree(iwstream& in, HtmlFrameNode& root, const FrameTreeArgs& args) {
    FrameTreeBuilder builder(root, args.factory ? args.factory : KeptFrameFactory(),
                             args.withLinks);
    builder.Parse(in);
    SetRootBases(root, builder, args.pageUrl, args.secondBase);
    return 0;
}

int BuildFrameTree(const char* file, HtmlFrameNode& root, const FrameTreeArgs& args) {
    ifwstream in(file);
    if (in.OpenError() || in.IsError()) return -1;
    return BuildFrameTree(in, root, args);
}

FrameFactory KeptFrameFactory() {
    return []() -> HtmlFrameNode* { return new _HtmlFrameNode; };
}

void ResolveFrames(_HtmlFrameNode& node, bool isRoot, const _HtmlFrameNode* frame) {
    _HtmlFrameNode* parent = node.ParentFrame();
    if (node.base.IsEmpty() && parent) node.base = parent->base;
    if (node.HasChildren()) {
        for (_HtmlFrameNode* child = node.FirstFrame(); child;) {
            _HtmlFrameNode* next = child->NextFrame();
            ResolveFrames(*child, false, frame);
            child = next;
        }
        // A nested frameset whose frames were all dropped has nothing to load.
        if (!isRoot && !node.HasChildren()) delete &node;
        return;
    }
    if (node.source.IsEmpty()) {
        if (!isRoot) delete &node;
        return;
    }
    AStr source = DecodeReferences(node.source), withoutFragment, combined;
    SplitFragment(source.c_str(), &withoutFragment, nullptr);
    CombineUrl(node.base.c_str(), withoutFragment.c_str(), kFrameUrlFlags, &combined);
    node.address = SlashesBeforeQuery(combined.c_str());
    if (isRoot || !parent) return;
    if (IsOrEnclosesAddress(parent, node.address) || IsOrEnclosesAddress(frame, node.address))
        delete &node;
}

bool SameFrameStructure(const HtmlFrameNode& a, const HtmlFrameNode& b) {
    const HtmlFrameNode* x = a.FirstFrame();
    const HtmlFrameNode* y = b.FirstFrame();
    for (; x && y; x = x->NextFrame(), y = y->NextFrame()) {
        if (std::strcmp(x->source.c_str(), y->source.c_str()) != 0) return false;
        if (x->source.IsEmpty() && !SameFrameStructure(*x, *y)) return false;
    }
    return !x && !y;
}

AStr FrameUrl(const ItemNode& object, const _HtmlFrameNode* frame) {
    if (!frame) return object.properties.address;
    const char* base = object.properties.address.c_str();
    for (const _HtmlFrameNode* n = frame; n; n = n->ParentFrame())
        if (!n->base.IsEmpty()) {
            base = n->base.c_str();
            break;
        }
    AStr source = DecodeReferences(frame->source), withoutFragment, combined;
    SplitFragment(source.c_str(), &withoutFragment, nullptr);
    CombineUrl(base, withoutFragment.c_str(), kFrameUrlFlags, &combined);
    return SlashesBeforeQuery(combined.c_str());
}
