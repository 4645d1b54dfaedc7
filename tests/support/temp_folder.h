#pragma once

#include <string>

namespace testing_support {

// A fresh, empty folder under the Windows temporary folder, removed with
// everything in it when the object dies.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Path without a trailing backslash.
  const std::string& Path() const { return path_; }
  // Path + "\" + relative.
  std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

 private:
  std::string path_;
};

// Removes a file or folder tree, clearing read-only attributes on the way.
void RemoveTree(const std::string& path);

}  // namespace testing_support
