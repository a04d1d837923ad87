#pragma once
// Watch lists and change logs through memory streams, and small trees.
#include <string>

#include "stream/MemStream.h"
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
inline ItemNode* Top(const ItemList& list, size_t n) {
    return static_cast<ItemNode*>(list.At(n));
}
inline ItemNode* Child(const ItemNode& node, size_t n) {
    return static_cast<ItemNode*>(node.At(n));
}

// A page (or, with an empty address, a folder) appended to a parent.
inline ItemNode* AddPage(ItemNode& parent, uint16_t copy,
                         const char* address = "http://a.example/") {
    auto* n = new ItemNode;
    n->properties.address = address;
    n->copyNumber = copy;
    parent.Append(n);
    return n;
}

// A frame appended to a frame tree node.
inline _HtmlFrameNode* AddFrame(_HtmlFrameNode& parent, uint16_t copy, const char* address) {
    auto* f = new _HtmlFrameNode;
    f->copyNumber = copy;
    f->address = address;
    parent.Append(f);
    return f;
}

// A page with a frame tree of one frame.
inline _HtmlFrameNode* AddFramedPage(ItemNode& parent, uint16_t copy, uint16_t frameCopy) {
    ItemNode* page = AddPage(parent, copy);
    page->frames.reset(new _HtmlFrameNode);
    return AddFrame(*page->frames, frameCopy, "http://a.example/frame");
}
