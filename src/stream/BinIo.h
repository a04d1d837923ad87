#pragma once
// The binary encoding of every file of the system: little-endian integers in
// their declared width, no alignment; a string as a 2-byte length (at most
// 65534) followed by that many bytes without terminator.
#include <cstdint>

#include "framework/AStr.h"
#include "stream/WStream.h"

constexpr long kMaxStoredString = 65534;

// Each returns 0, or -1 when the stream is in error afterwards (or, for
// reads, when the value could not be read whole).
int WriteU8(owstream& os, uint8_t v);
int WriteU16(owstream& os, uint16_t v);
int WriteU32(owstream& os, uint32_t v);
int WriteU64(owstream& os, uint64_t v);
inline int WriteI16(owstream& os, int16_t v) {
    return WriteU16(os, static_cast<uint16_t>(v));
}
inline int WriteI32(owstream& os, int32_t v) {
    return WriteU32(os, static_cast<uint32_t>(v));
}

int ReadU8(iwstream& is, uint8_t* v);
int ReadU16(iwstream& is, uint16_t* v);
int ReadU32(iwstream& is, uint32_t* v);
int ReadU64(iwstream& is, uint64_t* v);
int ReadI16(iwstream& is, int16_t* v);
int ReadI32(iwstream& is, int32_t* v);

// A string longer than 65534 bytes is cut to 65534; the empty string is the
// two bytes 0, 0.
int WriteString(owstream& os, const AStr& s);
int WriteString(owstream& os, const char* s);
// Empties the target first; a stream in error after the length leaves it
// empty. Returns -1 when the stream is in error or the bytes ran out.
int ReadString(iwstream& is, AStr& s);
