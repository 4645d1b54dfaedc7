// The static runtime (libgcc's exception-frame registry, its thread-local
// emulation and its mutexes under the win32 thread model) makes its
// semaphores with CreateSemaphoreW, which Windows 9x only stubs: there its
// mutexes would have nothing to wait on. Its objects call through the import
// pointer __imp__CreateSemaphoreW@16; this object defines that pointer, so
// the linker takes it before kernel32's import library and the runtime gets
// the ANSI function, which every Windows has. Linked as an object of each
// 32-bit program. The runtime only makes unnamed semaphores.
#include <windows.h>

#if defined(__i386__)

namespace {

HANDLE WINAPI CreateUnnamedSemaphore(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum,
                                     LPCWSTR name) {
  if (name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateSemaphoreA(security, initial, maximum, nullptr);
}

}  // namespace

extern "C" {
extern decltype(&CreateUnnamedSemaphore) const runtime_create_semaphore asm(
    "__imp__CreateSemaphoreW@16");
decltype(&CreateUnnamedSemaphore) const runtime_create_semaphore = &CreateUnnamedSemaphore;
}

#endif
