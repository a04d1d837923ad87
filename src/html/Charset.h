#pragma once
// Character sets: the small codes by which the system names the encodings of
// pages and mail, the Content-Type parser, and conversion of text into the
// form the system keeps it in: code page 1251 for the Cyrillic encodings
// (1251, 866, KOI8), UTF-8 for every other.
#include <cstddef>
#include <string>

#include "framework/AStr.h"

class FixedText;

enum CharsetCodes : int {
    kCharsetUnknown = 0,  // not declared; no conversion
    kCharsetWindows = 1,  // "windows-1251"; no conversion
    kCharsetDos = 2,      // "ibm866": code page 866 to 1251
    kCharsetKoi8 = 3,     // "koi8-r", "koi8-u": the KOI8 table
    // From here on the text is carried as UTF-8.
    kCharsetIso = 4,            // "iso8859-5"
    kCharsetUtf8 = 5,           // "utf-8": kept as it is
    kCharsetWestern = 6,        // "windows-1252", "iso-8859-1", "us-ascii"
    kCharsetCentral = 7,        // "windows-1250"
    kCharsetBaltic = 8,         // "windows-1257"
    kCharsetLatin2 = 9,         // "iso-8859-2"
    kCharsetLatin9 = 10,        // "iso-8859-15"
    kCharsetGreek = 11,         // "iso-8859-7"
    kCharsetGreekWindows = 12,  // "windows-1253"
    kCharsetTurkish = 13,       // "iso-8859-9", "windows-1254"
    kCharsetBalticIso = 14,     // "iso-8859-13"
    kCharsetLatin4 = 15,        // "iso-8859-4"
    kCharsetUtf16Le = 16,       // "utf-16le", "utf-16" (and a byte order mark)
    kCharsetUtf16Be = 17,       // "utf-16be" (and a byte order mark)
    kCharsetCodeCount = 18,
};

// The code of a charset name (without regard to case); 0 for unknown names.
int CharsetCode(const char* name);

// Whether text in this encoding is carried as UTF-8 (every known code but
// 0 to 3, the working code page and its Cyrillic relatives).
bool CarriedAsUtf8(int code);
// The Windows code page number of a code carried as UTF-8; 0 for others.
unsigned CharsetCodePage(int code);
// Appends the UTF-8 form of n bytes in the encoding `code` to out (UTF-8
// is copied, malformed bytes and all). False when the code is not carried as
// UTF-8 or the platform cannot convert it.
bool CharsetToUtf8(int code, const char* bytes, size_t n, std::string* out);

// Reads a Content-Type value such as `text/html; charset="koi8-r"`. Every
// output may be null. The media type and charset name are emptied and the
// code set to 0 first; the boundary is only set when the value names one.
void ParseContentType(const char* value, AStr* mediaType, int* code, AStr* charsetName,
                      AStr* boundary);

// KOI8 to 1251, `length` bytes; source and target may be the same buffer.
void KoiToWin(const char* source, char* target, size_t length);
unsigned char KoiToWin(unsigned char c);

// Code page 866 to 1251 (what the OEM-to-ANSI conversion does on a Russian
// system), by the system's own table; source and target may be the same.
void OemToAnsi(const char* source, char* target, size_t length);
unsigned char OemToAnsi(unsigned char c);

// Brings text written in the encoding `code` into the working code page in
// place: code 2 by OemToAnsi, code 3 by KoiToWin, any other code unchanged.
void ConvertCharset(int code, char* text, size_t length);
// The same for a string, which codes carried as UTF-8 turn into UTF-8.
void ConvertCharset(int code, AStr& text);
void ConvertCharset(int code, FixedText& text);
