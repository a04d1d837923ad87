#pragma once
// Settings files ("name=value" lines in "[section]"s). Windows reads and
// writes them with its private profile functions; the portable build has a
// reader and writer of its own that behave the same way: section and key
// names match without regard to case, surrounding blanks and one pair of
// surrounding quotes are removed from a value, a missing file or key gives
// the default, and a write changes only the line it is about.
#include <cstdint>
#include <string>

#include "framework/AStr.h"
#include "framework/StrList.h"

namespace platform {

class ProfileFile {
  public:
    explicit ProfileFile(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

    // The value of a key, or `def` when the file, the section or the key is
    // missing. Values of any length are read whole.
    AStr ReadText(const char* section, const char* key, const char* def) const;
    // Whether the key is present at all.
    bool HasKey(const char* section, const char* key) const;
    // A signed decimal with optional blanks and sign in front; text that is
    // not a number reads as 0, a missing key gives `def`.
    long ReadInt(const char* section, const char* key, long def) const;
    // An unsigned 32-bit number through its decimal text ("-1" wraps to
    // 0xFFFFFFFF); a missing key gives `def`.
    uint32_t ReadNumber(const char* section, const char* key, uint32_t def) const;

    // Each returns false when the file could not be written.
    bool WriteText(const char* section, const char* key, const char* value) const;
    bool WriteSigned(const char* section, const char* key, long value) const;
    bool WriteUnsigned(const char* section, const char* key, unsigned long value) const;
    bool DeleteKey(const char* section, const char* key) const;
    // Deletes every section of that name (a hand-edited file may repeat one).
    bool DeleteSection(const char* section) const;

    // A list kept as "count" and the keys "0", "1", ...; a value that the
    // quote removal would change is written inside an extra pair of quotes,
    // so that every entry reads back as it was written. Writing replaces the
    // whole section and writes "count" only for a list that is not empty.
    void ReadList(const char* section, StrList& list) const;
    bool WriteList(const char* section, const StrList& list) const;

  private:
    // The two primitives each platform provides: a value with a default, and
    // a write (a null value deletes the key, a null key the whole section).
    AStr Read(const char* section, const char* key, const char* def) const;
    bool Write(const char* section, const char* key, const char* value) const;
    // Whether a section of that name holds any key.
    bool SectionHasKeys(const char* section) const;

    std::string path_;
};

// The settings file of the running program: on Windows the executable's
// name with the extension ".INI", elsewhere "ovisto.ini", both in the
// program's folder.
std::string ProgramProfilePath();

}  // namespace platform
