#pragma once

#include <cstddef>
#include <string>

#include "support/temp_folder.h"

namespace testing_support {

// A file system mounted on a fresh folder for the object's life and given a
// Wine drive letter: a tmpfs of a few kilobytes (a disk that fills up) or a
// read-only view of a folder (a CD). Needs root; when the mount or the letter
// is refused, Mounted() is false and Refusal() says why. The destructor
// unmounts and unmaps whatever it made, also after a failed assertion.
class ScopedMount {
 public:
  static constexpr struct SmallDisk {
  } kSmallDisk{};
  static constexpr struct ReadOnlyView {
  } kReadOnlyView{};

  ScopedMount(SmallDisk, char letter, std::size_t kilobytes);
  // A small disk over an existing folder (no drive letter).
  ScopedMount(SmallDisk, const std::string& folder, std::size_t kilobytes);
  ScopedMount(ReadOnlyView, char letter, const std::string& folder);
  ~ScopedMount();
  ScopedMount(const ScopedMount&) = delete;
  ScopedMount& operator=(const ScopedMount&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Refusal() const { return refusal_; }
  // "X:" for the letter X.
  std::string Drive() const { return std::string(1, letter_) + ":"; }

 private:
  void MountWithLetter(const std::string& mount_commands);
  bool MountOn(const std::string& unix_folder, const std::string& mount_commands);

  char letter_;
  TempFolder base_;
  std::string mount_point_;  // Unix path; empty until mounted
  bool mounted_ = false;
  bool linked_ = false;
  std::string refusal_;
};

}  // namespace testing_support
