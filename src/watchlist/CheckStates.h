#pragma once
// The check states file "OVISTO.STA" beside the change log: what the watch
// list file does not keep of a check but the user must see after a restart.
// One record per page or mailbox whose last check failed or whose stored
// copy carries the server's entity tag: its failure (state, last error,
// detail, since when), the tag, and a mailbox's connection security.
//
// Layout (the system's binary encoding): the header "Ovisto Check States"
// and a zero byte (20 bytes), version u8 (1), u16 record count, then per
// record: u32 position of the object in pre-order (the root is 0), string
// address, i32 state (-1 failed, else 0), i32 last error, i32 detail, u32
// failed since (seconds since 1970 UTC, 0 when not failed), string tag,
// string server reply (a server's own words about the failure); version 2
// adds u8 mail security (the connection a mailbox's last check had, 0 when
// unknown). Version 1 files are still read.
#include "stream/WStream.h"

class ItemList;

constexpr char kCheckStatesHeader[20] = "Ovisto Check States";
constexpr int kCheckStatesVersion = 2;
constexpr int kCheckStatesOldestVersion = 1;

int SaveCheckStates(const ItemList& list, owstream& os);
// Gives each record to the object at its position when the address matches
// there, else to the first page or mailbox with that address; records that
// match nothing are skipped. A foreign header or version reads nothing (-1);
// a record cut short stops the reading, the records before it stay applied.
int LoadCheckStates(ItemList& list, iwstream& is);
