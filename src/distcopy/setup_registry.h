#pragma once

#include "common/errors.h"

#include <string>

// A registry failure nothing recovers from; the program reports it and ends.
class RegistryError : public Error {
 public:
  using Error::Error;
};

// A key under HKEY_LOCAL_MACHINE opened for full access, never created.
// A key that cannot be opened reads as empty and fails every write.
class MachineKey {
 public:
  explicit MachineKey(const std::string& path);
  ~MachineKey();
  MachineKey(const MachineKey&) = delete;
  MachineKey& operator=(const MachineKey&) = delete;

  // The string value, or "" when the key or the value is missing. Throws
  // RegistryError ("Invalid data type for '...'") for a non-string value.
  std::string ReadString(const char* name) const;
  // The value as the log shows it: quoted text, "(none)", or its type. Never throws.
  std::string ValueText(const char* name) const;
  // Writes a REG_SZ value; throws RegistryError ("Failed to set data for '...'").
  void WriteString(const char* name, const std::string& value) const;

 private:
  void* key_ = nullptr;  // HKEY
};
