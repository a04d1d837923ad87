#include "watchlist/AddressRules.h"

#include <cstring>

#include "pop3/MailboxUrl.h"
#include "http/UrlUtils.h"

bool IsMailboxAddress(const char* address) {
    return address && std::strncmp(address, "mailto:", 7) == 0;
}

AStr MailboxHost(const char* address) {
    MailboxAddress parts;
    return CrackMailboxUrl(address, &parts) ? parts.host : AStr();
}

AStr NormalizeOldAddress(const char* address) {
    return NormalizeUrl(address, true);
}
