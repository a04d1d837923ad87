#pragma once
// The table of named character references (`&eacute;`, `&mdash;`, ...).
#include <cstddef>
#include <cstdint>

struct NamedRef {
    const char* name;  // without the ";"
    uint32_t first;    // the code point
    uint16_t second;   // a second code point (a combining mark), 0 when none
    bool legacy;       // also taken without ";"
};

extern const NamedRef kNamedRefs[];
extern const size_t kNamedRefCount;
