#pragma once

// The one place that chooses between the window functions of the two Windows
// families. The NT family gets the wide ones, so any text shows whatever the
// system code page. Windows 9x only really has the ANSI ones (its wide
// window functions are stubs), and no message-only windows; there the
// framework's texts go out as the bytes they are, and the font's character
// set chooses the glyphs.

#include <windows.h>

#include <string>
#include <string_view>

namespace window_api {

// False on Windows 9x (platform id 1).
bool WideWindows();

struct WindowClass {
  const wchar_t* name;  // ASCII
  WNDPROC procedure;
  UINT style = 0;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
};
bool RegisterWindowClass(const WindowClass& window_class);

// A window of one of the framework's classes, or of a system class (ASCII name).
HWND NewWindow(DWORD ex_style, const wchar_t* class_name, DWORD style, int left, int top,
               int width, int height, HWND parent, void* create_param);
// A hidden window that only receives messages (timers, posted messages).
HWND NewMessageWindow(const wchar_t* class_name);

LRESULT CALLBACK DefaultProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// The create parameter of WM_NCCREATE.
void* CreateParam(LPARAM lparam);

bool PeekNextMessage(MSG& message);
void Dispatch(const MSG& message);
void Post(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

LONG_PTR WindowData(HWND window, int index);
void SetWindowData(HWND window, int index, LONG_PTR value);
HANDLE Property(HWND window, const wchar_t* name);
void SetProperty(HWND window, const wchar_t* name, HANDLE value);
void RemoveProperty(HWND window, const wchar_t* name);

HINSTANCE ProgramInstance();
HCURSOR ArrowCursor();
HICON ProgramIcon();  // icon resource 1, or the system's application icon

// A window's text from ANSI text in the code page of a font's character set.
void SetText(HWND window, const std::string& text, BYTE charset);

// Text on a device context, as TextToWide made it for the selected font.
int DrawTextIn(HDC dc, std::wstring_view text, RECT& area, UINT format);
void WriteText(HDC dc, int x, int y, std::wstring_view text);
SIZE MeasureText(HDC dc, std::wstring_view text);

}  // namespace window_api
