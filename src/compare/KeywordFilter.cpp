#include "compare/KeywordFilter.h"

#include "compare/FindText.h"
#include "compare/KeywordParser.h"
#include "framework/CaseFold.h"
#include "watchlist/ItemNode.h"

namespace {

bool ContainsAny(const StrList& keys, const AStr& text) {
    for (StrNode* k = keys.First(); k; k = k->Next())
        if (FindText(text.c_str(), text.Length(), k->c_str(), k->Length(), false) >= 0) return true;
    return false;
}

}  // namespace

KeywordFilter::KeywordFilter(const ItemProperties& options) : options_(options) {
    ParseKeywords(options.keywords.c_str(), keywords_);
    ParseKeywords(options.skipkeywords.c_str(), skipKeywords_);
}

bool KeywordFilter::AcceptChange(const ChangeNode& change) const {
    if (options_.skipnumchars >= 0 &&
        change.text.Length() < static_cast<size_t>(options_.skipnumchars))
        return false;
    if (!keywords_.IsEmpty()) {
        if (options_.modify == kModeText) {
            if (!ContainsAny(keywords_, change.text)) return false;
        } else if (options_.modify == kModeLinks) {
            if (!ContainsAny(keywords_, change.link)) return false;
        } else {
            return false;
        }
    }
    if (ContainsAny(skipKeywords_, change.text)) return false;
    if (options_.skipchanges) {
        if (change.text.IsEmpty()) return false;
        const AStr& text = change.text;
        if ((options_.skipchanges & 1) && !casefold::HasLetter(text.c_str(), text.Length()))
            return false;
    }
    return true;
}

bool FilterChanges(const ItemProperties& options, CheckNode& check) {
    KeywordFilter filter(options);
    int kept = 0;
    for (ChangeNode* c = check.changes.First(); c;) {
        ChangeNode* next = c->NextChange();
        if (filter.AcceptChange(*c))
            ++kept;
        else
            delete c;  // a node unlinks itself from its list
        c = next;
    }
    if (options.minchanged >= 0 && kept < options.minchanged) return false;
    if (kept == 0 && check.result != 3) return false;
    return true;
}

bool FilterChanges(const ItemNode& object, CheckNode& check) {
    return FilterChanges(object.properties, check);
}
