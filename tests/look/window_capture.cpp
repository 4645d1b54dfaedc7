#include "window_capture.h"

#include <cstdlib>
#include <stdexcept>

#include "support/file_util.h"
#include "support/host_command.h"
#include "support/temp_folder.h"

std::unique_ptr<PixelCanvas> CaptureWindow(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  auto canvas = std::make_unique<PixelCanvas>(bounds.right - bounds.left,
                                              bounds.bottom - bounds.top, RGB(0, 0, 0));
  const HDC source = GetWindowDC(window);
  BitBlt(canvas->Dc(), 0, 0, canvas->Width(), canvas->Height(), source, 0, 0, SRCCOPY);
  ReleaseDC(window, source);
  return canvas;
}

std::unique_ptr<PixelCanvas> CaptureClientArea(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  auto canvas = std::make_unique<PixelCanvas>(client.right, client.bottom, RGB(0, 0, 0));
  const HDC source = GetDC(window);
  BitBlt(canvas->Dc(), 0, 0, canvas->Width(), canvas->Height(), source, 0, 0, SRCCOPY);
  ReleaseDC(window, source);
  return canvas;
}

void PumpMessagesFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (GetTickCount() - start < milliseconds);
}

std::string SaveScreenshot(const PixelCanvas& capture, const std::string& name) {
  const char* folder = std::getenv("LOOK_SCREENSHOT_DIR");
  if (!folder || !*folder) return {};
  testing_support::TempFolder scratch;
  const std::string bitmap = scratch / (name + ".bmp");
  capture.SaveBitmap(bitmap);
  const std::string png = std::string(folder) + "/" + name + ".png";
  const auto result =
      testing_support::RunHostCommand({"sh", "-c", "mkdir -p \"$1\" && convert \"$2\" \"$3\"", "sh",
                                       folder, testing_support::UnixPath(bitmap), png});
  if (result.exit_code != 0) throw std::runtime_error("cannot write " + png + ": " + result.output);
  return png;
}
