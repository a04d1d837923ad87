#pragma once
// The texts the panes put into nodes: language strings by number, error
// texts and a check's date and time. On screen they come from the language
// module and the locale of the interface language; tests give their own.
#include <cstdint>

#include "framework/AStr.h"

class PaneTexts {
  public:
    virtual ~PaneTexts() = default;
    // Empty for a number the language module does not have.
    virtual AStr Text(unsigned id);
    // A check's failure: the text of the error code, with the HTTP status
    // (`detail`) when the server answered with an error.
    virtual AStr Error(int32_t code, int32_t detail);
    // "date, time" of a check time (seconds since 1970 UTC), in local time.
    virtual AStr CheckTime(uint32_t time);
};

// String numbers the panes use.
enum : unsigned {
    kTextErrorLabel = 9280,  // before ": " and the error of a failed object
    kTextEmptyBody = 10000,  // error -2; 10000 + HTTP status for error -1
    kTextResult2 = 32002,    // check status 2
    kTextResult3 = 32003,    // check status 3
};
