#pragma once
// Character references read as browsers read them: the full table of named
// references, decimal and hexadecimal numbers, the older names without ";".
// Pages carried as UTF-8 take the result as UTF-8; attribute values used as
// addresses take it in either encoding of the text.
#include <cstddef>
#include <cstdint>

#include "framework/AStr.h"

// Decodes the reference that begins at text[0] (which must be `&`) into one
// or two code points; returns how many (0 when the text is no reference,
// and then *consumed is 0). In an attribute value, an older name without ";"
// followed by a letter, digit or "=" is no reference (`?a=1&copy=2`).
int DecodeReference(const char* text, size_t length, bool inAttribute, uint32_t codePoints[2],
                    int* consumed);

// The same, written as UTF-8 to out (room for 8 bytes); returns the bytes
// written, 0 for no reference.
size_t DecodeReferenceUtf8(const char* text, size_t length, bool inAttribute, char* out,
                           int* consumed);

// An attribute value with its references decoded: to UTF-8 when the text is
// carried as UTF-8, else to 1251 bytes where 1251 has the character (a
// reference to anything else stays as written).
AStr DecodeAttributeValue(const char* value, size_t length, bool utf8);

// A text of a page carried as UTF-8 with every reference decoded.
AStr DecodeTextUtf8(const char* text, size_t length);
