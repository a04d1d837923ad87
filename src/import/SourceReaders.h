#pragma once
// The readers of the outside sources of the import dialog. Each appends
// entries below `into`; the new entries get the defaults as properties
// unless they carry their own.
#include <cstdint>
#include <functional>
#include <string>

#include "import/ImportNode.h"

class iwstream;

// Every subfolder becomes a folder entry (also when empty) scanned the same
// way; every "*.url" file an entry named after the file, whose address is
// the value "URL" of section "InternetShortcut" (at most 1024 characters).
void ScanShortcutFolder(const std::string& folder, ImportNode& into,
                        const ItemProperties& defaults);

// Every object of a watch list stream becomes an entry with its properties,
// its address cut at "#". False (nothing appended) when the stream is not
// a whole watch list.
bool ReadExportFile(iwstream& in, ImportNode& into);

// Reads the next block of a page into buffer; the count read, 0 at the end,
// -1 on an error (with the system's error code in *error).
using BlockReader = std::function<long(char* buffer, long capacity, uint32_t* error)>;
// Every "HTTP://" (without regard to case) starts a link that runs to the
// next blank, quote, comma, line break or tab; a link whose text is already
// the name of a top-level entry is skipped. 0, or the system's error code of
// a failed read (the links found before it stay).
uint32_t ExtractPageLinks(const BlockReader& read, ImportNode& into, const ItemProperties& defaults,
                          long bufferSize = 64512);

// The tree file of the sibling tool: the root record fills `into` and its
// children become entries; addresses are the names from the root down
// joined by "/"; excluded entries lose their address, and entries left with
// neither address nor children go. False when the header, a read or a record
// fails (nothing is appended then).
bool ReadTrovikTree(iwstream& in, ImportNode& into, const ItemProperties& defaults);
