#pragma once
// Persistence of lists: a 2-byte count of the nodes that take part, then
// each node's own record. Reading makes each node through a factory, which
// may itself read from the stream (a type tag) for lists of mixed kinds.
#include <functional>

#include "framework/List.h"
#include "stream/WStream.h"

// Returns 0, or -1 when the stream is in error.
int SaveList(owstream& os, const List& list);

// Makes the next node, or null to stop (bad tag, or the stream in error).
using NodeFactory = std::function<Node*(iwstream&)>;
// Appends the nodes read; a node whose record fails is destroyed and reading
// stops, keeping the nodes read so far. Returns the count read, or -1 when
// the list could not be read whole.
long LoadList(iwstream& is, List& list, int version, const NodeFactory& make);
