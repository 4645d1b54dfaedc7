// Waiting in tests on a window's own thread while its messages are handled.
#pragma once

#include <windows.h>

#include "framework/application.h"

namespace testing_support {

// Processes the application's messages until the condition holds; false
// when it does not within the time.
template <class Condition>
bool PumpUntil(Condition condition, DWORD milliseconds = 3000) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > milliseconds) return false;
    Application->ProcessMessages();
    Sleep(5);
  }
  return true;
}

}  // namespace testing_support
