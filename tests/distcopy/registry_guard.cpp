#include "registry_guard.h"

#include "distcopy/copy_plan.h"
#include "distcopy/setup_registry.h"

namespace {

std::optional<std::vector<BYTE>> ReadRaw(const std::string& key, const std::string& name,
                                         DWORD* type) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD size = 0;
  std::optional<std::vector<BYTE>> data;
  if (RegQueryValueExA(handle, name.c_str(), nullptr, type, nullptr, &size) == ERROR_SUCCESS) {
    data.emplace(size);
    RegQueryValueExA(handle, name.c_str(), nullptr, type, data->data(), &size);
  }
  RegCloseKey(handle);
  return data;
}

}  // namespace

SetupRegistryGuard::SetupRegistryGuard() {
  HKEY probe = nullptr;
  setup_key_existed_ =
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSetupKey, 0, KEY_READ, &probe) == ERROR_SUCCESS;
  if (probe) RegCloseKey(probe);
  for (const auto& [key, name] : {std::pair<std::string, std::string>{kSetupKey, "SourcePath"},
                                  {kSetupKey, "ServicePackSourcePath"},
                                  {kWindowsNtKey, "SourcePath"}}) {
    SavedValue value{key, name, std::nullopt, REG_SZ};
    value.data = ReadRaw(key, name, &value.type);
    saved_.push_back(std::move(value));
  }
}

SetupRegistryGuard::~SetupRegistryGuard() {
  for (const SavedValue& value : saved_) {
    if (value.data) {
      SetMachineValue(value.key, value.name, value.type, value.data->data(),
                      static_cast<DWORD>(value.data->size()));
    } else {
      HKEY handle = nullptr;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, value.key.c_str(), 0, KEY_ALL_ACCESS, &handle) ==
          ERROR_SUCCESS) {
        RegDeleteValueA(handle, value.name.c_str());
        RegCloseKey(handle);
      }
    }
  }
  if (!setup_key_existed_) DeleteMachineKey(kSetupKey);
}

std::optional<std::string> MachineString(const std::string& key, const std::string& name) {
  DWORD type = 0;
  const auto data = ReadRaw(key, name, &type);
  if (!data) return std::nullopt;
  std::string text(data->begin(), data->end());
  return text.substr(0, text.find('\0'));
}

void SetMachineValue(const std::string& key, const std::string& name, DWORD type, const void* data,
                     DWORD size) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &handle, nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
  }
}

void SetMachineString(const std::string& key, const std::string& name, const std::string& value) {
  SetMachineValue(key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void DeleteMachineKey(const std::string& key) { RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str()); }
