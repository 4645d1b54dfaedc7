#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "pixel_canvas.h"

// The window as it is on the screen, frame and caption included.
std::unique_ptr<PixelCanvas> CaptureWindow(HWND window);

// Processes the thread's pending window messages for about `milliseconds`,
// so windows are painted before they are captured.
void PumpMessagesFor(DWORD milliseconds);

// Saves a capture as NAME.png in the folder named by the environment
// variable LOOK_SCREENSHOT_DIR (a Unix path), converting on the host; does
// nothing when the variable is not set. Returns the Unix path written, or an
// empty string.
std::string SaveScreenshot(const PixelCanvas& capture, const std::string& name);
