#pragma once
// The change filter of a watched object: keywords a change must contain,
// skip keywords it must not contain, a least length, letters required, and
// a least number of changes for the check to stand.
#include "framework/StrList.h"
#include "watchlist/CheckNode.h"
#include "watchlist/ItemProperties.h"

class ItemNode;

class KeywordFilter {
  public:
    // Builds both keyword lists from the object's option texts.
    explicit KeywordFilter(const ItemProperties& options);

    // Whether one new-text record passes the object's options.
    bool AcceptChange(const ChangeNode& change) const;

    const StrList& Keywords() const { return keywords_; }
    const StrList& SkipKeywords() const { return skipKeywords_; }

  private:
    StrList keywords_;
    StrList skipKeywords_;
    const ItemProperties& options_;
};

// Drops the records of the check that the object's filter refuses; true when
// the check still counts as a change.
bool FilterChanges(const ItemProperties& options, CheckNode& check);
bool FilterChanges(const ItemNode& object, CheckNode& check);
