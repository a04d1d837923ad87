#pragma once
// The system's own tables for code page 1251, the working code page of all
// text inside the program. They are the same on every platform, so no result
// depends on the user's ANSI code page.
#include <cstddef>
#include <cstdint>
#include <string>

namespace cp1251 {

unsigned char ToUpper(unsigned char c);
unsigned char ToLower(unsigned char c);
bool IsLetter(unsigned char c);
bool IsAlphaNumeric(unsigned char c);
bool IsUpper(unsigned char c);
bool IsLower(unsigned char c);

// In-place case conversion of n bytes.
void UpperBuff(char* s, size_t n);
void LowerBuff(char* s, size_t n);

// The Unicode code point of a 1251 byte (0 for the one unassigned byte 0x98).
uint16_t ToUnicode(unsigned char c);
// The 1251 byte of a code point, or `fallback` when 1251 has no such character.
unsigned char FromUnicode(uint32_t codePoint, unsigned char fallback = '?');

// Case-insensitive comparison by the system's upper-casing (byte order of the
// upper-cased bytes), as strcmp/strncmp.
int CompareNoCase(const char* a, const char* b);
int CompareNoCase(const char* a, const char* b, size_t n);

// 1251 text as UTF-8, for terminals and other UTF-8 consumers.
std::string ToUtf8(const char* s, size_t n);
std::string ToUtf8(const char* s);
// UTF-8 to 1251 (characters 1251 lacks become '?'; malformed bytes are taken
// as 1251 bytes).
std::string FromUtf8(const char* s, size_t n);

// The display rule: valid UTF-8 with at least one multi-byte sequence is
// shown as UTF-8, anything else is converted from 1251.
bool LooksLikeUtf8(const char* s, size_t n);
std::string ForDisplay(const char* s);
// The display rule to UTF-16, for drawing. A UTF-8 text cut short by the
// ellipsis byte 133 (a cut change text) is still shown as UTF-8: a partial
// sequence before the ellipsis is dropped and the ellipsis drawn as U+2026.
std::u16string DisplayUtf16(const char* s, size_t n);

}  // namespace cp1251
