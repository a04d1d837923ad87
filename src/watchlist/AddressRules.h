#pragma once
// What the watch list needs to know about addresses.
#include "framework/AStr.h"

// The "mailto:" prefix of a mailbox address, compared exactly.
bool IsMailboxAddress(const char* address);
// The server of a mailbox address ("mailto:" user ":" password "@" host ":" port).
AStr MailboxHost(const char* address);
// Addresses of watch lists older than version 6 were kept as typed: they
// are made into URLs by the typed-address rule.
AStr NormalizeOldAddress(const char* address);
