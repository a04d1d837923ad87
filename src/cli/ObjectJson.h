#pragma once
// Objects, frames and checks as JSON documents: the stable form for
// scripts, and the source of the plain-text views.
#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>

#include "framework/AStr.h"

class ItemNode;
class CheckNode;
class _HtmlFrameNode;

using Json = nlohmann::ordered_json;

struct ObjectJsonOptions {
    bool runState = false;     // add path, state, lastError, detail and checks (list, show)
    bool maskPassword = true;  // a mailbox or page password shown as "***"
    bool children = true;      // the subtree under "children"
};

Json ObjectToJson(const ItemNode& object, const ObjectJsonOptions& options);
// null for a page without frames.
Json FramesToJson(const _HtmlFrameNode* root);
// A check with its changes; `owner` is the owning object's path.
Json CheckToJson(const CheckNode& check, const std::string& owner);
// "folder", "page" or "mailbox".
const char* KindName(const ItemNode& object);
// A mailbox or page address with its password replaced by "***"; any other
// text as it is.
AStr MaskedAddress(const AStr& address);
// "plain", "STLS" or "TLS" for a connection's security; null when unknown.
const char* MailSecurityName(uint8_t security);
// The security a mailbox's next check will ask for: TLS from the first
// byte, or STLS as the program option says.
std::string MailSecurityPlan(const ItemNode& mailbox, int32_t stlsMode);
// One change ({"text", "link"}) as the result pane shows it: the text, a
// link-only change as url="link"; a text with a link gets it in <...>.
std::string ChangeLine(const Json& change);
// A text document as UTF-8 JSON (invalid bytes cannot occur: every text is
// converted on the way in, but are replaced if they do).
std::string JsonText(const Json& document);
