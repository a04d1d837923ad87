#pragma once
// The version-10 watch list of the tests, built byte by byte: a folder with
// a page and a mailbox, and a framed page.
#include <string>

#include "Bytes.h"

// The byte-built fixtures keep one group of fields per line: the layout is
// the point, so the formatter leaves this file as written.
// clang-format off

// A page: every field differs from its default.
inline Bytes WeatherPage() {
    return Bytes()
        .Str("Weather report").Str("http://weather.example/today")  // name, address
        .U32(21600).U32(1039089600).U8(1)                            // timedelta, last check, modify
        .Str("rain").U8(1).U32(3600)                                 // keywords, deltype, delparam
        .I16(2).U8(1).I16(10).Str("ads")                             // minchanged, skipchanges, skipnumchars, skipkeywords
        .U8(2).Str("ding.wav")                                       // event type, parameter
        .U32(0x000000FF).U16(13)                                     // colour, flags
        .U16(7).Str("Weather today").U8(0)                           // copy number, title, expanded
        .U16(3).U16(0).U8(1).U8(0)                                   // marks, derived marks, charset, no frames
        .U16(0);                                                     // no children
}

// A mailbox whose address after "mailto:" is "a:b@c", scrambled.
inline Bytes Mailbox() {
    return Bytes()
        .Str("").Str("mailto:MHJQMIKGMJ")
        .U32(3600).U32(0).U8(0)
        .Str("").U8(2).U32(10)
        .I16(-1).U8(0).I16(-1).Str("")
        .U8(255).Str("")
        .U32(0x00FFFF00).U16(10)
        .U16(8).Str("").U8(0)
        .U16(2).U16(0).U8(0).U8(0)
        .U16(0);
}

inline Bytes NewsFolder() {
    return Bytes()
        .Str("News").Str("")
        .Add(UncheckedDefaults())
        .U32(0x00FFFF00).U16(6)
        .U16(0).Str("").U8(1)
        .U16(2).U16(3).U8(0).U8(0)
        .U16(2).Add(WeatherPage()).Add(Mailbox());
}

// A frame tree record: name, source, base, copy number, charset, children.
inline Bytes Frame(const std::string& name, const std::string& source, const std::string& base,
            unsigned copy, unsigned charset, unsigned children) {
    return Bytes().Str(name).Str(source).Str(base).U16(copy).U8(charset).U16(children);
}

inline Bytes FramedPage() {
    return Bytes()
        .Str("Framed").Str("http://frames.example/")
        .U32(86400).U32(1000).U8(1)
        .Str("").U8(2).U32(5)
        .I16(-1).U8(0).I16(-1).Str("")
        .U8(255).Str("")
        .U32(0x00FFFF00).U16(10)
        .U16(9).Str("Frames").U8(0)
        .U16(2).U16(0).U8(4).U8(1)
        .Add(Frame("", "", "http://frames.example/", 0, 0, 2))
        .Add(Frame("left", "left.html", "", 10, 1, 0))
        .Add(Frame("main", "main.html", "", 11, 3, 0))
        .U16(0);
}

inline std::string Version10File() {
    return WatchListHeader(10).U16(2).Add(NewsFolder()).Add(FramedPage()).str();
}
// clang-format on
