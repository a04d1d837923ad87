#pragma once
// Text at the edge of the front end: everything printed is UTF-8 (a stored
// text that already is UTF-8 with a multi-byte sequence stays as it is,
// any other is converted from 1251), and typed text arrives in UTF-8 and is
// kept in 1251 where 1251 can hold it.
#include <cstdint>
#include <string>

#include "framework/AStr.h"

// A stored text as the user reads it.
std::string Shown(const AStr& text);
std::string Shown(const char* text);
// A typed text as the system stores it: 1251 when every character has a
// 1251 byte, else the UTF-8 bytes unchanged (malformed UTF-8 is taken as 1251).
AStr Typed(const std::string& utf8);
// A typed file name for the file functions.
std::string TypedPath(const std::string& utf8);

// A text of the language module; the English text when no module has it.
AStr UiText(unsigned id);
// A moment as the user reads it: local date ", " time; "never" for 0.
std::string ShownTime(uint32_t seconds);
// A period in seconds as "6h", "90s", "1d 2h"; "manual" for 0.
std::string ShownPeriod(uint32_t seconds);
// A result or error code as the user reads it.
// A check's failure as the user reads it (CheckErrorText), with the
// server's own reply when it gave one.
std::string ShownError(int32_t code, int32_t detail, const AStr& serverReply = AStr());
