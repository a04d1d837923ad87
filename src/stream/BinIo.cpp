#include "stream/BinIo.h"

#include <cstring>

namespace {

int WriteLE(owstream& os, uint64_t v, int width) {
    unsigned char b[8];
    for (int i = 0; i < width; ++i) b[i] = static_cast<unsigned char>(v >> (8 * i));
    return os.Write(b, width) == width && !os.IsError() ? 0 : -1;
}

int ReadLE(iwstream& is, uint64_t* v, int width) {
    unsigned char b[8];
    if (is.Read(b, width) != width || is.IsError()) return -1;
    uint64_t r = 0;
    for (int i = 0; i < width; ++i) r |= static_cast<uint64_t>(b[i]) << (8 * i);
    *v = r;
    return 0;
}

template <class T>
int ReadAs(iwstream& is, T* out, int width) {
    uint64_t v = 0;
    if (ReadLE(is, &v, width) < 0) return -1;
    *out = static_cast<T>(v);
    return 0;
}

}  // namespace

int WriteU8(owstream& os, uint8_t v) {
    return WriteLE(os, v, 1);
}
int WriteU16(owstream& os, uint16_t v) {
    return WriteLE(os, v, 2);
}
int WriteU32(owstream& os, uint32_t v) {
    return WriteLE(os, v, 4);
}
int WriteU64(owstream& os, uint64_t v) {
    return WriteLE(os, v, 8);
}

int ReadU8(iwstream& is, uint8_t* v) {
    return ReadAs(is, v, 1);
}
int ReadU16(iwstream& is, uint16_t* v) {
    return ReadAs(is, v, 2);
}
int ReadU32(iwstream& is, uint32_t* v) {
    return ReadAs(is, v, 4);
}
int ReadU64(iwstream& is, uint64_t* v) {
    return ReadAs(is, v, 8);
}
int ReadI16(iwstream& is, int16_t* v) {
    return ReadAs(is, v, 2);
}
int ReadI32(iwstream& is, int32_t* v) {
    return ReadAs(is, v, 4);
}

int WriteString(owstream& os, const char* s) {
    size_t len = s ? std::strlen(s) : 0;
    if (len > static_cast<size_t>(kMaxStoredString)) len = kMaxStoredString;
    if (WriteU16(os, static_cast<uint16_t>(len)) < 0) return -1;
    if (len && os.Write(s, static_cast<long>(len)) != static_cast<long>(len)) return -1;
    return os.IsError() ? -1 : 0;
}

int WriteString(owstream& os, const AStr& s) {
    return WriteString(os, s.c_str());
}

int ReadString(iwstream& is, AStr& s) {
    s.Clear();
    uint16_t len = 0;
    if (ReadU16(is, &len) < 0) return -1;
    if (len == 0) return 0;
    char* p = new char[static_cast<size_t>(len) + 1];
    long n = is.Read(p, len);
    if (n < 0) n = 0;
    p[n] = 0;
    s.Attach(p);
    if (s.Length() == 0) s.Clear();
    return n == len && !is.IsError() ? 0 : -1;
}
