#pragma once
// Plain substring search over the system's texts (1251, or UTF-8 by the
// display rule).
#include <cstddef>

// The offset of the first occurrence of `key` in `text`, or -1. Without
// `matchCase` both are compared upper-cased by the system's 1251 tables, or,
// when either is UTF-8, both are read as Unicode and compared case-folded
// (the offset is then a byte offset in the text). An empty key is found at
// offset 0.
long FindText(const char* text, size_t textLength, const char* key, size_t keyLength,
              bool matchCase);
