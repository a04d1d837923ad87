#pragma once
// The files of the "USER" folder that belong to objects: each page, mailbox
// and frame with a copy number n has the stored copy "OV%06d.HTM" of n - 1
// and the temporary download of the same stem with ".TMP".
#include <cstdint>
#include <string>

class ItemList;
class ItemNode;
class _HtmlFrameNode;

std::string StoredCopyName(uint16_t copyNumber);
std::string StoredCopyPath(const std::string& userFolder, uint16_t copyNumber);
std::string TempFilePath(const std::string& userFolder, uint16_t copyNumber);
// By the frame's number when a frame is given, else by the object's.
std::string StoredCopyPath(const ItemList& list, const ItemNode& object,
                           const _HtmlFrameNode* frame);
std::string TempFilePath(const ItemList& list, const ItemNode& object, const _HtmlFrameNode* frame);

// Records the character set in the frame (or the object) and makes the
// temporary download its stored copy, replacing the old one. Failures are
// silent: the start-up clean-up removes what is left behind.
void StoreCopy(const ItemList& list, ItemNode& object, _HtmlFrameNode* frame, const char* tempPath,
               uint8_t charset);
// Deletes the stored copy and temporary file of a page or mailbox and of
// every frame of it that has a copy number.
void DeleteObjectFiles(const ItemList& list, const ItemNode& object);
// At start: deletes every "OV0*.HTM" that is no live object's or frame's
// stored copy, and every "OV0*.TMP".
void CleanUpUserFolder(const ItemList& list);
