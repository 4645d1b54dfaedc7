#include <windows.h>

#include "app/unit1.h"

// Waits on the message queue between rounds, so the thread sleeps until a
// message arrives or the time is up.
void PumpDelay(std::uint32_t milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    Application->ProcessMessages();
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}
