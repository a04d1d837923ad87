#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

#include "html/ContentModel.h"
#include "html/HtmlTables.h"

namespace {

std::vector<int> Parents(int tag) {
    std::vector<int> out;
    for (const int* p = ImpliedParents(tag); *p; ++p) out.push_back(*p);
    return out;
}

std::vector<int> Chain(int open, int tag) {
    int chain[kMaxImpliedChain];
    int n = FindImpliedChain(open, tag, chain);
    if (n < 0) return {-1};
    return std::vector<int>(chain, chain + n);
}

}  // namespace

TEST(ContentModelRows, SelfNestingList) {
    EXPECT_TRUE(ContentModel(kTagB, kTagB));
    EXPECT_TRUE(ContentModel(kTagDiv, kTagDiv));  // though div accepts nothing else
    EXPECT_TRUE(ContentModel(kTagUl, kTagUl));
    EXPECT_FALSE(ContentModel(kTagA, kTagA));
    EXPECT_FALSE(ContentModel(kTagP, kTagP));
    EXPECT_FALSE(ContentModel(kTagLi, kTagLi));
    EXPECT_FALSE(ContentModel(kTagTable, kTagTable));
    int count = 0;
    for (int t = 1; t <= kTagCount; ++t) count += SelfNests(t);
    EXPECT_EQ(35, count);
}

TEST(ContentModelRows, InlineBlockAndFlowSets) {
    EXPECT_TRUE(ContentModel(kTagB, kImpliedParagraph));
    EXPECT_TRUE(ContentModel(kTagSpan, kTagSelect));
    EXPECT_FALSE(ContentModel(kTagSpan, kTagAcronym));  // not in Inline
    EXPECT_FALSE(ContentModel(kTagSpan, kTagDiv));
    EXPECT_TRUE(ContentModel(kTagEm, kTagDiv));
    EXPECT_TRUE(ContentModel(kTagEm, kTagP));
    EXPECT_TRUE(ContentModel(kTagP, kTagHr));
    EXPECT_FALSE(ContentModel(kTagP, kTagTable));
    EXPECT_TRUE(ContentModel(kTagA, kImpliedParagraph));
    EXPECT_TRUE(ContentModel(kTagA, kTagImg));
    EXPECT_FALSE(ContentModel(kTagLabel, kTagLabel));
    EXPECT_TRUE(ContentModel(kTagLabel, kTagInput));
    EXPECT_FALSE(ContentModel(kTagPre, kTagImg));
    EXPECT_TRUE(ContentModel(kTagPre, kTagB));
    EXPECT_TRUE(ContentModel(kTagTd, kTagTable));
    EXPECT_TRUE(ContentModel(kTagTd, kTagLi));
    EXPECT_FALSE(ContentModel(kTagTd, kTagTr));
    EXPECT_TRUE(ContentModel(kTagBody, kTagIns));
    EXPECT_FALSE(ContentModel(kTagTd, kTagIns));
    EXPECT_TRUE(ContentModel(kTagObject, kTagParam));
    EXPECT_TRUE(ContentModel(kTagFieldset, kTagLegend));
    EXPECT_TRUE(ContentModel(kTagNoframes, kTagBody));
    EXPECT_FALSE(ContentModel(kTagBasefont, kTagTable));
    EXPECT_TRUE(ContentModel(kTagBasefont, kTagForm));
    EXPECT_FALSE(ContentModel(kTagForm, kTagForm));
    EXPECT_FALSE(ContentModel(kTagButton, kTagInput));
    EXPECT_FALSE(ContentModel(kTagButton, kTagA));
    EXPECT_TRUE(ContentModel(kTagButton, kTagTable));
    EXPECT_TRUE(ContentModel(kTagLi, kTagUl));
    EXPECT_FALSE(ContentModel(kTagLi, kTagLi));
    EXPECT_FALSE(ContentModel(kTagDd, kTagDt));
}

TEST(ContentModelRows, StructuralRows) {
    EXPECT_TRUE(ContentModel(kTagTitle, kImpliedParagraph));
    EXPECT_FALSE(ContentModel(kTagTitle, kTagB));
    EXPECT_TRUE(ContentModel(kTagUl, kTagLi));
    EXPECT_FALSE(ContentModel(kTagUl, kImpliedParagraph));
    EXPECT_TRUE(ContentModel(kTagDl, kTagDt));
    EXPECT_TRUE(ContentModel(kTagHead, kTagMeta));
    EXPECT_FALSE(ContentModel(kTagHead, kTagP));
    EXPECT_TRUE(ContentModel(kTagHtml, kTagFrameset));
    EXPECT_TRUE(ContentModel(kTagTable, kTagTbody));
    EXPECT_FALSE(ContentModel(kTagTable, kTagTd));
    EXPECT_TRUE(ContentModel(kTagTr, kTagTh));
    EXPECT_TRUE(ContentModel(kTagColgroup, kTagCol));
    EXPECT_TRUE(ContentModel(kTagMap, kTagArea));
    EXPECT_TRUE(ContentModel(kTagSelect, kTagOptgroup));
    EXPECT_FALSE(ContentModel(kTagCenter, kImpliedParagraph));
    EXPECT_FALSE(ContentModel(kTagImg, kImpliedParagraph));
}

TEST(ContentModelRows, OutOfRangeIsFalse) {
    EXPECT_FALSE(ContentModel(0, kTagP));
    EXPECT_FALSE(ContentModel(kImpliedParagraph, kImpliedParagraph));
    EXPECT_FALSE(ContentModel(kTagBody, 0));
    EXPECT_FALSE(ContentModel(kTagBody, 103));
    EXPECT_FALSE(ContentModel(kTagBody, -1));
}

TEST(ImpliedParentsTable, Rows) {
    EXPECT_EQ(Parents(kTagLi),
              (std::vector<int>{kTagUl, kTagOl, kTagDir, kTagMenu, kTagBody, kTagTd}));
    EXPECT_EQ(Parents(kTagTr), (std::vector<int>{kTagTbody, kTagTfoot, kTagThead, kTagTable}));
    EXPECT_EQ(Parents(kTagCol), (std::vector<int>{kTagTable, kTagColgroup}));
    EXPECT_EQ(Parents(kTagTitle), (std::vector<int>{kTagHead}));
    EXPECT_EQ(Parents(kTagHtml), std::vector<int>{});
    EXPECT_EQ(Parents(kImpliedParagraph), (std::vector<int>{kTagBody, kTagTd}));
    EXPECT_EQ(Parents(kTagB), (std::vector<int>{kTagBody, kTagTd}));
}

TEST(GroupMatrix, TableAndOverrides) {
    EXPECT_EQ(3, GroupCloseMatrix(3, 3));
    EXPECT_EQ(0, GroupCloseMatrix(4, 3));
    EXPECT_EQ(1, GroupCloseMatrix(7, 8));
    EXPECT_EQ(1, GroupCloseMatrix(12, 9));
    EXPECT_EQ(3, GroupCloseMatrix(14, 16));
    EXPECT_EQ(1, GroupCloseMatrix(19, 19));
    EXPECT_EQ(0, GroupCloseMatrix(2, 5));
    EXPECT_EQ(0, GroupCloseMatrix(3, 20));

    EXPECT_TRUE(MayCloseOnStart(kImpliedParagraph, kTagTable));
    EXPECT_TRUE(MayCloseOnEnd(kImpliedParagraph, kTagHtml));
    EXPECT_TRUE(MayCloseOnStart(kTagDiv, kImpliedParagraph));  // group 3
    EXPECT_FALSE(MayCloseOnStart(kTagP, kImpliedParagraph));
    EXPECT_TRUE(MayCloseOnStart(kTagOption, kTagOption));
    EXPECT_FALSE(MayCloseOnStart(kTagOption, kTagOptgroup));
    EXPECT_FALSE(MayCloseOnStart(kTagUl, kTagTd));  // lists resist start tags below 16
    EXPECT_TRUE(MayCloseOnStart(kTagUl, kTagFrameset));
    EXPECT_TRUE(MayCloseOnStart(kTagPre, kTagTd));       // other group-7 elements do not
    EXPECT_TRUE(MayCloseOnEnd(kTagOption, kTagSelect));  // same group
    EXPECT_FALSE(MayCloseOnEnd(kTagPre, kTagH1));        // 7 under 8: bit 1 unset
    EXPECT_TRUE(MayCloseOnEnd(kTagP, kTagTd));
}

TEST(ImpliedChainSearch, ChainsFromParentOutwards) {
    EXPECT_EQ(Chain(0, kTagHtml), std::vector<int>{});
    EXPECT_EQ(Chain(0, kTagP), (std::vector<int>{kTagBody, kTagHtml}));
    EXPECT_EQ(Chain(0, kImpliedParagraph), (std::vector<int>{kTagBody, kTagHtml}));
    EXPECT_EQ(Chain(kTagBody, kTagTd), (std::vector<int>{kTagTr, kTagTbody, kTagTable}));
    EXPECT_EQ(Chain(kTagTable, kTagTd), (std::vector<int>{kTagTr}));
    EXPECT_EQ(Chain(kTagHtml, kTagLi), (std::vector<int>{kTagUl, kTagBody}));
    EXPECT_EQ(Chain(kTagBody, kTagLi), std::vector<int>{});  // body holds li itself
    EXPECT_EQ(Chain(kTagHtml, kTagTitle), (std::vector<int>{kTagHead}));
    // Text straight in a table or row goes through a caption first.
    EXPECT_EQ(Chain(kTagTable, kImpliedParagraph), (std::vector<int>{kTagCaption}));
    EXPECT_EQ(Chain(kTagTr, kImpliedParagraph), (std::vector<int>{kTagCaption, kTagTd}));
    EXPECT_EQ(Chain(kTagTable, kTagB), (std::vector<int>{kTagCaption}));
    EXPECT_EQ(Chain(kTagBody, kTagP), std::vector<int>{});  // accepted as it is
    EXPECT_EQ(Chain(kTagTitle, kTagP), std::vector<int>{-1});
    EXPECT_EQ(Chain(kTagHead, kImpliedParagraph), std::vector<int>{-1});
}

namespace {

// Every (open, tag) answer folded into one number, in a fixed order.
uint64_t AllChainsDigest(bool backwards) {
    uint64_t digest = 1469598103934665603u;
    auto fold = [&digest](int v) { digest = (digest ^ static_cast<uint64_t>(v)) * 1099511628211u; };
    std::vector<std::vector<int>> answers;
    for (int i = 0; i <= kTagCount; ++i) {
        const int open = backwards ? kTagCount - i : i;
        for (int tag = 0; tag <= kImpliedParagraph; ++tag) answers.push_back(Chain(open, tag));
    }
    if (backwards) {
        // Back in the forward order of opens before folding.
        std::vector<std::vector<int>> forward;
        for (int i = kTagCount; i >= 0; --i)
            for (int tag = 0; tag <= kImpliedParagraph; ++tag)
                forward.push_back(answers[static_cast<size_t>(i) * (kImpliedParagraph + 1) + tag]);
        answers.swap(forward);
    }
    for (const std::vector<int>& chain : answers) {
        fold(static_cast<int>(chain.size()));
        for (int t : chain) fold(t);
    }
    return digest;
}

}  // namespace

// The chains are searched pair by pair on first use; the answers must be
// those of the table once searched whole at the first page (its digest),
// in whatever order and from however many threads they are first asked.
TEST(ImpliedChains, EveryPairAnswersAsTheWholeTableDid) {
    std::vector<uint64_t> digests(4);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < digests.size(); ++i)
        threads.emplace_back([&digests, i] { digests[i] = AllChainsDigest(i % 2 == 1); });
    for (std::thread& t : threads) t.join();
    for (uint64_t d : digests) EXPECT_EQ(8592480518934184110u, d);
}
