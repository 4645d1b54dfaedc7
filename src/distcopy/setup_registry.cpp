#include <windows.h>

#include "distcopy/setup_registry.h"

#include <vector>

#include "common/run_log_text.h"

MachineKey::MachineKey(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS)
    key_ = key;
}

MachineKey::~MachineKey() {
  if (key_) RegCloseKey(static_cast<HKEY>(key_));
}

std::string MachineKey::ReadString(const char* name) const {
  if (!key_) return std::string();
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(static_cast<HKEY>(key_), name, nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      size == 0) {
    return std::string();
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    throw RegistryError(std::string("Invalid data type for '") + name + "'");
  }
  std::vector<char> data(size + 1, '\0');
  if (RegQueryValueExA(static_cast<HKEY>(key_), name, nullptr, &type,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
    return std::string();
  }
  return std::string(data.data());  // up to the first NUL
}

std::string MachineKey::ValueText(const char* name) const {
  DWORD type = 0;
  DWORD size = 0;
  if (!key_ || RegQueryValueExA(static_cast<HKEY>(key_), name, nullptr, &type, nullptr, &size) !=
                   ERROR_SUCCESS) {
    return "(none)";
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return Concat({"(type ", DecimalText(type), ")"});
  return "'" + ReadString(name) + "'";
}

void MachineKey::WriteString(const char* name, const std::string& value) const {
  const LONG result = key_ ? RegSetValueExA(static_cast<HKEY>(key_), name, 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(value.c_str()),
                                            static_cast<DWORD>(value.size() + 1))
                           : ERROR_INVALID_HANDLE;
  if (result != ERROR_SUCCESS) {
    throw RegistryError(std::string("Failed to set data for '") + name + "'");
  }
}
