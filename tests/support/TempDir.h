#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include <string>

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // The path of a file inside the folder.
    std::string File(const std::string& name) const;
    // Writes bytes to a file inside the folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    // The whole contents of a file ("" when it cannot be read).
    static std::string Read(const std::string& path);

  private:
    std::string path_;
};
