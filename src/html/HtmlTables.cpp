#include "html/HtmlTables.h"

#include <cstdint>
#include <cstring>

#include "framework/Cp1251.h"

namespace {

struct TagRow {
    const char* name;
    unsigned char flags;
    unsigned char group;
};

const TagRow kTags[kTagCount] = {
#define OV_TAG_ROW(id, name, flags, group) {name, flags, group},
    OV_HTML_TAGS(OV_TAG_ROW)
#undef OV_TAG_ROW
};
static_assert(kTagCount == 102 && kTagXmp == kTagCount, "the identifiers are the rows of the list");

const char* const kAttrs[kAttrCount] = {
    "abbr",
    "accept",
    "acceptcharset",
    "accesskey",
    "action",
    "align",
    "alink",
    "alt",
    "archive",
    "axis",
    "background",
    "balance",
    "behavior",
    "bgcolor",
    "bgproperties",
    "border",
    "bordercolor",
    "bordercolordark",
    "bordercolorlight",
    "bottommargin",
    "cellpadding",
    "cellspacing",
    "char",
    "charoff",
    "charset",
    "checked",
    "cite",
    "class",
    "classid",
    "clear",
    "code",
    "codebase",
    "codetype",
    "color",
    "cols",
    "colspan",
    "compact",
    "content",
    "coords",
    "data",
    "datafld",
    "dataformatas",
    "datapagesize",
    "datasrc",
    "datetime",
    "declare",
    "defer",
    "dir",
    "direction",
    "disabled",
    "dynsrc",
    "enctype",
    "event",
    "face",
    "for",
    "frame",
    "frameborder",
    "framespacing",
    "headers",
    "height",
    "href",
    "hreflang",
    "hspace",
    "http-equiv",
    "id",
    "ismap",
    "label",
    "lang",
    "language",
    "leftmargin",
    "link",
    "longdesc",
    "loop",
    "lowsrc",
    "marginheight",
    "marginwidth",
    "maxlength",
    "media",
    "method",
    "methods",
    "multiple",
    "name",
    "nohref",
    "noresize",
    "noshade",
    "nowrap",
    "object",
    "onblur",
    "onchange",
    "onclick",
    "ondbclick",
    "onfocus",
    "onkeydown",
    "onkeypress",
    "onkeyup",
    "onload",
    "onmousedown",
    "onmousemove",
    "onmouseout",
    "onmouseover",
    "onmouseup",
    "onreset",
    "onselect",
    "onsubmit",
    "onunload",
    "profile",
    "prompt",
    "readonly",
    "rel",
    "rev",
    "rightmargin",
    "rows",
    "rowspan",
    "rules",
    "scheme",
    "scope",
    "scroll",
    "scrollamount",
    "scrolldelay",
    "scrolling",
    "selected",
    "shape",
    "size",
    "span",
    "src",
    "standby",
    "start",
    "style",
    "summary",
    "tabindex",
    "target",
    "text",
    "title",
    "topmargin",
    "truespeed",
    "type",
    "units",
    "url",
    "urn",
    "usemap",
    "valign",
    "value",
    "valuetype",
    "version",
    "vlink",
    "volume",
    "vspace",
    "width",
    "wrap",
};

const char* const kValueKeywords[kValueKeywordCount] = {
    "above",  "absbottom", "absmiddle", "all",     "alternate", "auto",     "baseline", "below",
    "border", "bottom",    "box",       "button",  "center",    "char",     "checkbox", "circ",
    "circle", "cols",      "down",      "file",    "fixed",     "get",      "groups",   "hidden",
    "hsides", "html",      "image",     "insides", "justify",   "left",     "lhs",      "middle",
    "no",     "none",      "noresize",  "off",     "password",  "physical", "poly",     "polygon",
    "post",   "print",     "radio",     "rect",    "rectangle", "reset",    "resize",   "rhs",
    "right",  "rows",      "screen",    "scroll",  "slide",     "submit",   "text",     "texttop",
    "top",    "up",        "virtual",   "void",    "vsides",    "yes",
};

// Longer than every name of the three tables.
constexpr size_t kMaxNameLength = 31;

// A table's names by their row, in an open-addressed hash table built on
// first use: a tag or attribute name is looked up for every tag of a page.
// A name is keyed by its first eight bytes packed into one word (the table
// names are ASCII), so that most names are found with one word comparison.
class NameIndex {
  public:
    template <class NameOf>
    NameIndex(int rows, NameOf nameOf) {
        for (int row = 0; row < rows; ++row) {
            const char* name = nameOf(row);
            const size_t length = std::strlen(name);
            const uint64_t head = HeadOf(name, length);
            size_t slot = SlotOf(head, length);
            while (slots_[slot].name) slot = (slot + 1) % kSlots;
            slots_[slot] = {name, head, static_cast<uint8_t>(length),
                            static_cast<uint16_t>(row + 1)};
        }
    }

    // The row number (from 1) of a lower-case name whose first bytes pack
    // into `head`, 0 when it is not there; `lower` is read only past its
    // first eight bytes.
    int Find(const char* lower, size_t length, uint64_t head) const {
        for (size_t slot = SlotOf(head, length);; slot = (slot + 1) % kSlots) {
            const Slot& s = slots_[slot];
            if (!s.name) return 0;
            if (s.head == head && s.length == length && SameBytes(s.name, lower, length))
                return s.row;
        }
    }

    static constexpr size_t kHeadBytes = 8;

    // The first (up to) eight bytes of a name, the first in the lowest
    // byte, zeros after a shorter name. Read as whole words that may
    // overlap, never byte by byte: a word read back from bytes just stored
    // one at a time waits for them.
    static uint64_t HeadOf(const char* name, size_t length) {
        if (length >= kHeadBytes) return Load<uint64_t>(name);
        if (length >= 4) {
            const uint64_t low = Load<uint32_t>(name);
            const uint64_t high = Load<uint32_t>(name + length - 4);
            return low | high << (8 * (length - 4));
        }
        if (length == 0) return 0;
        const auto byte = [name](size_t i) {
            return uint64_t{static_cast<unsigned char>(name[i])};
        };
        return byte(0) | byte(length / 2) << (8 * (length / 2)) |
               byte(length - 1) << (8 * (length - 1));
    }

  private:
    static constexpr size_t kSlots = 512;  // a power of two, over twice the rows

    template <class Word>
    static Word Load(const char* bytes) {
        Word word;
        std::memcpy(&word, bytes, sizeof word);
        return word;
    }

    static size_t SlotOf(uint64_t head, size_t length) {
        return static_cast<size_t>(((head + length) * 0x9E3779B97F4A7C15ull) >> 55) % kSlots;
    }

    // The bytes past the head.
    static bool SameBytes(const char* a, const char* b, size_t length) {
        for (size_t i = kHeadBytes; i < length; ++i)
            if (a[i] != b[i]) return false;
        return true;
    }

    struct Slot {
        const char* name;
        uint64_t head;
        uint8_t length;
        uint16_t row;
    };
    Slot slots_[kSlots] = {};
};

// Eight ASCII bytes in lower case, all at once: a byte gets 0x20 where it
// is at least 'A' and at most 'Z' (the sums carry into no other byte).
uint64_t LowerAscii(uint64_t bytes) {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    const uint64_t atLeastA = bytes + kOnes * (0x80 - 'A');
    const uint64_t aboveZ = bytes + kOnes * (0x7F - 'Z');
    return bytes | ((atLeastA & ~aboveZ & kOnes * 0x80) >> 2);
}

// The row of a name in an index, case not counted; 0 for an empty or
// over-long name. The table names are ASCII, so a name with any other byte
// (whose lower case is never ASCII) is not among them.
int FindRow(const char* name, size_t length, const NameIndex& index) {
    if (!name || length == 0 || length > kMaxNameLength) return 0;
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    const uint64_t head = NameIndex::HeadOf(name, length);
    if (head & kHighBits) return 0;
    if (length <= NameIndex::kHeadBytes) return index.Find(nullptr, length, LowerAscii(head));
    char lower[kMaxNameLength + NameIndex::kHeadBytes];
    for (size_t i = 0; i < length; i += NameIndex::kHeadBytes) {
        uint64_t bytes = NameIndex::HeadOf(name + i, length - i);
        if (bytes & kHighBits) return 0;
        bytes = LowerAscii(bytes);
        std::memcpy(lower + i, &bytes, NameIndex::kHeadBytes);
    }
    return index.Find(lower, length, LowerAscii(head));
}

}  // namespace

int TagId(const char* name, size_t length) {
    static const NameIndex index(kTagCount, [](int i) { return kTags[i].name; });
    return FindRow(name, length, index);
}

int AttrId(const char* name, size_t length) {
    static const NameIndex index(kAttrCount, [](int i) { return kAttrs[i]; });
    return FindRow(name, length, index);
}

int ValueKeywordId(const char* name, size_t length) {
    static const NameIndex index(kValueKeywordCount, [](int i) { return kValueKeywords[i]; });
    return FindRow(name, length, index);
}

const char* TagName(int tag) {
    return tag >= 1 && tag <= kTagCount ? kTags[tag - 1].name : "";
}

const char* AttrName(int attr) {
    return attr >= 1 && attr <= kAttrCount ? kAttrs[attr - 1] : "";
}

const char* ValueKeywordName(int keyword) {
    return keyword >= 1 && keyword <= kValueKeywordCount ? kValueKeywords[keyword - 1] : "";
}

int TagFlags(int tag) {
    return tag >= 1 && tag <= kTagCount ? kTags[tag - 1].flags : 0;
}

int TagGroup(int tag) {
    return tag >= 1 && tag <= kTagCount ? kTags[tag - 1].group : 0;
}

int ListKindOf(int tag) {
    switch (tag) {
        case kTagDir:
        case kTagMenu:
        case kTagUl:
            return 99;
        case kTagDl:
            return 30;
        case kTagOl:
            return 69;
        default:
            return 0;
    }
}
