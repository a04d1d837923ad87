#pragma once
// Files of the program directory are never rewritten in place. Each is
// written whole as "<name>.new" beside the old one, flushed to the disk and
// renamed over it, so that a crash, a full disk or a reader at any moment
// finds either the old file or the new one, whole. Results are Windows error
// numbers (0 for none).
#include <cstdint>
#include <functional>
#include <string>

class owstream;

// Writes a file's content; 0, or non-zero when it failed.
using FileFiller = std::function<int(owstream&)>;

// "<path>.new": the replacement being written.
std::string ReplacementPath(const std::string& path);

// Writes the new content beside `path` and puts it on the disk. On failure
// the replacement is removed, `path` is untouched and the error returned.
// ownerOnly: only the owner may read the file (it holds passwords).
uint32_t WriteReplacement(const std::string& path, const FileFiller& fill, bool ownerOnly);
// Renames the written replacement over `path`.
uint32_t CommitReplacement(const std::string& path);
void DiscardReplacement(const std::string& path);

// WriteReplacement and CommitReplacement in one.
uint32_t SaveFileWhole(const std::string& path, const FileFiller& fill, bool ownerOnly);
// Copies `from` to `to` through a replacement of `to`: the old `to` stays
// until the copy is whole on the disk.
uint32_t CopyFileWhole(const std::string& from, const std::string& to, bool ownerOnly);
