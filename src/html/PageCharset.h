#pragma once
// Which encoding a page is read in, decided from its bytes before the
// document is built: a byte order mark, the code the caller knows, a
// `meta` declaration near the top, or UTF-8 that is well formed throughout
// and not plain ASCII.
// Pages left undecided go the Cyrillic way (1251, 866 or KOI8 as the
// document builder finds).
#include <cstddef>
#include <string>

class iwstream;

// The `meta` declaration among the first `limit` bytes: `<meta charset=..>`
// or an http-equiv Content-Type with a charset; 0 when none names a known
// encoding. The first one found counts.
int PrescanMetaCharset(const char* bytes, size_t n, size_t limit = 8192);

// The code a page of n bytes is read in; 0 leaves it to the document
// builder's Cyrillic choice. *skip is set to the length of a byte order
// mark to drop.
int ChoosePageCharset(const char* bytes, size_t n, int givenCode, size_t* skip);

// Appends the rest of the stream to page; false when a read fails before
// its end. `expected`, the size the caller knows (a file's), lets the page
// be read in one go.
bool ReadRest(iwstream& in, std::string* page, size_t expected = 0);
