#pragma once

#include <string>

// The prefix's system folder.
std::string SystemFolder();

// Tarnix.ini in the system folder as a test wants it (present with some
// content, or absent), put back as it was afterwards.
class TarnixIniGuard {
 public:
  explicit TarnixIniGuard(const char* content);
  ~TarnixIniGuard();
  TarnixIniGuard(const TarnixIniGuard&) = delete;
  TarnixIniGuard& operator=(const TarnixIniGuard&) = delete;

  const std::string& Path() const { return path_; }
  std::string Read(const char* section, const char* key) const;

 private:
  std::string path_;
  bool existed_ = false;
  std::string saved_;
};
