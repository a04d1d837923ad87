#include "retrieval/UrlCrack.h"

bool CrackCanonicalUrl(const char* url, uint32_t flags, CrackedUrl* parts) {
    AStr canonical;
    return CanonicalizeUrl(url, flags, &canonical) && CrackUrl(canonical.c_str(), parts);
}
