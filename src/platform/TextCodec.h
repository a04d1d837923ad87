#pragma once
// Conversion of text in a code page other than the system's own into UTF-8,
// by the platform's converter (iconv on POSIX, MultiByteToWideChar on
// Windows). Code pages are named by their Windows numbers on every platform.
#include <cstddef>
#include <string>

namespace platform {

// Appends the UTF-8 form of n bytes in `codePage` (1250, 1252, 28591,
// 1200 for UTF-16LE, ...) to out. Bytes the code page does not define
// become U+FFFD. False, with out unchanged, when the platform does not know
// the code page.
bool CodePageToUtf8(unsigned codePage, const char* bytes, size_t n, std::string* out);

}  // namespace platform

namespace platform {

// The Windows code page number of a charset name as mail and pages give it
// ("iso-8859-2", "windows-1250", "utf-8", case ignored); 0 when unknown.
unsigned CodePageOfName(const char* name, size_t n);

}  // namespace platform
