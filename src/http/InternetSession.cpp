#include "http/InternetSession.h"

#include "http/UrlCrack.h"
#include "stream/FileStream.h"

wstreambuf* CInternetSession::OpenUrl(const char* url, uint32_t context, uint32_t flags,
                                      const char* headers, long headersLength) {
    if (context == 1) context = context_;
    CrackedUrl parts;
    bool cracked = CrackCanonicalUrl(url, kIcuBrowserMode, &parts);
    if (cracked && parts.service == kServiceFile)
        return new ifwstreambuf(parts.path.c_str(), false);
    if (!proxyUser_.IsEmpty()) flags |= kFlagKeepConnection;
    return OpenNetworkUrl(url, cracked ? parts.service : 0, context, flags, headers, headersLength);
}

void CInternetSession::SetProxyCredentials(const char* user, const char* password) {
    proxyUser_ = user;
    proxyPassword_ = password;
}
