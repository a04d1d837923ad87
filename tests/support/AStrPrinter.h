#pragma once
// Lets GoogleTest show an AStr as its text (in quotes) in failure messages.
#include <ostream>

#include "framework/AStr.h"

inline void PrintTo(const AStr& s, std::ostream* os) {
    *os << '"' << s.c_str() << '"';
}
