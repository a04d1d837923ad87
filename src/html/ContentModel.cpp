#include "html/ContentModel.h"

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <mutex>

#include "html/HtmlTables.h"

namespace {

// A set of tag identifiers (0 to 127; 104 is text).
struct TagSet {
    uint64_t bits[2] = {0, 0};
    constexpr TagSet() = default;
    constexpr TagSet(std::initializer_list<int> tags) {
        for (int t : tags) bits[t >> 6] |= uint64_t{1} << (t & 63);
    }
    constexpr bool Has(int t) const { return (bits[t >> 6] >> (t & 63)) & 1; }
    constexpr TagSet operator|(const TagSet& o) const {
        TagSet s;
        s.bits[0] = bits[0] | o.bits[0];
        s.bits[1] = bits[1] | o.bits[1];
        return s;
    }
    constexpr TagSet operator-(const TagSet& o) const {
        TagSet s;
        s.bits[0] = bits[0] & ~o.bits[0];
        s.bits[1] = bits[1] & ~o.bits[1];
        return s;
    }
};

constexpr TagSet kSelfNesting = {
    kTagAcronym, kTagB,        kTagBdo, kTagBig,  kTagBlink, kTagBlockquote, kTagCenter,
    kTagCite,    kTagCode,     kTagDel, kTagDfn,  kTagDir,   kTagDiv,        kTagEm,
    kTagFont,    kTagFrameset, kTagI,   kTagIns,  kTagKbd,   kTagMenu,       kTagNobr,
    kTagOl,      kTagQ,        kTagS,   kTagSamp, kTagSmall, kTagSpan,       kTagStrike,
    kTagStrong,  kTagSub,      kTagSup, kTagTt,   kTagU,     kTagUl,         kTagVar,
};

constexpr TagSet kFormControls = {kTagButton, kTagInput, kTagLabel, kTagSelect, kTagTextarea};

// acronym, del and ins are not in it.
constexpr TagSet kInline =
    TagSet{
        kTagA,       kTagAbbr,          kTagApplet, kTagB,      kTagBdo,
        kTagBgsound, kTagBig,           kTagBlink,  kTagBr,     kTagCite,
        kTagCode,    kTagDfn,           kTagEm,     kTagEmbed,  kTagFont,
        kTagI,       kTagIframe,        kTagImg,    kTagKbd,    kTagMap,
        kTagNobr,    kTagObject,        kTagQ,      kTagS,      kTagSamp,
        kTagScript,  kTagSmall,         kTagSpan,   kTagStrike, kTagStrong,
        kTagSub,     kTagSup,           kTagTt,     kTagU,      kTagVar,
        kTagWbr,     kImpliedParagraph,
    } |
    kFormControls;

constexpr TagSet kBlock = {
    kTagAddress,   kTagBasefont, kTagBlockquote, kTagCenter,   kTagDir,     kTagDiv,
    kTagDl,        kTagFieldset, kTagForm,       kTagH1,       kTagH2,      kTagH3,
    kTagH4,        kTagH5,       kTagH6,         kTagHr,       kTagIsindex, kTagListing,
    kTagMarquee,   kTagMenu,     kTagNoframes,   kTagNoscript, kTagOl,      kTagP,
    kTagPlaintext, kTagPre,      kTagTable,      kTagUl,       kTagXmp,
};

constexpr TagSet kFlow = kBlock | kInline | TagSet{kTagLi, kTagDd, kTagDt};
constexpr TagSet kText = {kImpliedParagraph};
constexpr TagSet kInlinePlus = kInline | TagSet{kTagCenter, kTagDiv, kTagHr, kTagP};

// What each open element accepts, by tag identifier (row 0 unused).
struct Accepts {
    TagSet rows[kTagCount + 1];
    constexpr void Set(std::initializer_list<int> tags, const TagSet& set) {
        for (int t : tags) rows[t] = set;
    }
    constexpr Accepts() {
        Set({kTagListing, kTagOption, kTagPlaintext, kTagScript, kTagStyle, kTagTextarea, kTagTitle,
             kTagXmp},
            kText);
        Set({kTagB, kTagBdo, kTagBig, kTagBlink, kTagFont, kTagI, kTagLegend, kTagS, kTagSmall,
             kTagSpan, kTagStrike, kTagSub, kTagSup, kTagTt, kTagU},
            kInline);
        Set({kTagAbbr, kTagAcronym, kTagAddress, kTagCaption, kTagCite,   kTagCode, kTagDfn,
             kTagEm,   kTagH1,      kTagH2,      kTagH3,      kTagH4,     kTagH5,   kTagH6,
             kTagKbd,  kTagNobr,    kTagQ,       kTagSamp,    kTagStrong, kTagVar},
            kInlinePlus);
        Set({kTagP}, kInline | TagSet{kTagCenter, kTagDiv, kTagHr});
        Set({kTagA}, kInline - TagSet{kTagA});
        Set({kTagLabel}, kInline - TagSet{kTagLabel});
        Set({kTagPre},
            kInline - TagSet{kTagApplet, kTagBig, kTagBlink, kTagFont, kTagIframe, kTagImg,
                             kTagNobr, kTagObject, kTagSmall, kTagSub, kTagSup});
        Set({kTagBlockquote, kTagDel, kTagIframe, kTagIns, kTagMarquee, kTagNoscript, kTagTd,
             kTagTh},
            kFlow);
        Set({kTagBody}, kFlow | TagSet{kTagDel, kTagIns});
        Set({kTagApplet, kTagEmbed, kTagObject}, kFlow | TagSet{kTagParam});
        Set({kTagFieldset}, kFlow | TagSet{kTagLegend});
        Set({kTagNoframes}, kFlow | TagSet{kTagBody});
        Set({kTagBasefont}, kFlow - TagSet{kTagTable});
        Set({kTagForm}, kFlow - TagSet{kTagForm});
        Set({kTagButton},
            kFlow - (TagSet{kTagA, kTagFieldset, kTagForm, kTagIsindex} | kFormControls));
        Set({kTagDd, kTagDt, kTagLi}, kBlock | kInline);
        Set({kTagDir, kTagMenu, kTagOl, kTagUl}, TagSet{kTagLi});
        Set({kTagDl}, TagSet{kTagDd, kTagDt});
        Set({kTagHead}, TagSet{kTagBase, kTagBgsound, kTagIsindex, kTagLink, kTagMeta, kTagScript,
                               kTagStyle, kTagTitle});
        Set({kTagHtml}, TagSet{kTagBody, kTagFrameset, kTagHead});
        Set({kTagFrameset}, TagSet{kTagFrame, kTagFrameset, kTagNoframes});
        Set({kTagTable},
            TagSet{kTagCaption, kTagCol, kTagColgroup, kTagTbody, kTagTfoot, kTagThead, kTagTr});
        Set({kTagTbody, kTagTfoot, kTagThead}, TagSet{kTagTr});
        Set({kTagTr}, TagSet{kTagTd, kTagTh});
        Set({kTagColgroup}, TagSet{kTagCol});
        Set({kTagMap}, TagSet{kTagArea});
        Set({kTagOptgroup, kTagSelect}, TagSet{kTagOptgroup, kTagOption});
        // center, div and the empty elements accept nothing.
    }
};

constexpr Accepts kAccepts;

// Implied parents, each list ending with 0.
const int kOtherParents[] = {kTagBody, kTagTd, 0};

const int* ParentsOf(int tag) {
    static const int area[] = {kTagMap, 0};
    static const int head[] = {kTagHead, 0};
    static const int html[] = {kTagHtml, 0};
    static const int none[] = {0};
    static const int col[] = {kTagTable, kTagColgroup, 0};
    static const int dl[] = {kTagDl, 0};
    static const int frame[] = {kTagFrameset, 0};
    static const int legend[] = {kTagFieldset, 0};
    static const int li[] = {kTagUl, kTagOl, kTagDir, kTagMenu, kTagBody, kTagTd, 0};
    static const int noframes[] = {kTagBody, kTagFrameset, 0};
    static const int list[] = {kTagBody, kTagLi, kTagTd, 0};
    static const int option[] = {kTagOptgroup, kTagSelect, 0};
    static const int param[] = {kTagApplet, kTagObject, 0};
    static const int form[] = {kTagForm, 0};
    static const int table[] = {kTagBody, kTagTd, kTagTh, 0};
    static const int section[] = {kTagTable, 0};
    static const int cell[] = {kTagTr, kTagTbody, kTagTable, 0};
    static const int row[] = {kTagTbody, kTagTfoot, kTagThead, kTagTable, 0};
    switch (tag) {
        case kTagArea:
            return area;
        case kTagBase:
        case kTagLink:
        case kTagMeta:
        case kTagStyle:
        case kTagTitle:
            return head;
        case kTagBody:
        case kTagFrameset:
        case kTagHead:
            return html;
        case kTagHtml:
            return none;
        case kTagCol:
            return col;
        case kTagDd:
        case kTagDt:
            return dl;
        case kTagFrame:
            return frame;
        case kTagLegend:
            return legend;
        case kTagLi:
            return li;
        case kTagNoframes:
            return noframes;
        case kTagOl:
        case kTagUl:
            return list;
        case kTagOptgroup:
        case kTagOption:
            return option;
        case kTagParam:
            return param;
        case kTagSelect:
        case kTagTextarea:
            return form;
        case kTagTable:
            return table;
        case kTagTbody:
        case kTagTfoot:
        case kTagThead:
            return section;
        case kTagTd:
        case kTagTh:
            return cell;
        case kTagTr:
            return row;
        default:
            return kOtherParents;
    }
}

// Rows: the open element's group, columns: the incoming tag's group, both 3
// to 19. Groups 14 and 15 hold no tags.
const unsigned char kMatrix[17][17] = {
    {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 0, 0, 3, 3, 3, 3},  // 3
    {0, 0, 3, 3, 3, 3, 3, 3, 3, 3, 3, 0, 0, 3, 3, 3, 3},  // 4
    {0, 0, 1, 3, 3, 3, 3, 3, 3, 3, 3, 0, 0, 3, 3, 3, 3},  // 5
    {0, 0, 0, 1, 3, 3, 3, 3, 3, 3, 3, 0, 0, 3, 3, 3, 3},  // 6
    {0, 0, 0, 0, 1, 1, 3, 3, 3, 3, 3, 0, 0, 3, 3, 3, 3},  // 7
    {0, 0, 0, 0, 1, 1, 3, 3, 3, 3, 3, 0, 0, 3, 3, 3, 3},  // 8
    {0, 0, 0, 0, 0, 0, 1, 3, 3, 3, 3, 0, 0, 3, 3, 3, 3},  // 9
    {0, 0, 0, 0, 0, 0, 0, 1, 3, 3, 3, 0, 0, 3, 3, 3, 3},  // 10
    {0, 0, 0, 0, 0, 0, 0, 0, 1, 3, 3, 0, 0, 3, 3, 3, 3},  // 11
    {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 3, 0, 0, 3, 3, 3, 3},  // 12
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 3, 3, 3, 3},  // 13
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0},  // 14
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0},  // 15
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 3, 3, 3},  // 16
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 3, 3},  // 17
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 3},  // 18
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1},  // 19
};

bool IsListElement(int tag) {
    return tag == kTagDir || tag == kTagMenu || tag == kTagOl || tag == kTagUl;
}

bool Search(int open, int tag, int* chain, int* length) {
    if ((open == 0 && tag == kTagHtml) || ContentModel(open, tag)) return true;
    if (*length == kMaxImpliedChain) return false;
    int candidates[8];
    int n = 0;
    if ((open == kTagTable || open == kTagTr) && TagGroup(tag) < kGroupListItem)
        candidates[n++] = kTagCaption;
    for (const int* p = ImpliedParents(tag); *p; ++p) candidates[n++] = *p;
    for (int i = 0; i < n; ++i) {
        bool inChain = false;
        for (int k = 0; k < *length; ++k) inChain |= chain[k] == candidates[i];
        if (inChain) continue;
        chain[(*length)++] = candidates[i];
        if (Search(open, candidates[i], chain, length)) return true;
        --*length;
    }
    return false;
}

}  // namespace

bool ContentModel(int open, int child) {
    if (open < 1 || open > kTagCount) return false;
    if (child < 1 || (child > kTagCount && child != kImpliedParagraph)) return false;
    if (open == child) return kSelfNesting.Has(open);
    return kAccepts.rows[open].Has(child);
}

bool SelfNests(int tag) {
    return tag >= 1 && tag <= kTagCount && kSelfNesting.Has(tag);
}

const int* ImpliedParents(int tag) {
    return ParentsOf(tag);
}

int GroupCloseMatrix(int openGroup, int incomingGroup) {
    if (openGroup < 3 || openGroup > 19 || incomingGroup < 3 || incomingGroup > 19) return 0;
    return kMatrix[openGroup - 3][incomingGroup - 3];
}

bool MayCloseOnStart(int open, int incoming) {
    if (open == kImpliedParagraph) return true;
    if (incoming == kImpliedParagraph) return TagGroup(open) == kGroupBreak;
    if (open == kTagOption && incoming == kTagOption) return true;
    if (IsListElement(open) && TagGroup(incoming) < kGroupFrame) return false;
    return (GroupCloseMatrix(TagGroup(open), TagGroup(incoming)) & 1) != 0;
}

bool MayCloseOnEnd(int open, int closing) {
    if (open == kImpliedParagraph) return true;
    if (TagGroup(open) == TagGroup(closing)) return true;
    return (GroupCloseMatrix(TagGroup(open), TagGroup(closing)) & 2) != 0;
}

namespace {

// Each (open, tag) pair is searched on its first use and its answer kept for
// the process: a failing search can take milliseconds, and a page meets a
// few dozen of the ten thousand pairs (searching them all at the first page
// cost a comparison run a sixth of its work). Builders on several threads
// share the answers: one is published with a release store of its state
// after its chain is written, and read after an acquire load of the state.
class ChainMemo {
  public:
    int Find(int open, int tag, int chain[kMaxImpliedChain]) {
        Entry& e = entries_[open][tag];
        int state = e.state.load(std::memory_order_acquire);
        if (state == kUnknown) state = Fill(open, tag, e);
        const int length = state - kLengthBias;
        for (int i = 0; i < length; ++i) chain[i] = e.chain[i];
        return length;
    }

  private:
    // The state is the length plus 2, so that -1 (no chain) is 1 and the
    // zeroed table means "not searched yet".
    static constexpr int kUnknown = 0;
    static constexpr int kLengthBias = 2;
    struct Entry {
        std::atomic<signed char> state{kUnknown};
        signed char chain[kMaxImpliedChain];
    };

    int Fill(int open, int tag, Entry& e) {
        std::lock_guard<std::mutex> lock(mutex_);
        int state = e.state.load(std::memory_order_relaxed);
        if (state != kUnknown) return state;
        int found[kMaxImpliedChain];
        int n = 0;
        const int length = Search(open, tag, found, &n) ? n : -1;
        for (int i = 0; i < n; ++i) e.chain[i] = static_cast<signed char>(found[i]);
        state = length + kLengthBias;
        e.state.store(static_cast<signed char>(state), std::memory_order_release);
        return state;
    }

    std::mutex mutex_;
    Entry entries_[kTagCount + 1][kImpliedParagraph + 1];
};

}  // namespace

int FindImpliedChain(int open, int tag, int chain[kMaxImpliedChain]) {
    if (open < 0 || open > kTagCount || tag < 0 || tag > kImpliedParagraph) {
        int length = 0;
        return Search(open, tag, chain, &length) ? length : -1;
    }
    static ChainMemo memo;
    return memo.Find(open, tag, chain);
}
