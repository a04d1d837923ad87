#pragma once
// The address of a mailbox: "mailto:" user ":" password "@" host ":" port,
// and "/tls" after the port for a server that speaks TLS from the first
// byte on a port other than 995. An "@" of the user name is stored as the
// byte 7, so that the address splits cleanly; the password stands in plain
// text.
#include <cstdint>

#include "framework/AStr.h"

struct MailboxAddress {
    AStr host;
    uint16_t port = 0;  // 0 when the address has none (or an unreadable one)
    AStr user;          // with its "@"s back
    AStr password;
    bool tls = false;  // "/tls": TLS from the first byte
};

// False when the text does not begin with "mailto:".
bool CrackMailboxUrl(const char* url, MailboxAddress* address);
// The address form; a port of 0 (or out of range) is written as 110.
AStr MakeMailboxUrl(const char* host, long port, const char* user, const char* password,
                    bool tls = false);
