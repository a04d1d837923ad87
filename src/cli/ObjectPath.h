#pragma once
// Objects named on the command line: the display names from the top level
// joined by "/" ("News/Weather report"), or "#N", the N-th object of the
// watch list in pre-order counting from 1. "/" alone (or an empty text)
// names the top level where a folder is expected.
#include <string>

class ItemList;
class ItemNode;

// The object; a bad-input error when there is none or the name is ambiguous.
ItemNode& FindObject(ItemList& list, const std::string& path);
// A folder or the top level (the list itself) for "--in".
ItemNode& FindFolder(ItemList& list, const std::string& path);
// The path of an object as FindObject takes it (UTF-8); a name that is an
// address with a password shows "***" in its place.
std::string ObjectPath(const ItemNode& object);
// The pre-order number of an object ("#N"), 0 for the root.
long ObjectNumber(const ItemNode& object);
