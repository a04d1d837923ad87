#pragma once
// Character references (`&amp;`, `&#1025;`) and the entity table.
#include <cstddef>
#include <cstdint>

// Decodes the reference that begins at text[0] (which must be `&`); the text
// ends at a zero byte or after `length` bytes. Returns the byte it stands
// for and stores in *consumed how many input bytes the reference occupies:
// 0 with 0 consumed when text[0] is not `&` or `&#` has no digit, `&` with 1
// consumed for an unknown name. Decimal references only; names need no `;`
// (`&notin;` is the not sign followed by "in;").
unsigned char DecodeCharRef(const char* text, size_t length, int* consumed);
unsigned char DecodeCharRef(const char* text, int* consumed);

// Copies `length` bytes of `in` to `out`, replacing each reference that
// decodes to a byte by that byte; stops at a zero byte, at the end of the
// input or when `out` holds size - 1 bytes, and zero-terminates `out`.
// Returns the number of bytes written before the terminator.
size_t DecodeEntities(char* out, size_t size, const char* in, size_t length);

// One byte for a code point above the Latin-1 range, with the GDI character
// set that byte belongs to: 2 (symbol) for U+F000 to U+F0FF, 204 (1251) for
// Cyrillic, 0 (1252) for Western, 1 (the ANSI code page, 1251) otherwise.
void CodePointToByte(uint32_t codePoint, int* charset, unsigned char* byte);

// The code point that code page 1252 places at a byte from 0x80 to 0x9F
// (the byte itself where 1252 leaves it undefined).
uint16_t Cp1252HighCodePoint(unsigned char byte);

// The entity table: 101 rows sorted in byte order, the 30 names that begin
// with a capital first.
int EntityCount();
const char* EntityName(int row);
unsigned char EntityCode(int row);
