#pragma once
// A news-tape folder's aggregated check list: copies of the checks of every
// object below it, newest first, each remembering its owner; the changes of
// a copy are those of its source record, found by owner and time.
#include <functional>

class CheckNode;
class ItemNode;

using CheckDropped = std::function<void(CheckNode&)>;

// Merges copies of the descendants' checks not yet present (same owner and
// time) into the folder's list by time, newest first (a new copy after the
// present ones of the same time), and removes copies whose source is gone
// or whose owner is no longer below the folder. `dropped` sees each copy
// before it is deleted.
void MergeNewsTape(ItemNode& folder, const CheckDropped& dropped = nullptr);
// Deletes every aggregated copy of the folder's list.
void EmptyNewsTape(ItemNode& folder, const CheckDropped& dropped = nullptr);
// The record a copy was made from, or null (also for an original record).
CheckNode* SourceOf(const CheckNode& copy);
