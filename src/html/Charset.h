#pragma once
// Character sets: the small codes by which the system names the encodings of
// pages and mail, the Content-Type parser, and conversion into the working
// code page 1251.
#include <cstddef>

#include "framework/AStr.h"

enum CharsetCodes : int {
    kCharsetUnknown = 0,  // not declared; no conversion
    kCharsetWindows = 1,  // "windows-1251", "windows-1252"; no conversion
    kCharsetDos = 2,      // "ibm866": code page 866 to 1251
    kCharsetKoi8 = 3,     // "koi8-r", "koi8-u": the KOI8 table
    kCharsetIso = 4,      // "iso8859-5"; no conversion
};

// The code of a charset name (without regard to case); 0 for unknown names.
int CharsetCode(const char* name);

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
void ConvertCharset(int code, AStr& text);
