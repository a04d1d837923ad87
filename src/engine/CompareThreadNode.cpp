#include "engine/CompareThreadNode.h"

#include "compare/HtmlComparator.h"

CompareThreadNode::CompareThreadNode(std::shared_ptr<platform::ReportTarget> report, const char* oldFile,
                                     const char* newFile, const char* oldAddress, const char* newAddress,
                                     int32_t oldCharset, int32_t newCharset, const ItemProperties& properties,
                                     ItemNode* object)
    : Thread(std::move(report)),
      oldFile(oldFile),
      oldAddress(oldAddress),
      oldCharset(oldCharset),
      newFile(newFile),
      newAddress(newAddress),
      newCharset(newCharset),
      mode(properties.modify),
      joinTableRows((properties.flags & kFlagTables) != 0),
      object(object) {}

int32_t CompareThreadNode::Run() {
    result = ComparePageCopies(oldFile.c_str(), newFile.c_str(), oldAddress.c_str(), newAddress.c_str(), oldCharset,
                               newCharset, mode, &changes, joinTableRows);
    PostEnd(kCompareThreadKind);
    return 0;
}
