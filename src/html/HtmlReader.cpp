#include "html/HtmlReader.h"

#include <cstring>
#include <string>

#include "html/CharRef.h"
#include "html/Charset.h"
#include "html/ContentModel.h"
#include "html/PageCharset.h"
#include "html/RefDecode.h"

namespace {

bool IsPreformatting(int tag) {
    return tag == kTagCode || tag == kTagListing || tag == kTagPlaintext || tag == kTagPre ||
           tag == kTagSamp || tag == kTagXmp;
}

// Byte classes of the text scan: references and the reserved marker bytes 1
// and 2 stop a run of text (CR and LF too in preformatted text); white space
// collapses outside it.
struct StopTable {
    bool special[256] = {};
    bool preformatted[256] = {};
    unsigned char shown[256] = {};  // the byte itself, white space as ' '
    StopTable() {
        for (int c = 0; c < 256; ++c) shown[c] = static_cast<unsigned char>(c);
        for (unsigned char c : {'&', '\1', '\2'}) special[c] = true;
        for (unsigned char c : {'&', '\r', '\n', '\1', '\2'}) preformatted[c] = true;
        for (unsigned char c : {'\t', '\r', '\n'}) shown[c] = ' ';
    }
};
const StopTable kStops;

bool IsScriptLike(int tag) {
    return tag == kTagApplet || tag == kTagScript || tag == kTagStyle;
}

// No real page keeps this many elements open; a hostile one could, and every
// search of the stacks would then grow with it. Deeper block elements are
// closed at once, deeper inline styles are not tracked.
constexpr size_t kMaxOpenElements = 1024;

}  // namespace

HtmlReader::HtmlReader(HtmlDocument& doc, int charsetCode, bool utf8Text)
    : HtmlParser(0), doc_(doc), givenCode_(charsetCode), utf8Text_(utf8Text) {}

HtmlReader::~HtmlReader() = default;

// ---- start tags ----

int HtmlReader::OnStartTag(int) {
    pending_.Clear();
    return 0;
}

int HtmlReader::OnHtmlAttribute(int tag, int attr, const char* value, size_t length, char quote) {
    // Attributes of end tags (tag 0) would only wait for the next start tag
    // to clear them; those of inline containers other than `a` only carry
    // formatting, which the tree does not keep.
    if (tag == 0 || (IsInlineTag(tag) && !IsEmptyTag(tag) && tag != kTagA)) return 0;
    if ((attr == kAttrHref || attr == kAttrSrc) && std::memchr(value, '&', length)) {
        // Addresses as a browser opens them: `?a=1&amp;b=2` is `?a=1&b=2`.
        AStr decoded = DecodeAttributeValue(value, length, utf8Text_);
        pending_.Append(new AttrDescrNode(attr, decoded.c_str(), decoded.Length(), quote));
        return 0;
    }
    // An address without references is taken as decoding would leave it:
    // up to its first zero byte.
    if (attr == kAttrHref || attr == kAttrSrc) length = strnlen(value, length);
    pending_.Append(new AttrDescrNode(attr, value, length, quote));
    return 0;
}

int HtmlReader::OnStartTagEnd(int tag) {
    // html is implied where needed; a second body or head inside an open
    // one adds nothing (it would only land inside whatever is open).
    if (tag == kTagHtml || (tag == kTagBody && bodyOpen_) || (tag == kTagHead && headOpen_)) {
        pending_.Clear();
        return 0;
    }
    if (IsScriptLike(tag)) {
        pending_.Clear();
        EnterRawElement(tag, true);
        return 0;
    }
    if (headOpen_ && !ContentModel(kTagHead, tag) && ContentModel(kTagBody, tag)) CloseHead();

    HtmlNode* node = nullptr;
    const bool inlineObject = IsInlineTag(tag) && IsEmptyTag(tag);
    if (IsInlineTag(tag)) {
        if (!SelfNests(tag)) {
            EndInline(tag);
            if (tag == kTagA) CloseLink();
        }
        if (!inlineObject && styles_.size() < kMaxOpenElements) {
            styles_.push_back({tag, NearestTable()});
            ++styleCount_[tag];
        }
    } else {
        MakeRoomFor(tag);
        node = OpenBlock(tag);
    }

    if (tag == kTagA) {
        OpenLink();
    } else if (tag == kTagBase) {
        if (const AttrDescrNode* href = FindAttr(pending_, kAttrHref))
            doc_.SetBaseUrl(href->value.c_str());
    } else if (tag == kTagMeta) {
        ReadMeta();
    }

    if (node) {
        node->Attrs().TakeAll(pending_);
    } else if (inlineObject && TopTag() == kImpliedParagraph) {
        // An inline object belongs to the paragraph it stands in; one outside
        // any paragraph (meta, link in the head) makes none.
        ObjectPos* object = new ObjectPos(0, tag);
        object->Attrs().TakeAll(pending_);
        static_cast<Paragraph*>(TopNode())->AppendPosition(object);
    } else {
        pending_.Clear();
    }
    // Empty elements and the break group (br, center, div, form, hr) act as
    // breaks, not containers.
    if (node &&
        (IsEmptyTag(tag) || TagGroup(tag) == kGroupBreak || blocks_.size() > kMaxOpenElements))
        CloseTop();
    return 0;
}

void HtmlReader::ReadMeta() {
    if (const AttrDescrNode* charset = FindAttr(pending_, kAttrCharset)) {
        if (int code = CharsetCode(charset->value.c_str())) {
            declaredCode_ = code;
            declaredName_ = AStr(charset->value.c_str(), charset->value.Length());
        }
        return;
    }
    const AttrDescrNode* equiv = FindAttr(pending_, kAttrHttpEquiv);
    const AttrDescrNode* content = FindAttr(pending_, kAttrContent);
    if (!equiv || !content || equiv->value.CompareNoCase("Content-Type") != 0) return;
    int code = 0;
    AStr name;
    ParseContentType(content->value.c_str(), nullptr, &code, &name, nullptr);
    if (code) {
        declaredCode_ = code;
        declaredName_ = name;
    }
}

// ---- the block stack ----

void HtmlReader::MakeRoomFor(int tag) {
    for (;;) {
        const int top = TopTag();
        if (top == 0 ? tag == kTagHtml : ContentModel(top, tag)) return;
        if (top != 0 && MayCloseOnStart(top, tag)) {
            CloseTop();
            continue;
        }
        // Neither kept nor closable: imply parents when a chain leads to a
        // place for the tag, else the tag goes under the current element.
        int chain[kMaxImpliedChain];
        for (int i = FindImpliedChain(top, tag, chain) - 1; i >= 0; --i) OpenBlock(chain[i]);
        return;
    }
}

HtmlNode* HtmlReader::OpenBlock(int tag) {
    HtmlNode* node = CreateNode(tag);
    doc_.AppendNode(TopNode(), node, NearestTable() != nullptr);
    blocks_.push_back({tag, node, tag == kTagTable ? node : NearestTable()});
    ++openCount_[tag];
    if (IsPreformatting(tag)) ++preformatted_;
    if (tag == kTagTable) {
        // Outer inline styles do not reach into a table.
        styles_.push_back({kTagTable, node});
        ++styleCount_[kTagTable];
    }
    if (tag == kTagTable || tag == kTagTr || tag == kTagTd || tag == kTagTh)
        whitespace_ = kAtBlockStart;
    else if ((tag == kTagBr || tag == kTagHr) && whitespace_ < kAfterLineBreak)
        whitespace_ = kAfterLineBreak;

    if (!headMarker_ &&
        (tag == kTagHead || (ContentModel(kTagHead, tag) && !ContentModel(kTagBody, tag)))) {
        headMarker_ = node;
        headOpen_ = true;
    }
    if (!bodyMarker_ && tag == kTagBody) {
        bodyMarker_ = node;
        bodyOpen_ = true;
    }
    return node;
}

void HtmlReader::CloseTop() {
    BlockEntry entry = blocks_.back();
    blocks_.pop_back();
    FinishEntry(entry);
}

void HtmlReader::RemoveEntry(size_t index) {
    BlockEntry entry = blocks_[index];
    blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(index));
    FinishEntry(entry);
}

void HtmlReader::FinishEntry(const BlockEntry& entry) {
    --openCount_[entry.tag];
    if (IsPreformatting(entry.tag)) --preformatted_;
    if (entry.node == headMarker_) headOpen_ = false;
    if (entry.node == bodyMarker_) bodyOpen_ = false;

    if (entry.tag == kImpliedParagraph) {
        Paragraph* p = static_cast<Paragraph*>(entry.node);
        if (!preformatted_) p->TrimTrailingSpaces();
        p->AppendPosition(new SpecPos(0));
        whitespace_ = kAtBlockStart;
        return;
    }
    if (entry.tag == kTagTable) {
        // Inline styles opened inside the table end with it.
        for (size_t i = styles_.size(); i-- > 0;) {
            if (styles_[i].tag != kTagTable || styles_[i].table != entry.node) continue;
            while (styles_.size() > i) {
                --styleCount_[styles_.back().tag];
                styles_.pop_back();
            }
            break;
        }
    }
    if (entry.tag == kTagBr || entry.tag == kTagHr) {
        if (whitespace_ < kAfterLineBreak) whitespace_ = kAfterLineBreak;
    } else {
        whitespace_ = kAtBlockStart;
    }
}

void HtmlReader::CloseHead() {
    while (headOpen_ && !blocks_.empty()) CloseTop();
}

// ---- end tags ----

int HtmlReader::OnHtmlEndTag(int tag, int) {
    if (IsEmptyTag(tag) || tag == kTagHtml || tag == kTagBody) return 0;
    const int group = TagGroup(tag);
    if (IsInlineGroup(group)) {
        EndInline(tag);
        if (tag == kTagA) CloseLink();
    } else if (group == kGroupBreak) {
        if (headOpen_ && !ContentModel(kTagHead, tag) && ContentModel(kTagBody, tag)) CloseHead();
        BreakLike(tag, tag == kTagForm);
    } else {
        CloseBlockEndTag(tag);
    }
    return 0;
}

void HtmlReader::BreakLike(int tag, bool ended) {
    MakeRoomFor(tag);
    HtmlNode* node = OpenBlock(tag);
    if (ended) static_cast<Form*>(node)->SetEnded();
    CloseTop();
}

void HtmlReader::CloseBlockEndTag(int tag) {
    const int group = TagGroup(tag);
    size_t found = blocks_.size();
    if (openCount_[tag]) {
        for (size_t i = blocks_.size(); i-- > 0;) {
            if (blocks_[i].tag == tag) {
                found = i;
                break;
            }
            if (TagGroup(blocks_[i].tag) > group) break;
        }
    }
    if (found == blocks_.size()) {
        if (tag == kTagP) BreakLike(kTagP, false);  // a stray </p> still breaks
        return;
    }
    while (blocks_.size() - 1 > found && MayCloseOnEnd(TopTag(), tag)) CloseTop();
    if (blocks_.size() - 1 == found)
        CloseTop();
    else
        RemoveEntry(found);
}

void HtmlReader::EndInline(int tag) {
    if (!styleCount_[tag]) return;
    const HtmlNode* table = NearestTable();
    for (size_t i = styles_.size(); i-- > 0;) {
        if (styles_[i].tag == tag && styles_[i].table == table) {
            styles_.erase(styles_.begin() + static_cast<std::ptrdiff_t>(i));
            --styleCount_[tag];
            return;
        }
    }
}

// ---- links and positions ----

void HtmlReader::OpenLink() {
    CloseLink();
    if (FindAttr(pending_, kAttrHref)) {
        HtmlHRef* link = new HtmlHRef(0, true);
        link->Attrs().TakeAll(pending_);  // an inline `a` has no node to keep them
        openLink_ = link;
        PlacePosition(link);
        return;
    }
    const AttrDescrNode* name = FindAttr(pending_, kAttrName);
    if (name && !name->value.IsEmpty()) PlacePosition(new HtmlBookmark(0, name->value.c_str()));
}

void HtmlReader::CloseLink() {
    HtmlHRef* opening = openLink_;
    if (!opening) return;
    openLink_ = nullptr;
    if (opening->Owner() == &waiting_) {
        delete opening;  // no paragraph began while it was open
        return;
    }
    // The link ends after the last text read, in the current paragraph or
    // the paragraph most recently begun.
    Paragraph* p =
        TopTag() == kImpliedParagraph ? static_cast<Paragraph*>(TopNode()) : lastParagraph_;
    if (!p) return;
    HtmlHRef* closing = new HtmlHRef(0, false);
    HtmlHRef::Couple(opening, closing);
    p->AppendPosition(closing);
}

void HtmlReader::PlacePosition(TextPosition* position) {
    if (TopTag() == kImpliedParagraph)
        static_cast<Paragraph*>(TopNode())->AppendPosition(position);
    else
        waiting_.Append(position);
}

Paragraph* HtmlReader::OpenParagraph() {
    if (TopTag() == kImpliedParagraph) return static_cast<Paragraph*>(TopNode());
    MakeRoomFor(kImpliedParagraph);
    Paragraph* p = static_cast<Paragraph*>(OpenBlock(kImpliedParagraph));
    lastParagraph_ = p;
    while (TextPosition* waiting = waiting_.First()) {
        waiting_.Remove(waiting);
        p->AppendPosition(waiting);
    }
    return p;
}

// ---- text ----

void HtmlReader::FlushText() {
    if (!textRunLength_) return;
    OpenParagraph()->AppendText(textRun_.data(), textRunLength_);
    textRunLength_ = 0;
}

void HtmlReader::AddReference(const char* text, size_t length) {
    FlushText();
    Paragraph* p = OpenParagraph();
    p->AppendPosition(new StrPos(0, text, length));
}

size_t HtmlReader::TakeUtf8Reference(const char* text, size_t length) {
    char bytes[8];
    int used = 0;
    size_t n = DecodeReferenceUtf8(text, length, false, bytes, &used);
    if (n == 0) {  // no reference: the `&` is text
        bytes[0] = '&';
        n = used = 1;
    }
    for (size_t k = 0; k < n; ++k)
        if (bytes[k] == 1 || bytes[k] == 2) bytes[k] = ' ';  // reserved as markers
    // A few references are longer decoded than written (`&nGt;`).
    const size_t rest = length - static_cast<size_t>(used);
    if (textRun_.size() < textRunLength_ + n + rest) textRun_.resize(textRunLength_ + n + rest);
    if (textRunLength_ == 0) OpenParagraph();
    std::memcpy(textRun_.data() + textRunLength_, bytes, n);
    textRunLength_ += n;
    whitespace_ = kAfterVisible;
    return static_cast<size_t>(used);
}

// Pieces of the text loop that must not cost a call per run.
#define OV_HOT_PATH inline __attribute__((always_inline))

// The paragraph opens with the first byte of a run, before the state that
// byte leaves: opening it may imply parents, which reset the white-space
// state.
OV_HOT_PATH void HtmlReader::OpenTextRun() {
    if (textRunLength_ == 0) OpenParagraph();
}

void HtmlReader::EmitText(const char* bytes, size_t n) {
    OpenTextRun();
    std::memcpy(textRun_.data() + textRunLength_, bytes, n);
    textRunLength_ += n;
}

// A reference at `text` (which begins with `&`): the bytes it used.
size_t HtmlReader::TakeReference(const char* text, size_t length) {
    if (utf8Text_) return TakeUtf8Reference(text, length);
    int used = 0;
    if (!DecodeCharRef(text, length, &used)) return 1;  // the `&` is dropped, what follows is text
    AddReference(text, static_cast<size_t>(used));
    whitespace_ = kAfterVisible;
    return static_cast<size_t>(used);
}

// Inside preformatted text every line is its own paragraph and white space
// stays as it is; returns where the next piece starts.
size_t HtmlReader::TakePreformatted(const char* text, size_t i, size_t length) {
    if (text[i] == '\r' || text[i] == '\n') {
        FlushText();
        if (TopTag() == kImpliedParagraph) CloseTop();
        return i + 1;
    }
    size_t end = i + 1;
    while (end < length && !kStops.preformatted[static_cast<unsigned char>(text[end])]) ++end;
    EmitText(text + i, end - i);
    whitespace_ = kAfterVisible;
    return end;
}

// The byte in hand goes out; so does every following one up to the next
// reference or marker, except a space after a space. Done without a branch
// per byte, as words end at unforeseeable places.
OV_HOT_PATH size_t HtmlReader::TakePlainRun(const char* text, size_t i, size_t length) {
    OpenTextRun();
    char* out = textRun_.data();
    size_t n = textRunLength_;
    unsigned afterSpace = 0;
    for (; i < length; ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (kStops.special[b]) break;
        const unsigned char shown = kStops.shown[b];  // white space as ' '
        const unsigned space = shown == ' ';
        out[n] = static_cast<char>(shown);
        n += 1 - (space & afterSpace);
        afterSpace = space;
    }
    textRunLength_ = n;
    whitespace_ = afterSpace ? kAfterSpace : kAfterVisible;
    return i;
}

int HtmlReader::OnHtmlText(const char* text, size_t length) {
    if (!givenCode_ && !declaredCode_ && fed_ < 2048) {
        guess_.Feed(text, length);
        fed_ += length;
    }
    if (textRun_.size() < length) textRun_.resize(length);
    size_t i = 0;
    while (i < length) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '&') {
            i += TakeReference(text + i, length - i);
        } else if (c == 1 || c == 2) {  // reserved as markers
            EmitText(" ", 1);
            whitespace_ = kAfterSpace;
            ++i;
        } else if (preformatted_) {
            i = TakePreformatted(text, i, length);
        } else if (kStops.shown[c] == ' ' && whitespace_ != kAfterVisible) {
            ++i;  // after a space, a break or a block start
        } else {
            i = TakePlainRun(text, i, length);
        }
    }
    FlushText();
    return 0;
}

// ---- the end ----

void HtmlReader::Finish() {
    CloseLink();
    while (!blocks_.empty()) CloseTop();
    waiting_.Clear();
    pending_.Clear();
    styles_.clear();
}

int BuildDocument(HtmlDocument& doc, iwstream& in, const char* baseUrl, int charsetCode,
                  int defaultFontCharset) {
    std::string page;
    if (!ReadRest(in, &page)) {
        doc.SetBaseUrl(baseUrl);
        return -1;
    }
    return BuildDocument(doc, page, baseUrl, charsetCode, defaultFontCharset);
}

int BuildDocument(HtmlDocument& doc, const std::string& page, const char* baseUrl, int charsetCode,
                  int defaultFontCharset) {
    doc.SetBaseUrl(baseUrl);
    // Pages outside the Cyrillic encodings are converted to UTF-8 once,
    // here; the Cyrillic ones are read byte for byte and converted with
    // their paragraphs.
    size_t skip = 0;
    int code = ChoosePageCharset(page.data(), page.size(), charsetCode, &skip);
    std::string converted;
    const char* text = page.data() + skip;
    size_t length = page.size() - skip;
    bool utf8 = CarriedAsUtf8(code);
    if (utf8 && code != kCharsetUtf8) {
        utf8 = CharsetToUtf8(code, text, length, &converted);
        text = converted.data();
        length = converted.size();
    }
    if (!utf8) {
        code = charsetCode;
        text = page.data();
        length = page.size();
    }

    ArenaScope scope(&doc.Memory(), &doc.TextMemory());
    HtmlReader reader(doc, utf8 ? code : charsetCode, utf8);
    const int rc = reader.Parse(text, length);
    reader.Finish();
    if (rc != 0) return -1;
    if (!code) code = reader.DeclaredCode();
    if (!code) code = reader.GuessedCode();
    doc.SetCharsetCode(code);
    const AStr& name = reader.DeclaredCharsetName();
    int font = defaultFontCharset;
    if (name.CompareNoCase("windows-1252") == 0)
        font = 0;
    else if (name.CompareNoCase("windows-1251") == 0 || name.CompareNoCase("koi8-r") == 0 ||
             name.CompareNoCase("ibm866") == 0)
        font = 204;
    doc.SetFontCharset(font);
    return 0;
}
