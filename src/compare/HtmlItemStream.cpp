#include "compare/HtmlItemStream.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "html/CharRef.h"
#include "html/Charset.h"
#include "html/HtmlDocument.h"

namespace {

inline uint32_t HashStep(uint32_t h, const char* text, uint32_t i) {
    return (((h << 1) & 0xFFFF) ^ static_cast<unsigned char>(text[i])) | ((h >> 15) & 1);
}

uint16_t ContinueHash(uint32_t h, const char* text, uint32_t from, uint32_t length) {
    for (uint32_t i = from; i < length; ++i) h = HashStep(h, text, i);
    return static_cast<uint16_t>(h);
}

struct TextRef {
    const char* text;
    uint32_t length;
};

// The paragraphs' texts as the document holds them. The nodes lie all over
// the document's memory; each is asked for ahead of its turn, so that the
// waits for memory overlap.
std::vector<TextRef> GatherTexts(const std::vector<Paragraph*>& paragraphs) {
    constexpr size_t kAhead = 8;
    std::vector<TextRef> texts(paragraphs.size());
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i + kAhead < paragraphs.size()) __builtin_prefetch(paragraphs[i + kAhead]);
        texts[i] = {paragraphs[i]->Text(), paragraphs[i]->Length()};
    }
    return texts;
}

// The hashes of four texts at once: each byte depends on the hash so far,
// so one text is a chain of dependent steps; four chains side by side keep
// the processor busy.
void HashFour(const TextRef* t, uint16_t* out) {
    uint32_t common =
        std::min(std::min(t[0].length, t[1].length), std::min(t[2].length, t[3].length));
    uint32_t h0 = 0, h1 = 0, h2 = 0, h3 = 0;
    for (uint32_t i = 0; i < common; ++i) {
        h0 = HashStep(h0, t[0].text, i);
        h1 = HashStep(h1, t[1].text, i);
        h2 = HashStep(h2, t[2].text, i);
        h3 = HashStep(h3, t[3].text, i);
    }
    out[0] = ContinueHash(h0, t[0].text, common, t[0].length);
    out[1] = ContinueHash(h1, t[1].text, common, t[1].length);
    out[2] = ContinueHash(h2, t[2].text, common, t[2].length);
    out[3] = ContinueHash(h3, t[3].text, common, t[3].length);
}

std::vector<uint16_t> HashTexts(const std::vector<TextRef>& texts) {
    constexpr size_t kAhead = 8;
    std::vector<uint16_t> hashes(texts.size());
    size_t i = 0;
    for (; i + 4 <= texts.size(); i += 4) {
        for (size_t k = i + kAhead; k < i + kAhead + 4 && k < texts.size(); ++k)
            __builtin_prefetch(texts[k].text);
        HashFour(&texts[i], &hashes[i]);
    }
    for (; i < texts.size(); ++i) hashes[i] = TextHash16(texts[i].text, texts[i].length);
    return hashes;
}

}  // namespace

uint16_t TextHash16(const char* text, uint32_t length) {
    return ContinueHash(0, text, 0, length);
}

HtmlCompareItem::HtmlCompareItem(Paragraph* paragraph, uint16_t hash, uint32_t index)
    : paragraph(paragraph), hash(hash), index(index) {}

uint32_t HtmlCompareItem::TextLength() const {
    return paragraph ? paragraph->Length() : 0;
}

bool HtmlCompareItem::Equals(const HtmlCompareItem& other) const {
    if (!paragraph || !other.paragraph) return !paragraph && !other.paragraph;
    uint32_t n = paragraph->Length();
    return hash == other.hash && n == other.paragraph->Length() &&
           std::memcmp(paragraph->Text(), other.paragraph->Text(), n) == 0;
}

namespace {

// The byte a character-reference position stands for, 0 for none.
unsigned char ReferenceByte(const TextPosition* pos) {
    if (pos->Kind() != kStrPosKind) return 0;
    const FixedText& source = static_cast<const StrPos*>(pos)->Text();
    if (source.c_str()[0] != '&') return 0;
    int consumed = 0;
    return DecodeCharRef(source.c_str(), source.Length(), &consumed);
}

// Space reused from paragraph to paragraph.
struct CompletionScratch {
    std::vector<std::pair<TextPosition*, char>> references;  // in list order
    std::vector<uint32_t> offsets;
    std::string merged;
};

// Puts the bytes of many references into the text in one pass, with the
// outcome of inserting them one after the other in list order (offsets in
// order): each goes where its position stands, after everything before it,
// and every position moves on by the bytes inserted before it in the list.
void MergeReferenceBytes(Paragraph& p, CompletionScratch& scratch) {
    const char* text = p.Text();
    const uint32_t length = p.Length();
    scratch.merged.clear();
    scratch.offsets.clear();
    uint32_t copied = 0, inserted = 0;
    size_t next = 0;
    for (TextPosition* pos = p.Positions().First(); pos; pos = pos->NextPos()) {
        scratch.offsets.push_back(pos->Offset() + inserted);
        if (next == scratch.references.size() || scratch.references[next].first != pos) continue;
        uint32_t at = std::min(pos->Offset(), length);
        scratch.merged.append(text + copied, at - copied);
        copied = at;
        scratch.merged.push_back(scratch.references[next++].second);
        ++inserted;
    }
    scratch.merged.append(text + copied, length - copied);
    p.ClearText();
    p.AppendText(scratch.merged.data(), scratch.merged.size());
    size_t i = 0;
    for (TextPosition* pos = p.Positions().First(); pos; pos = pos->NextPos())
        pos->SetOffset(scratch.offsets[i++]);
}

// Brings a paragraph into the working code page (its text and the strings
// converted with it) and puts the bytes of its character references into
// the text. Returns its last link position, or null.
HtmlHRef* CompleteParagraph(Paragraph& p, int charsetCode, CompletionScratch& scratch) {
    bool convert = charsetCode == kCharsetDos || charsetCode == kCharsetKoi8;
    if (convert && p.Length()) ConvertCharset(charsetCode, p.MutableText(), p.Length());
    HtmlHRef* lastLink = nullptr;
    scratch.references.clear();
    bool ordered = true;
    uint32_t previous = 0;
    for (TextPosition* pos = p.Positions().First(); pos; pos = pos->NextPos()) {
        int kind = pos->Kind();
        if (kind == kHRefKind) lastLink = static_cast<HtmlHRef*>(pos);
        if (kind == kConvertedStrPosKind && convert)
            ConvertCharset(charsetCode, static_cast<StrPos*>(pos)->Text());
        ordered = ordered && pos->Offset() >= previous;
        previous = pos->Offset();
        if (unsigned char byte = ReferenceByte(pos))
            scratch.references.emplace_back(pos, static_cast<char>(byte));
    }
    // A few references are inserted one by one; many at once, as each
    // insertion moves the rest of the text and the later positions.
    constexpr size_t kFewReferences = 8;
    if (scratch.references.size() <= kFewReferences || !ordered) {
        for (const auto& r : scratch.references) p.InsertAfterPosition(r.first, &r.second, 1);
    } else {
        MergeReferenceBytes(p, scratch);
    }
    return lastLink;
}

// Key of an item for the resynchronisation search: a well-mixed hash of the
// text as it is compared (equal items have equal texts, so they share it).
// The 16-bit text hash would not do: texts that differ only in a number
// often share it, and each shared key costs a text comparison.
uint32_t KeyOf(const HtmlCompareItem& item) {
    if (item.IsSentinel()) return kSentinelKey;
    return KeyHash(item.paragraph->Text(), item.TextLength());
}

}  // namespace

HtmlItemStream::HtmlItemStream(HtmlDocument& document) : document_(document) {
    const std::vector<Paragraph*>& paragraphs = document.Paragraphs();
    // The hashes are taken over the texts as the document holds them, before
    // they are converted and completed.
    std::vector<uint16_t> hashes = HashTexts(GatherTexts(paragraphs));
    ArenaScope scope(&memory_);
    HtmlHRef* lastLink = nullptr;  // the last link position met so far
    CompletionScratch scratch;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        auto* item = new HtmlCompareItem(paragraphs[i], hashes[i], static_cast<uint32_t>(i));
        if (lastLink && lastLink->IsOpening()) item->openLink = lastLink;
        if (HtmlHRef* last = CompleteParagraph(*paragraphs[i], document.CharsetCode(), scratch))
            lastLink = last;
        Append(item);
        ++paragraphCount_;
    }
    Append(new HtmlCompareItem(nullptr, 0, static_cast<uint32_t>(byIndex_.size())));
    LinkEmptyRuns();
    index_.Seal();
}

void HtmlItemStream::LinkEmptyRuns() {
    HtmlCompareItem* after = nullptr;  // the item after the current run
    uint32_t run = 0;
    for (size_t i = byIndex_.size(); i-- > 0;) {
        HtmlCompareItem* item = byIndex_[i];
        if (item->IsSentinel() || item->TextLength() != 0) {
            after = item;
            run = 0;
            continue;
        }
        item->emptyRun = ++run;
        item->pastEmptyRun = after;
    }
}

void HtmlItemStream::Append(HtmlCompareItem* item) {
    items_.Append(item);
    byIndex_.push_back(item);
    index_.Add(KeyOf(*item));
}
