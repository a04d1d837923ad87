#pragma once
// Numbers typed into the fields of the property dialogs. Blanks around the
// digits are allowed; anything else makes the text unreadable.
#include <cstdint>

#include "framework/AStr.h"

// An unsigned number; an empty text reads as 0. False when the text holds
// anything but blanks around decimal digits, or the number exceeds `max`.
bool ReadUnsignedField(const char* text, uint32_t max, uint32_t* value);
// A signed number as a signed edit field reads it ("-" allowed before the
// digits). False for an empty or unreadable text or one outside int32.
bool ReadSignedField(const char* text, int32_t* value);

// Optional limits (least number of changes, shortest change): negative is
// "off" and shows as an empty field; an empty or unreadable field stores -1;
// a number too large for the 16-bit field stores its largest value.
AStr OptionalLimitText(int16_t value);
int16_t OptionalLimitFromText(const char* text);
