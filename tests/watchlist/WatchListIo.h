#pragma once
// Watch lists and change logs through memory streams.
#include <string>

#include "retrieval/memstream.h"
#include "watchlist/ItemList.h"

inline int LoadWatchList(ItemList& list, const std::string& bytes) {
    imwstream in(bytes.data(), static_cast<long>(bytes.size()));
    return list.Load(in);
}

inline int LoadChanges(ItemList& list, const std::string& bytes) {
    imwstream in(bytes.data(), static_cast<long>(bytes.size()));
    return list.LoadChangeLog(in);
}

inline std::string SavedWatchList(const ItemList& list) {
    omwstream out;
    list.Save(out);
    return std::string(out.Data() ? out.Data() : "", static_cast<size_t>(out.Size()));
}

inline std::string SavedChanges(const ItemList& list) {
    omwstream out;
    list.SaveChangeLog(out);
    return std::string(out.Data() ? out.Data() : "", static_cast<size_t>(out.Size()));
}

// The n-th top-level object (0-based) and the n-th child of an object.
inline ItemNode* Top(const ItemList& list, size_t n) { return static_cast<ItemNode*>(list.At(n)); }
inline ItemNode* Child(const ItemNode& node, size_t n) { return static_cast<ItemNode*>(node.At(n)); }
