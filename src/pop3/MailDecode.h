#pragma once
// Header texts of mail: encoded-words (RFC 2047) and character sets.
#include "framework/AStr.h"

// Decodes the encoded-words of one header value (RFC 2047): "B" (Base64)
// and "Q" payloads in either letter case; KOI8 and 1251 words land in the
// working code page, words in any other charset the platform converts in
// UTF-8, words in an unknown charset keep their bytes. White space between
// two encoded-words is dropped, other text kept; a malformed encoded-word
// stays as written. When one piece of the header is UTF-8 the whole header
// becomes UTF-8. `decoded` is set when an encoded-word was decoded and left
// alone otherwise.
AStr DecodeHeaderText(const char* text, bool* decoded);

// A header value without encoded-words, in place: raw UTF-8 (well formed,
// with a multi-byte sequence) stays; with no charset or "koi8-r" the KOI8
// conversion; any other charset the platform knows to UTF-8.
void DecodeRawHeader(AStr& text, const AStr& charset);

// The charset named by a Content-Type value: lower-cased, the text after
// "charset=" (and after an opening double quote) up to a double quote, ";"
// or a space. False, and the charset left alone, when it names none.
bool MailCharset(const char* contentType, AStr* charset);

// Converts a whole text from KOI8 to the working code page in place.
void KoiToCp1251InPlace(AStr& text);
