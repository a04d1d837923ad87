#pragma once
// CompareThreadNode: the comparison of a page's (or frame's) new download
// with its stored copy, on a worker thread. It is a Thread and, through its
// second base, a Node of the engine's queue of waiting comparisons or of
// its list of running ones. It works on copied inputs and its own change
// list; the engine reads the result after the end report (kind 2).
#include <cstdint>
#include <memory>
#include <string>

#include "framework/AStr.h"
#include "framework/List.h"
#include "platform/Thread.h"
#include "watchlist/CheckNode.h"
#include "watchlist/ItemProperties.h"

class ItemNode;
class _HtmlFrameNode;

// The end report's kind for comparisons.
constexpr uintptr_t kCompareThreadKind = 2;

class CompareThreadNode : public platform::Thread, public Node {
  public:
    CompareThreadNode(std::shared_ptr<platform::ReportTarget> report, std::string oldFile,
                      std::string newFile, const char* oldAddress, const char* newAddress,
                      int32_t oldCharset, int32_t newCharset, const ItemProperties& properties,
                      ItemNode* object);

    // The text comparison (in link mode with the links), then the report.
    int32_t Run() override;

    const std::string oldFile;
    const AStr oldAddress;
    const int32_t oldCharset;
    const std::string newFile;
    const AStr newAddress;
    const int32_t newCharset;
    ListOf<ChangeNode> changes;
    const uint8_t mode;        // the object's comparison mode
    const bool joinTableRows;  // flags bit 3
    ItemNode* object;          // none once detached
    _HtmlFrameNode* frame = nullptr;
    // 0 no change, 1 changed, 2 one large insertion, -1 a copy unreadable.
    int32_t result = 0;
    // A comparison that could not be made (memory ran out): the error
    // number; the object's check fails with it and nothing else is touched.
    int32_t error = 0;
};
