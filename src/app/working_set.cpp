#include <windows.h>

#include "app/working_set.h"

namespace {

// All access rights as NT 5 knows them; newer masks are refused there.
constexpr DWORD kProcessAllAccessNt5 = 0x1F0FFF;

}  // namespace

void TrimWorkingSet() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version) || version.dwPlatformId != VER_PLATFORM_WIN32_NT) return;
  const HANDLE process = OpenProcess(kProcessAllAccessNt5, FALSE, GetCurrentProcessId());
  SetProcessWorkingSetSize(process, static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  if (process != nullptr) CloseHandle(process);
}
