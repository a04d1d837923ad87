#pragma once
// Unicode case folding for searches without regard to case, over texts kept
// in either form the system knows (1251, or UTF-8 by the display rule):
// simple folding of Latin, Greek and Cyrillic letters.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace casefold {

// The folded (small) form of a code point; other code points unchanged.
uint32_t Fold(uint32_t codePoint);

// The code points of a text read by the display rule, with the byte offset
// at which each begins (offsets may be null).
void DecodedText(const char* text, size_t n, std::vector<uint32_t>* codePoints,
                 std::vector<uint32_t>* offsets);

// The folded code points of a text read by the display rule (UTF-8 when it
// is well formed with a multi-byte sequence, else 1251), with the byte
// offset in the text at which each begins.
void FoldedText(const char* text, size_t n, std::vector<uint32_t>* codePoints,
                std::vector<uint32_t>* offsets);

// Whether a text read by the display rule holds a letter: in 1251 by the
// system's table; in UTF-8 an ASCII letter or a code point of the letter
// blocks (Latin, Greek, Cyrillic and the other alphabets, the CJK and
// Hangul syllables), not punctuation, symbols or digits.
bool HasLetter(const char* text, size_t n);
// The letter test of HasLetter for one code point.
bool IsLetter(uint32_t codePoint);

}  // namespace casefold
