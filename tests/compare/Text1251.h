#pragma once
// Test texts are written in UTF-8 and used in the working code page 1251.
#include <string>

#include "framework/Cp1251.h"

inline std::string W(const char* utf8) {
    return cp1251::FromUtf8(utf8, std::char_traits<char>::length(utf8));
}
