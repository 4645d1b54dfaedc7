#include "framework/window_api.h"

#include "framework/graphics.h"

namespace window_api {

namespace {

bool DetectWideWindows() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return true;
  return version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS;
}

// Class names and property names are ASCII.
std::string Narrow(const wchar_t* text) {
  std::string narrow;
  for (; *text; ++text) narrow += static_cast<char>(*text);
  return narrow;
}

// Back to the bytes TextToWide read, in the code page of the selected font.
std::string FontBytes(HDC dc, std::wstring_view text) {
  if (text.empty()) return {};
  UINT code_page = CP_ACP;
  CHARSETINFO info{};
  const int charset = GetTextCharset(dc);
  if (charset != DEFAULT_CHARSET && charset >= 0 &&
      TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<ULONG_PTR>(charset)), &info,
                           TCI_SRCCHARSET))
    code_page = info.ciACP;
  const int length = static_cast<int>(text.size());
  int size = WideCharToMultiByte(code_page, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) {
    code_page = CP_ACP;
    size = WideCharToMultiByte(code_page, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  }
  std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(code_page, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

// A class through RegisterClassW with WNDCLASSW, or the ANSI pair.
template <class Class, class Char>
bool RegisterIn(ATOM(WINAPI* register_class)(const Class*), const WindowClass& window_class,
                const Char* name) {
  Class described{};
  described.style = window_class.style;
  described.lpfnWndProc = window_class.procedure;
  described.hInstance = ProgramInstance();
  described.hIcon = window_class.icon;
  described.hCursor = window_class.cursor;
  described.lpszClassName = name;
  return register_class(&described) != 0;
}

}  // namespace

bool WideWindows() {
  static const bool wide = DetectWideWindows();
  return wide;
}

bool RegisterWindowClass(const WindowClass& window_class) {
  if (WideWindows()) return RegisterIn<WNDCLASSW>(RegisterClassW, window_class, window_class.name);
  const std::string name = Narrow(window_class.name);
  return RegisterIn<WNDCLASSA>(RegisterClassA, window_class, name.c_str());
}

HWND NewWindow(DWORD ex_style, const wchar_t* class_name, DWORD style, int left, int top,
               int width, int height, HWND parent, void* create_param) {
  if (WideWindows())
    return CreateWindowExW(ex_style, class_name, L"", style, left, top, width, height, parent,
                           nullptr, ProgramInstance(), create_param);
  return CreateWindowExA(ex_style, Narrow(class_name).c_str(), "", style, left, top, width, height,
                         parent, nullptr, ProgramInstance(), create_param);
}

HWND NewMessageWindow(const wchar_t* class_name) {
  // 9x has no message-only windows: a hidden top-level one serves there.
  return NewWindow(0, class_name, 0, 0, 0, 0, 0, WideWindows() ? HWND_MESSAGE : nullptr, nullptr);
}

LRESULT CALLBACK DefaultProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return WideWindows() ? DefWindowProcW(window, message, wparam, lparam)
                       : DefWindowProcA(window, message, wparam, lparam);
}

void* CreateParam(LPARAM lparam) {
  // Both structures keep it in the same place; only their texts differ.
  return reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams;
}

bool PeekNextMessage(MSG& message) {
  return (WideWindows() ? PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)
                        : PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) != 0;
}

void Dispatch(const MSG& message) {
  if (WideWindows())
    DispatchMessageW(&message);
  else
    DispatchMessageA(&message);
}

void Post(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (WideWindows())
    PostMessageW(window, message, wparam, lparam);
  else
    PostMessageA(window, message, wparam, lparam);
}

LONG_PTR WindowData(HWND window, int index) {
  return WideWindows() ? GetWindowLongPtrW(window, index) : GetWindowLongPtrA(window, index);
}

void SetWindowData(HWND window, int index, LONG_PTR value) {
  if (WideWindows())
    SetWindowLongPtrW(window, index, value);
  else
    SetWindowLongPtrA(window, index, value);
}

HANDLE Property(HWND window, const wchar_t* name) {
  return WideWindows() ? GetPropW(window, name) : GetPropA(window, Narrow(name).c_str());
}

void SetProperty(HWND window, const wchar_t* name, HANDLE value) {
  if (WideWindows())
    SetPropW(window, name, value);
  else
    SetPropA(window, Narrow(name).c_str(), value);
}

void RemoveProperty(HWND window, const wchar_t* name) {
  if (WideWindows())
    RemovePropW(window, name);
  else
    RemovePropA(window, Narrow(name).c_str());
}

HINSTANCE ProgramInstance() { return GetModuleHandleA(nullptr); }

HCURSOR ArrowCursor() { return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)); }

HICON ProgramIcon() {
  if (HICON icon = LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(1))) return icon;
  return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

void SetText(HWND window, const std::string& text, BYTE charset) {
  if (WideWindows())
    SetWindowTextW(window, TextToWide(text, charset).c_str());
  else
    SetWindowTextA(window, text.c_str());
}

int DrawTextIn(HDC dc, std::wstring_view text, RECT& area, UINT format) {
  if (WideWindows())
    return DrawTextW(dc, text.data(), static_cast<int>(text.size()), &area, format);
  const std::string bytes = FontBytes(dc, text);
  return DrawTextA(dc, bytes.data(), static_cast<int>(bytes.size()), &area, format);
}

void WriteText(HDC dc, int x, int y, std::wstring_view text) {
  if (WideWindows()) {
    TextOutW(dc, x, y, text.data(), static_cast<int>(text.size()));
    return;
  }
  const std::string bytes = FontBytes(dc, text);
  TextOutA(dc, x, y, bytes.data(), static_cast<int>(bytes.size()));
}

SIZE MeasureText(HDC dc, std::wstring_view text) {
  SIZE size{};
  if (WideWindows()) {
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  } else {
    const std::string bytes = FontBytes(dc, text);
    GetTextExtentPoint32A(dc, bytes.data(), static_cast<int>(bytes.size()), &size);
  }
  return size;
}

}  // namespace window_api
