#include "import/ImportNode.h"

#include <cstring>

#include "pop3/MailboxUrl.h"
#include "watchlist/AddressRules.h"
#include "watchlist/ItemNode.h"

AStr CutAtFragment(const AStr& address) {
    const char* text = address.c_str();
    const char* hash = std::strchr(text, '#');
    return hash ? AStr(text, static_cast<size_t>(hash - text)) : address;
}

ImportNode::ImportNode(const ItemProperties& defaults, const AStr& name, const AStr& address)
    : properties(defaults) {
    properties.name = name;
    properties.address = CutAtFragment(address);
}

std::unique_ptr<ImportNode> ImportNode::Copy(bool withSubtree) const {
    auto copy = std::make_unique<ImportNode>();
    copy->properties = properties;
    copy->hasProperties = hasProperties;
    copy->excluded = excluded;
    copy->noAddress = noAddress;
    if (withSubtree)
        for (const ImportNode* child = FirstEntry(); child; child = child->NextEntry())
            copy->Append(child->Copy(true).release());
    return copy;
}

bool ImportNode::HoldsProtected() const {
    for (const ImportNode* e = this; e; e = e->NextInTree(this))
        if (e->sourceObject && (e->sourceObject->properties.flags & kFlagProtected)) return true;
    return false;
}

AStr ImportNode::Text() const {
    if (!properties.name.IsEmpty()) return properties.name;
    MailboxAddress mailbox;
    if (IsMailboxAddress(properties.address.c_str()) &&
        CrackMailboxUrl(properties.address.c_str(), &mailbox))
        return mailbox.host;
    return properties.address;
}
