#pragma once

#include <string>

#include "support/temp_folder.h"

// The Wine drive letter E: mapped to a fresh temporary folder (a symbolic
// link in the prefix's dosdevices) for the object's life.
class DriveMapping {
 public:
  DriveMapping();
  ~DriveMapping();
  DriveMapping(const DriveMapping&) = delete;
  DriveMapping& operator=(const DriveMapping&) = delete;

  // False when the letter was taken already or the link could not be made.
  bool Mapped() const { return mapped_; }
  // The folder behind the letter, as a path on C:.
  const std::string& Folder() const { return folder_.Path(); }

 private:
  testing_support::TempFolder folder_;
  bool linked_ = false;
  bool mapped_ = false;
};
