#pragma once
// KOI8 (KOI8-R with the KOI8-U letters) to the working code page 1251, by
// the system's own table, so the result never depends on the platform.
#include <cstddef>

namespace koi8 {

// The 1251 byte for one KOI8 byte; bytes below 128 are themselves.
unsigned char ToCp1251(unsigned char c);
// Converts n bytes; source and target may be the same buffer.
void ToCp1251(const char* source, char* target, size_t n);

}  // namespace koi8
