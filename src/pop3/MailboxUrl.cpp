#include "pop3/MailboxUrl.h"

#include <cstring>

#include "framework/Cp1251.h"
#include "pop3/Pop3Check.h"

namespace {
const char kScheme[] = "mailto:";
const size_t kSchemeLength = sizeof kScheme - 1;
const char kStoredAt = 7;  // an "@" of the user name, as stored
const char kTlsMark[] = "/tls";
}  // namespace

bool CrackMailboxUrl(const char* url, MailboxAddress* address) {
    *address = MailboxAddress();
    if (!url || strncmp(url, kScheme, kSchemeLength) != 0) return false;
    const char* rest = url + kSchemeLength;

    // The credentials end at the last "@", so a password may hold one.
    const char* at = strrchr(rest, '@');
    const char* server = rest;
    if (at) {
        const char* colon =
            static_cast<const char*>(memchr(rest, ':', static_cast<size_t>(at - rest)));
        const char* userEnd = colon ? colon : at;
        address->user.Assign(rest, static_cast<size_t>(userEnd - rest));
        if (colon) address->password.Assign(colon + 1, static_cast<size_t>(at - colon - 1));
        server = at + 1;
        if (char* u = address->user.Data())
            for (; *u; ++u)
                if (*u == kStoredAt) *u = '@';
    }

    const size_t serverLength = strcspn(server, "/");
    const char* colon = static_cast<const char*>(memchr(server, ':', serverLength));
    address->host.Assign(server,
                         static_cast<size_t>((colon ? colon : server + serverLength) - server));
    if (colon) {
        unsigned long port = 0;
        const char* p = colon + 1;
        for (; p < server + serverLength && *p >= '0' && *p <= '9'; ++p)
            if (port <= 65535) port = port * 10 + static_cast<unsigned long>(*p - '0');
        const bool readable = p == server + serverLength && p > colon + 1 && port <= 65535;
        address->port = readable ? static_cast<uint16_t>(port) : 0;
    }
    address->tls = cp1251::CompareNoCase(server + serverLength, kTlsMark) == 0;
    return true;
}

AStr MakeMailboxUrl(const char* host, long port, const char* user, const char* password, bool tls) {
    AStr url(kScheme);
    AStr storedUser(user);
    if (char* u = storedUser.Data())
        for (; *u; ++u)
            if (*u == '@') *u = kStoredAt;
    if (port <= 0 || port > 65535) port = kPop3DefaultPort;
    url += storedUser;
    url += ":";
    url += password ? password : "";
    url += "@";
    url += host ? host : "";
    url += AStr::Format(":%ld", port).c_str();
    if (tls) url += kTlsMark;
    return url;
}
