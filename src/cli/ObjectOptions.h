#pragma once
// The object options of add, add-mailbox and edit, applied to a copy of an
// object's properties. Each switch has a "--no-" form to clear it again.
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "watchlist/ItemProperties.h"

// The options every object command takes (and "--in").
std::vector<OptionSpec> ObjectOptionSpecs();
// The mailbox address options: --server, --port, --user, --password.
std::vector<OptionSpec> MailboxOptionSpecs();

// Applies every given option; bad values are bad-input errors. A folder
// takes only the options that mean something for a folder.
void ApplyObjectOptions(const Arguments& args, bool folder, ItemProperties& p);
// The mailbox address from the mailbox options over `current` (the parts of
// an existing address that are not given stay). A bad-input error when the
// server or the user ends up empty.
AStr MailboxAddressFrom(const Arguments& args, const AStr& current);
