#pragma once
// Large watch lists for the benchmarks: objects in folders of 100, each
// filled by the caller, with change logs of a chosen size.
#include <memory>

#include "watchlist/ItemList.h"

// `objects` objects in folders of 100; fillPage(page, i) sets up the i-th.
template <class FillPage>
std::unique_ptr<ItemList> MakeFolderedList(long objects, FillPage fillPage) {
    auto list = std::make_unique<ItemList>();
    ItemNode* folder = nullptr;
    for (long i = 0; i < objects; ++i) {
        if (i % 100 == 0) {
            folder = new ItemNode;
            folder->properties.name = AStr::Format("Folder %ld", i / 100);
            list->Append(folder);
        }
        auto* page = new ItemNode;
        fillPage(*page, i);
        folder->Append(page);
    }
    return list;
}

// Gives `page` `checks` successful checks, check c made at timeOf(c), each
// with `changes` records of the same text and link.
template <class TimeOf>
void AddChangeLog(ItemNode& page, int checks, int changes, TimeOf timeOf, const char* text,
                  const char* link) {
    for (int c = 0; c < checks; ++c) {
        auto* check = new CheckNode(timeOf(c));
        check->result = 1;
        for (int k = 0; k < changes; ++k) check->changes.Append(new ChangeNode(text, link));
        page.checks.Append(check);
    }
}
