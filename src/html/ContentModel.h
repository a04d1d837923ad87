#pragma once
// The nesting rules the document builder repairs markup by: which element
// may hold which, which parents may be implied, and which open elements a
// new or closing tag may end.
#include <cstddef>

// Whether an open element `open` (a tag, 1 to 102) accepts `child` (a tag,
// or kImpliedParagraph for text) as a direct child.
bool ContentModel(int open, int child);

// Whether an element may hold another element of its own tag.
bool SelfNests(int tag);

// The parents that may be implied when `tag` cannot be placed, in the order
// they are tried, ending with 0. Text (kImpliedParagraph) and every tag
// without its own row give body, td.
const int* ImpliedParents(int tag);

// The group matrix and its overrides. A start tag `incoming` that `open`
// does not accept may close `open` implicitly; an end tag `closing` that
// ends an element further down the stack may close `open` above it.
bool MayCloseOnStart(int open, int incoming);
bool MayCloseOnEnd(int open, int closing);
// The raw matrix byte (bit 0 start tags, bit 1 end tags) for groups 3 to 19.
int GroupCloseMatrix(int openGroup, int incomingGroup);

// Searches at most kMaxImpliedChain levels for elements that, created under
// `open` (0 for an empty stack), lead to a place for `tag`. On success the
// chain lists them from the tag's parent outwards; its length is returned.
// -1 when there is no such chain.
constexpr int kMaxImpliedChain = 10;
int FindImpliedChain(int open, int tag, int chain[kMaxImpliedChain]);
