#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

#include "html/CharRef.h"
#include "html/HtmlTables.h"

namespace {

int Id(int (*lookup)(const char*, size_t), const char* name) {
    return lookup(name, std::strlen(name));
}

}  // namespace

TEST(TagTable, SortedAndIdentifiersAreRowNumbers) {
    for (int id = 1; id < kTagCount; ++id)
        EXPECT_LT(std::strcmp(TagName(id), TagName(id + 1)), 0) << TagName(id);
    for (int id = 1; id <= kTagCount; ++id) EXPECT_EQ(id, Id(TagId, TagName(id)));
    EXPECT_EQ(kTagA, Id(TagId, "a"));
    EXPECT_EQ(kTagBody, Id(TagId, "body"));
    EXPECT_EQ(kTagScript, Id(TagId, "script"));
    EXPECT_EQ(kTagXmp, Id(TagId, "xmp"));
    EXPECT_EQ(102, kTagXmp);
    EXPECT_STREQ("", TagName(0));
    EXPECT_STREQ("", TagName(103));
    EXPECT_STREQ("", TagName(kImpliedParagraph));
}

TEST(TagTable, FlagAndGroupBytes) {
    struct Row {
        int tag, flags, group;
    } rows[] = {
        {kTagBgsound, 1, 1}, {kTagA, 3, 1},         {kTagImg, 5, 1},       {kTagEm, 3, 2},
        {kTagBr, 1, 3},      {kTagDiv, 3, 3},       {kTagHr, 5, 3},        {kTagOption, 1, 4},
        {kTagInput, 5, 4},   {kTagP, 1, 5},         {kTagLi, 1, 6},        {kTagPre, 3, 7},
        {kTagH6, 3, 8},      {kTagTd, 1, 9},        {kTagCaption, 3, 9},   {kTagTr, 1, 10},
        {kTagTbody, 0, 11},  {kTagThead, 1, 11},    {kTagColgroup, 1, 12}, {kTagCol, 5, 12},
        {kTagTable, 3, 13},  {kTagNoframes, 3, 16}, {kTagFrame, 5, 16},    {kTagFrameset, 3, 17},
        {kTagHead, 0, 18},   {kTagHtml, 0, 19},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.flags, TagFlags(r.tag)) << TagName(r.tag);
        EXPECT_EQ(r.group, TagGroup(r.tag)) << TagName(r.tag);
    }
    EXPECT_EQ(0, TagFlags(0));
    EXPECT_EQ(0, TagGroup(kImpliedParagraph));
    int empty = 0;
    for (int id = 1; id <= kTagCount; ++id) empty += IsEmptyTag(id);
    EXPECT_EQ(13, empty);  // 9 inline, hr, input, col, frame
}

TEST(TagTable, ListKinds) {
    EXPECT_EQ(99, ListKindOf(kTagUl));
    EXPECT_EQ(99, ListKindOf(kTagDir));
    EXPECT_EQ(99, ListKindOf(kTagMenu));
    EXPECT_EQ(30, ListKindOf(kTagDl));
    EXPECT_EQ(69, ListKindOf(kTagOl));
    EXPECT_EQ(0, ListKindOf(kTagLi));
}

TEST(NameLookup, CaseCountedNamesAndUnknowns) {
    EXPECT_EQ(kTagTable, Id(TagId, "TABLE"));
    EXPECT_EQ(kTagH1, TagId("h1 junk", 2));
    EXPECT_EQ(0, TagId("tablex", 6));
    EXPECT_EQ(0, TagId("tab", 3));
    EXPECT_EQ(0, TagId(nullptr, 3));
    EXPECT_EQ(0, TagId("a", 0));
    EXPECT_EQ(0, TagId("b\0r", 3));
    std::string longName(200, 'a');
    EXPECT_EQ(0, TagId(longName.data(), longName.size()));
}

// Names are matched by their first eight bytes and then the rest: every
// length, case mixed in either part, and bytes outside ASCII anywhere.
TEST(NameLookup, EveryLengthAndBothPartsOfLongNames) {
    for (int id = 1; id <= kTagCount; ++id) {
        std::string upper = TagName(id);
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(id, TagId(upper.data(), upper.size())) << upper;
    }
    EXPECT_EQ(kTagBlockquote, Id(TagId, "blockQUOTE"));
    EXPECT_EQ(0, Id(TagId, "blockquota"));
    EXPECT_EQ(0, Id(TagId, "blockquotes"));
    EXPECT_EQ(0, Id(TagId, "blockquot\xC5"));
    EXPECT_EQ(0, Id(TagId,
                    "t\xC0"
                    "ble"));
    EXPECT_EQ(0, Id(TagId, "\xE0"));  // a Cyrillic letter, whose capital is 0xC0
    EXPECT_EQ(kAttrHttpEquiv, Id(AttrId, "HTTP-EQUIV"));
    EXPECT_EQ(kAttrBackground, Id(AttrId, "backgrounD"));
    EXPECT_EQ(0, Id(AttrId, "backgroundx"));
}

TEST(AttributeTable, SortedWithKnownRows) {
    for (int id = 1; id < kAttrCount; ++id)
        EXPECT_LT(std::strcmp(AttrName(id), AttrName(id + 1)), 0) << AttrName(id);
    for (int id = 1; id <= kAttrCount; ++id) EXPECT_EQ(id, Id(AttrId, AttrName(id)));
    EXPECT_STREQ("ondbclick", AttrName(91));
    EXPECT_EQ(0, Id(AttrId, "ondblclick"));
    EXPECT_EQ(kAttrHref, Id(AttrId, "HREF"));
    EXPECT_EQ(kAttrName, Id(AttrId, "name"));
    EXPECT_EQ(kAttrSrc, Id(AttrId, "src"));
    EXPECT_EQ(kAttrStyle, Id(AttrId, "style"));
    EXPECT_EQ(kAttrHttpEquiv, Id(AttrId, "Http-Equiv"));
    EXPECT_EQ(kAttrContent, Id(AttrId, "content"));
    EXPECT_EQ(kAttrType, Id(AttrId, "type"));
    EXPECT_EQ(kAttrBackground, Id(AttrId, "background"));
    EXPECT_STREQ("wrap", AttrName(149));
    EXPECT_STREQ("", AttrName(150));
}

TEST(ValueKeywordTable, Sorted) {
    for (int id = 1; id < kValueKeywordCount; ++id)
        EXPECT_LT(std::strcmp(ValueKeywordName(id), ValueKeywordName(id + 1)), 0);
    for (int id = 1; id <= kValueKeywordCount; ++id)
        EXPECT_EQ(id, Id(ValueKeywordId, ValueKeywordName(id)));
    EXPECT_STREQ("above", ValueKeywordName(1));
    EXPECT_STREQ("yes", ValueKeywordName(62));
    EXPECT_EQ(0, Id(ValueKeywordId, "maybe"));
}

TEST(EntityTable, SortedCapitalsFirstWithOddSpellings) {
    ASSERT_EQ(101, EntityCount());
    for (int row = 0; row + 1 < EntityCount(); ++row)
        EXPECT_LT(std::strcmp(EntityName(row), EntityName(row + 1)), 0) << EntityName(row);
    for (int row = 0; row < EntityCount(); ++row)
        EXPECT_EQ(row < 30, EntityName(row)[0] >= 'A' && EntityName(row)[0] <= 'Z');
    int latin1 = 0;
    for (int row = 0; row < EntityCount(); ++row) latin1 += EntityCode(row) >= 160;
    EXPECT_EQ(96, latin1);
    auto code = [](const char* name) {
        for (int row = 0; row < EntityCount(); ++row)
            if (std::strcmp(EntityName(row), name) == 0) return static_cast<int>(EntityCode(row));
        return -1;
    };
    EXPECT_EQ(198, code("Aelig"));
    EXPECT_EQ(208, code("Eth"));
    EXPECT_EQ(222, code("Thorn"));
    EXPECT_EQ(-1, code("AElig"));
    EXPECT_EQ(160, code("nbsp"));
    EXPECT_EQ(255, code("yuml"));
    EXPECT_EQ(34, code("quot"));
    EXPECT_EQ(39, code("apos"));
    EXPECT_EQ(62, code("gt"));
}
