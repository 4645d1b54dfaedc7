#include "app/crash_guard.h"

#include <atomic>
#include <cstdint>

#include "common/run_log_text.h"

namespace crash_guard {
namespace {

// What Note last said, in one of two slots: the filter reads the one that
// was whole when the fault came.
struct Slot {
  HANDLE log = INVALID_HANDLE_VALUE;  // our duplicate of the log's handle
  char item[1024];
  std::size_t item_size = 0;
};

Slot slots[2];
std::atomic<int> current{-1};
std::atomic<bool> dying{false};
bool wide_names = true;
char line[2048];
union {
  wchar_t wide[MAX_PATH];
  char ansi[MAX_PATH];
} module_name;

// libgcc's unwinder raises C++ throws as these (64-bit SEH). One that
// nothing caught comes back here; continued, the unwinder calls
// std::terminate, which ends the program as before.
bool IsContinuableThrow(const EXCEPTION_RECORD& record) {
  return (record.ExceptionCode & 0x20FFFFFF) == 0x20474343 &&
         (record.ExceptionFlags & EXCEPTION_NONCONTINUABLE) == 0;
}

class LineBuffer {
 public:
  void Add(std::string_view text) {
    for (const char c : text) {
      if (size_ < sizeof line - 2) line[size_++] = c;
    }
  }
  void AddAscii(char c) { Add(std::string_view(&c, 1)); }
  std::size_t End() {
    line[size_++] = '\r';
    line[size_++] = '\n';
    return size_;
  }

 private:
  std::size_t size_ = 0;
};

// The file name of the module that holds `address`; "unknown module" when
// none does. Non-ASCII characters become '?', whatever the log's encoding.
void AddModuleName(LineBuffer& out, const void* address, std::uintptr_t& base) {
  MEMORY_BASIC_INFORMATION region{};
  base = 0;
  if (VirtualQuery(address, &region, sizeof region) == sizeof region)
    base = reinterpret_cast<std::uintptr_t>(region.AllocationBase);
  const HMODULE module = reinterpret_cast<HMODULE>(base);
  DWORD length = 0;
  if (base != 0 && wide_names)
    length = GetModuleFileNameW(module, module_name.wide, MAX_PATH);
  else if (base != 0)
    length = GetModuleFileNameA(module, module_name.ansi, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    out.Add("unknown module");
    base = 0;
    return;
  }
  DWORD start = 0;
  for (DWORD i = 0; i < length; ++i) {
    const unsigned code =
        wide_names ? module_name.wide[i] : static_cast<unsigned char>(module_name.ansi[i]);
    if (code == '\\' || code == '/') start = i + 1;
  }
  for (DWORD i = start; i < length; ++i) {
    const unsigned code =
        wide_names ? module_name.wide[i] : static_cast<unsigned char>(module_name.ansi[i]);
    out.AddAscii(code >= 0x20 && code < 0x7F ? static_cast<char>(code) : '?');
  }
}

LONG WINAPI LastLine(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  if (IsContinuableThrow(record)) return EXCEPTION_CONTINUE_EXECUTION;
  // One line: a second thread dying meanwhile waits for the end.
  if (dying.exchange(true)) Sleep(INFINITE);
  const int at = current.load();
  const Slot* slot = at < 0 ? nullptr : &slots[at];
  if (slot && slot->log != INVALID_HANDLE_VALUE) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    LineBuffer out;
    out.Add(
        LogStamp(LogTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond}));
    if (slot->item_size > 0) {
      out.Add(std::string_view(slot->item, slot->item_size));
      out.Add(": ");
    }
    out.Add("the program died: exception ");
    out.Add(HexText(record.ExceptionCode, 8));
    out.Add(" at ");
    std::uintptr_t base = 0;
    AddModuleName(out, record.ExceptionAddress, base);
    out.Add("+");
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(record.ExceptionAddress);
    out.Add(base ? HexText(address - base, 8) : HexText(address, 2 * sizeof address));
    out.Add(", exit code ");
    out.Add(DecimalText(kDiedExitCode));
    const DWORD size = static_cast<DWORD>(out.End());
    DWORD written = 0;
    SetFilePointer(slot->log, 0, nullptr, FILE_END);
    WriteFile(slot->log, line, size, &written, nullptr);
  }
  TerminateProcess(GetCurrentProcess(), kDiedExitCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void Install() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  // Windows 9x has GetModuleFileNameW only as a stub.
  wide_names = !GetVersionExA(&version) || version.dwPlatformId == VER_PLATFORM_WIN32_NT;
  SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  SetUnhandledExceptionFilter(LastLine);
}

void Note(HANDLE log_file, std::string_view item) {
  const int next = current.load() == 0 ? 1 : 0;
  Slot& slot = slots[next];
  if (slot.log != INVALID_HANDLE_VALUE) CloseHandle(slot.log);
  slot.log = INVALID_HANDLE_VALUE;
  if (log_file != INVALID_HANDLE_VALUE && log_file != nullptr &&
      !DuplicateHandle(GetCurrentProcess(), log_file, GetCurrentProcess(), &slot.log, 0, FALSE,
                       DUPLICATE_SAME_ACCESS)) {
    slot.log = INVALID_HANDLE_VALUE;
  }
  slot.item_size = item.copy(slot.item, sizeof slot.item);
  current.store(next);
}

}  // namespace crash_guard
