#pragma once
// Header texts of mail: encoded-words (RFC 2047) and character sets.
#include "framework/AStr.h"

// Decodes the encoded-words of one header value: "B" (Base64) and "Q"
// payloads, KOI8-R ones converted to the working code page, other charsets
// kept as they are. Text between two encoded-words is dropped; an
// encoded-word that is not complete drops the rest of the text. `decoded`
// is set when an encoded-word was decoded and left alone otherwise.
AStr DecodeHeaderText(const char* text, bool* decoded);

// The charset named by a Content-Type value: lower-cased, the text after
// "charset=" (and after an opening double quote) up to a double quote, ";"
// or a space. False, and the charset left alone, when it names none.
bool MailCharset(const char* contentType, AStr* charset);

// Converts a whole text from KOI8 to the working code page in place.
void KoiToCp1251InPlace(AStr& text);
