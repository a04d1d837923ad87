#pragma once
// Plain substring search over 1251 text.
#include <cstddef>

// The offset of the first occurrence of `key` in `text`, or -1. Without
// `matchCase` both are compared upper-cased by the system's tables. An empty
// key is found at offset 0.
long FindText(const char* text, size_t textLength, const char* key, size_t keyLength,
              bool matchCase);
