#pragma once
// Builds file contents byte by byte: little-endian integers of the stated
// width and stream strings (u16 length, bytes).
#include <cstdint>
#include <string>

class Bytes {
  public:
    Bytes& U8(unsigned v) { return Raw(std::string(1, static_cast<char>(v & 0xFF))); }
    Bytes& U16(unsigned v) { return U8(v).U8(v >> 8); }
    Bytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    Bytes& I16(int v) { return U16(static_cast<uint16_t>(v)); }
    Bytes& Str(const std::string& s) { return U16(static_cast<unsigned>(s.size())).Raw(s); }
    Bytes& Raw(const std::string& s) {
        bytes_ += s;
        return *this;
    }
    Bytes& Add(const Bytes& other) { return Raw(other.bytes_); }
    const std::string& str() const { return bytes_; }
    size_t size() const { return bytes_.size(); }

  private:
    std::string bytes_;
};

// Fields 3 to 14 of an object record (timedelta to event parameter) at the
// defaults of an object that is never checked.
inline Bytes UncheckedDefaults() {
    return Bytes()
        .U32(0)
        .U32(0)
        .U8(0)  // timedelta, last check, modify
        .Str("")
        .U8(2)
        .U32(10)  // keywords, deltype, delparam
        .I16(-1)
        .U8(0)
        .I16(-1)
        .Str("")  // minchanged, skipchanges, skipnumchars, skipkeywords
        .U8(255)
        .Str("");  // event type and parameter
}

// The first bytes of a watch list and of a change log.
inline Bytes WatchListHeader(unsigned version) {
    return Bytes().Raw(std::string("Orvex Vistomer Config\0", 22)).U8(version);
}
inline Bytes ChangeLogHeader(unsigned version) {
    return Bytes().Raw(std::string("Orvex Vistomer Changes\0", 23)).U8(version);
}
