#pragma once
// Window texts cross to the system as UTF-16: a 1251 text is converted by
// the system's own table, a text that is UTF-8 (valid, with at least one
// multi-byte sequence) as UTF-8.
#include <string>

#include "framework/AStr.h"

std::wstring WideText(const char* text);
// UTF-16 from the system back to the working code page 1251.
AStr NarrowText(const wchar_t* text);
// A text from the system in the record's form: 1251 when that table holds
// every character, otherwise UTF-8 (which the display rule shows as such).
AStr RecordText(const wchar_t* text);
