#include <windows.h>

#include "env_expand.h"

namespace {

std::optional<std::string> ProcessVariable(std::string_view name) {
  const std::string key(name);
  char small[256];
  SetLastError(ERROR_SUCCESS);
  DWORD length = GetEnvironmentVariableA(key.c_str(), small, sizeof small);
  if (length == 0) {
    // Defined but empty, or undefined: only the error code tells them apart.
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string();
  }
  if (length < sizeof small) return std::string(small, length);
  std::string value(length, '\0');
  length = GetEnvironmentVariableA(key.c_str(), value.data(), static_cast<DWORD>(value.size()));
  value.resize(length < value.size() ? length : 0);
  return value;
}

}  // namespace

std::string ExpandEnvVars(std::string_view text, std::vector<std::string>* unexpanded) {
  return ExpandEnvVars(text, ProcessVariable, unexpanded);
}
