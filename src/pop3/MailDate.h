#pragma once
// Dates of mail headers (RFC 822 and the forms found in the wild).
#include <cstdint>

// A moment in UTC, as seconds since 1970-01-01 (negative before 1970).
using MailTime = int64_t;

// Parses "[weekday,] day month year hh:mm:ss [zone]": fields separated by
// "-" or a space, the month known by its first letters, years below 1980
// taken as 19xx, a numeric zone turned into UTC ("GMT", a missing or a
// non-numeric zone leave the time as it is). False when a field is missing
// or the date does not exist.
bool ParseMailDate(const char* text, MailTime* time);
