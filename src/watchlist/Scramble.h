#pragma once
// The two-letters-per-byte scrambling of stored mailbox addresses and proxy
// passwords: each byte b becomes the letters 71 + b / 16 and 71 + b % 16
// ("G" to "V").
#include "framework/AStr.h"

AStr Scramble(const char* text);
// The reverse; a text of odd length gives the empty text.
AStr Unscramble(const char* text);
