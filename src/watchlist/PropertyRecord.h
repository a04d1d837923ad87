#pragma once
// The properties record of an object in the watch list file, also carried
// by the import dialog's own stream.
#include "watchlist/ItemProperties.h"

class iwstream;
class owstream;

// 0, or -1 when the stream failed.
int SaveProperties(owstream& os, const ItemProperties& p);
// Reads the record in the layout of a file version; -1 when it is cut short.
int LoadProperties(iwstream& is, ItemProperties& p, int version);
