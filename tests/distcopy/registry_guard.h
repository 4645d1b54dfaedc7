#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Saves the setup source values of the test prefix's registry and puts them
// back (or removes them, and the SETUP key when it was made) at the end.
class SetupRegistryGuard {
 public:
  SetupRegistryGuard();
  ~SetupRegistryGuard();
  SetupRegistryGuard(const SetupRegistryGuard&) = delete;
  SetupRegistryGuard& operator=(const SetupRegistryGuard&) = delete;

 private:
  struct SavedValue {
    std::string key;
    std::string name;
    std::optional<std::vector<BYTE>> data;
    DWORD type = REG_SZ;
  };
  std::vector<SavedValue> saved_;
  bool setup_key_existed_ = false;
};

// Reads a value of a key under HKEY_LOCAL_MACHINE as text; nullopt when missing.
std::optional<std::string> MachineString(const std::string& key, const std::string& name);
// Writes a value under HKEY_LOCAL_MACHINE, creating the key.
void SetMachineValue(const std::string& key, const std::string& name, DWORD type, const void* data,
                     DWORD size);
void SetMachineString(const std::string& key, const std::string& name, const std::string& value);
// Removes a key (without sub-keys) under HKEY_LOCAL_MACHINE.
void DeleteMachineKey(const std::string& key);
