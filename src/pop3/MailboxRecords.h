#pragma once
// The record file of a mailbox check, which becomes the mailbox's stored
// copy: for every message in listing order three strings, the display text
// (empty for messages seen before), the sender and the unique id. No header,
// no count.
#include <cstdint>

#include "framework/AStr.h"
#include "framework/StrList.h"
#include "pop3/Pop3Check.h"

class iwstream;
class owstream;

// The Date header as the user reads it: the local date, ",  " and the local
// time with seconds in the given locale's formats; the raw text when it does
// not parse.
AStr MailDateText(const char* rawDate, uint32_t locale);
// From, a line feed, Subject, a line feed (each line only when its text is
// not empty), then the date text.
AStr MailDisplayText(const EMail& mail, uint32_t locale);
// Return-Path, or From when Return-Path is empty, or holds no "@" while From
// does; of a text with "<" and a later ">" only the part between them.
AStr MailSender(const EMail& mail);

// Writes one record per message; 0, or -1 when the stream failed.
int WriteMailboxRecords(owstream& out, const EMailList& messages, uint32_t locale);
// Appends the unique id of every complete record to ids.
void ReadKnownIds(iwstream& in, StrList& ids);
