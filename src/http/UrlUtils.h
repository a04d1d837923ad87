#pragma once
// Small URL utilities used wherever addresses are typed, joined or compared.
#include <cstdint>

#include "framework/AStr.h"

// A typed address made into a URL: "http://" before a text whose scheme is
// unknown, "file://" before a local path (when file paths are allowed and
// the text does not begin with "file:"), and backslashes turned into slashes
// up to the first "?" (a query keeps its own).
AStr NormalizeUrl(const char* text, bool allowFile);

// A relative URL resolved against a base (flags: canonicalisation flags,
// browser mode is always added). A result holding "../" loses it: one such
// step is dropped, and of two in a row only the first. *result is set
// whether or not the join succeeded; returns its success.
bool CombineUrl(const char* base, const char* relative, uint32_t flags, AStr* result);

// The part before the first "#" (the whole URL when there is none) and the
// fragment from the "#" on (empty when there is none). Either may be null.
void SplitFragment(const char* url, AStr* before, AStr* fragment);

// Equal byte for byte, or equal but for one more trailing "/" on one side.
bool SameUrl(const char* a, const char* b);
