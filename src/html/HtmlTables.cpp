#include "html/HtmlTables.h"

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
class NameIndex {
  public:
    template <class NameOf>
    NameIndex(int rows, NameOf nameOf) {
        for (int row = 0; row < rows; ++row) {
            const char* name = nameOf(row);
            const size_t length = std::strlen(name);
            size_t slot = Hash(name, length);
            while (slots_[slot].name) slot = (slot + 1) % kSlots;
            slots_[slot] = {name, static_cast<uint8_t>(length), static_cast<uint16_t>(row + 1)};
        }
    }

    // The row number (from 1) of a lower-case name with the given Hash, 0
    // when it is not there.
    int Find(const char* lower, size_t length, size_t hash) const {
        for (size_t slot = hash;; slot = (slot + 1) % kSlots) {
            const Slot& s = slots_[slot];
            if (!s.name) return 0;
            if (s.length == length && SameBytes(s.name, lower, length)) return s.row;
        }
    }

    static uint32_t HashStep(uint32_t h, unsigned char c) { return (h ^ c) * 16777619u; }
    static constexpr uint32_t kHashSeed = 2166136261u;
    static size_t SlotOf(uint32_t h) { return (h ^ (h >> 15)) % kSlots; }

  private:
    static constexpr size_t kSlots = 512;  // a power of two, over twice the rows

    static size_t Hash(const char* name, size_t length) {
        uint32_t h = kHashSeed;
        for (size_t i = 0; i < length; ++i) h = HashStep(h, static_cast<unsigned char>(name[i]));
        return SlotOf(h);
    }

    static bool SameBytes(const char* a, const char* b, size_t n) {
        for (size_t i = 0; i < n; ++i)
            if (a[i] != b[i]) return false;
        return true;
    }

    struct Slot {
        const char* name;
        uint8_t length;
        uint16_t row;
    };
    Slot slots_[kSlots] = {};
};

// Bytes in lower case: ASCII and 1251 letters.
struct LowerTable {
    unsigned char lower[256];
    LowerTable() {
        for (int c = 0; c < 256; ++c)
            lower[c] = static_cast<unsigned char>(
                c < 0x80 ? (c >= 'A' && c <= 'Z' ? c + 32 : c)
                         : cp1251::ToLower(static_cast<unsigned char>(c)));
    }
};
const LowerTable kLower;

// The lower-case form of a name looked up in an index; 0 for an empty or
// over-long name.
int FindRow(const char* name, size_t length, const NameIndex& index) {
    if (!name || length == 0 || length > kMaxNameLength) return 0;
    char lower[kMaxNameLength];
    uint32_t h = NameIndex::kHashSeed;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = kLower.lower[static_cast<unsigned char>(name[i])];
        lower[i] = static_cast<char>(c);
        h = NameIndex::HashStep(h, c);
    }
    return index.Find(lower, length, NameIndex::SlotOf(h));
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
