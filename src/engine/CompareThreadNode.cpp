#include "engine/CompareThreadNode.h"

#include <new>

#include "compare/HtmlComparator.h"
#include "platform/Files.h"

CompareThreadNode::CompareThreadNode(std::shared_ptr<platform::ReportTarget> report,
                                     std::string oldFile, std::string newFile,
                                     const char* oldAddress, const char* newAddress,
                                     int32_t oldCharset, int32_t newCharset,
                                     const ItemProperties& properties, ItemNode* object)
    : Thread(std::move(report)),
      oldFile(std::move(oldFile)),
      oldAddress(oldAddress),
      oldCharset(oldCharset),
      newFile(std::move(newFile)),
      newAddress(newAddress),
      newCharset(newCharset),
      mode(properties.modify),
      joinTableRows((properties.flags & kFlagTables) != 0),
      object(object) {}

int32_t CompareThreadNode::Run() {
    // Memory is the one thing a hostile page can still exhaust: the check
    // fails, the run and every other check go on.
    try {
        PageComparison what;
        what.oldCopy = {oldFile.c_str(), oldAddress.c_str(), oldCharset};
        what.newCopy = {newFile.c_str(), newAddress.c_str(), newCharset};
        what.mode = mode;
        what.joinTableRows = joinTableRows;
        result = ComparePageCopies(what, &changes);
    } catch (const std::bad_alloc&) {
        changes.Clear();
        result = 0;
        error = static_cast<int32_t>(platform::kErrNotEnoughMemory);
    }
    PostEnd(kCompareThreadKind);
    return 0;
}
