#pragma once
// UTF-8 sequences: reading one code point and writing one, shared by every
// place that carries text as UTF-8 (pages outside the Cyrillic encodings,
// mail headers, typed and printed text).
#include <cstddef>
#include <cstdint>
#include <string>

namespace utf8 {

// Length of the well-formed sequence at s (at most n bytes) and its code
// point; 0 when the bytes are not one (overlong forms, surrogates and code
// points above U+10FFFF included).
size_t Decode(const unsigned char* s, size_t n, uint32_t* codePoint);

// Writes the sequence of a code point (U+FFFD for surrogates and values
// above U+10FFFF) to out, which has room for 4 bytes; returns its length.
size_t Encode(uint32_t codePoint, char* out);
void Append(std::string& out, uint32_t codePoint);

// Length of the run of ASCII bytes (below 0x80) at s, at most n: the
// scanners of page-sized texts skip it eight bytes at a time.
size_t AsciiRun(const char* s, size_t n);

// Whether all n bytes are well-formed UTF-8.
bool IsValid(const char* s, size_t n);

}  // namespace utf8
