#include "framework/application.h"

#include "framework/controls.h"
#include "framework/forms.h"

namespace {

TApplication application_object;

constexpr wchar_t kUtilityClass[] = L"KwtApplication";
constexpr wchar_t kHintClass[] = L"KwtHint";
constexpr UINT_PTR kShowHintTimer = 1;
constexpr UINT_PTR kHideHintTimer = 2;
constexpr LONG kHintMargin = 3;

LRESULT CALLBACK HintWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    InflateRect(&client, -kHintMargin, -kHintMargin + 1);
    DrawTextW(dc, text.c_str(), length, &client, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE);
    SelectObject(dc, old_font);
    EndPaint(window, &paint);
    return 0;
  }
  // The tip never takes the activation from the form under the mouse.
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcW(window, message, wparam, lparam);
}

void RegisterApplicationClasses() {
  static const bool registered = [] {
    WNDCLASSW utility{};
    utility.lpfnWndProc = DefWindowProcW;
    utility.hInstance = GetModuleHandleW(nullptr);
    utility.lpszClassName = kUtilityClass;
    RegisterClassW(&utility);
    WNDCLASSW hint{};
    hint.style = CS_SAVEBITS;
    hint.lpfnWndProc = HintWindowProc;
    hint.hInstance = GetModuleHandleW(nullptr);
    hint.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    hint.lpszClassName = kHintClass;
    return RegisterClassW(&hint) != 0;
  }();
  (void)registered;
}

}  // namespace

TApplication* const Application = &application_object;

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
  // Forms first, while the utility windows still exist.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  if (hint_window_) DestroyWindow(hint_window_);
  if (utility_window_) DestroyWindow(utility_window_);
}

void TApplication::Run() {
  // A Terminate whose quit message was already taken (by ProcessMessages
  // during start-up) still ends the program: Terminated stays set.
  if (main_form_ && !main_form_->Visible()) main_form_->ShowForm();
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

bool TApplication::ProcessMessage(MSG& message) {
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (!PreviewKey(message)) return true;
  if (message.message == WM_MOUSEMOVE && !TControl::FromHandle(message.hwnd)) {
    // A system window inside a control (a combo box's edit) counts as the control.
    for (HWND window = GetParent(message.hwnd); window; window = GetParent(window)) {
      if (TControl* control = TControl::FromHandle(window)) {
        MouseMovedOver(control);
        break;
      }
    }
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return true;
}

void TApplication::ProcessMessages() {
  MSG message;
  while (ProcessMessage(message)) {
  }
  RaisePendingException();
}

void TApplication::HandleMessage() {
  MSG message;
  if (!ProcessMessage(message)) WaitMessage();
  RaisePendingException();
}

bool TApplication::PreviewKey(MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_KEYUP) return true;
  TControl* control = nullptr;
  for (HWND window = message.hwnd; window && !control; window = GetParent(window))
    control = TControl::FromHandle(window);
  TForm* form = control ? control->ParentForm() : nullptr;
  if (!form) return true;
  WORD key = static_cast<WORD>(message.wParam);
  if (static_cast<TControl*>(form) != control && !form->PreviewKey(message.message, key))
    return false;
  message.wParam = key;
  if (message.message != WM_KEYDOWN) return true;
  const TShiftState shift = KeyboardShiftState();
  if (key == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
    form->SelectNext((shift & ssShift) == 0);
    return false;
  }
  // Enter typed into a system window inside a control (a combo box's edit or
  // list) stays with it.
  if (key == VK_RETURN && shift == 0 && !control->TakesReturn() &&
      TControl::FromHandle(message.hwnd) == control) {
    return !form->ClickDefaultButton();
  }
  return true;
}

bool TApplication::Minimized() const {
  return main_form_ && main_form_->HandleAllocated() && IsIconic(main_form_->Handle());
}

void TApplication::Minimize() {
  if (main_form_) ShowWindow(main_form_->Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  if (Minimized()) ShowWindow(main_form_->Handle(), SW_RESTORE);
}

void TApplication::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  if (OnHint) OnHint(this);
}

void TApplication::SetShowHint(bool show) {
  show_hint_ = show;
  if (!show) HideHintWindow();
}

std::string TApplication::VisibleHintText() const {
  return hint_window_ && IsWindowVisible(hint_window_) ? hint_window_text_ : std::string();
}

int TApplication::Execute(const std::function<void()>& body) {
  try {
    body();
    RaisePendingException();
    return 0;
  } catch (const std::exception& error) {
    ShowException(error.what());
  } catch (...) {
    ShowException("Unknown error");
  }
  return 1;
}

void TApplication::ShowException(const std::string& message) {
  HideHintWindow();
  MessageBoxA(nullptr, message.c_str(), "Application Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

void TApplication::StorePendingException(std::exception_ptr exception) {
  if (!pending_exception_) pending_exception_ = exception;
  // Wake the loop so that it throws the error soon.
  PostMessageW(UtilityWindow(), WM_NULL, 0, 0);
}

void TApplication::RaisePendingException() {
  if (!pending_exception_) return;
  std::exception_ptr exception = pending_exception_;
  pending_exception_ = nullptr;
  std::rethrow_exception(exception);
}

void TApplication::MouseMovedOver(TControl* control) {
  if (control == mouse_control_) return;
  mouse_control_ = control;
  HideHintWindow();
  // The nearest non-empty hint up the parent chain, as Delphi has it.
  std::string hint;
  for (TControl* owner = control; owner && hint.empty(); owner = owner->Parent())
    hint = owner->Hint();
  SetHint(GetLongHint(hint));
  if (show_hint_ && control && control->ShowHint() && !GetShortHint(hint).empty()) {
    SetTimer(UtilityWindow(), kShowHintTimer, static_cast<UINT>(std::max(hint_pause_, 1)), nullptr);
  }
}

void TApplication::MouseLeft(TControl* control) {
  if (control != mouse_control_ || !control->HandleAllocated()) return;
  // Moving onto a window inside the control (a combo box's edit) is no leaving.
  POINT cursor;
  GetCursorPos(&cursor);
  HWND under = WindowFromPoint(cursor);
  if (under && IsChild(control->Handle(), under)) return;
  mouse_control_ = nullptr;
  HideHintWindow();
  SetHint("");
}

void TApplication::CancelHint() { HideHintWindow(); }

void TApplication::ControlDestroyed(TControl* control) {
  if (mouse_control_ == control) {
    mouse_control_ = nullptr;
    HideHintWindow();
  }
  if (static_cast<TControl*>(main_form_) == control) main_form_ = nullptr;
  if (static_cast<TControl*>(active_form_) == control) active_form_ = nullptr;
}

HWND TApplication::UtilityWindow() {
  if (!utility_window_) {
    RegisterApplicationClasses();
    utility_window_ = CreateWindowExW(0, kUtilityClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(utility_window_, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(&TApplication::UtilityProc));
  }
  return utility_window_;
}

LRESULT CALLBACK TApplication::UtilityProc(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  if (message == WM_TIMER) {
    Application->HintTimerFired(wparam);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void TApplication::HintTimerFired(UINT_PTR id) {
  KillTimer(utility_window_, id);
  if (id == kShowHintTimer)
    ShowHintWindow();
  else
    HideHintWindow();
}

void TApplication::ShowHintWindow() {
  if (!mouse_control_ || !mouse_control_->ShowHint()) return;
  std::string hint;
  for (TControl* owner = mouse_control_; owner && hint.empty(); owner = owner->Parent())
    hint = owner->Hint();
  const std::string tip = GetShortHint(hint);
  if (tip.empty()) return;
  RegisterApplicationClasses();
  if (!hint_window_) {
    hint_window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kHintClass,
                                   L"", WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  }
  const std::wstring wide = TextToWide(tip, mouse_control_->Font().Charset());
  SetWindowTextW(hint_window_, wide.c_str());
  HDC dc = GetDC(hint_window_);
  HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(dc, old_font);
  ReleaseDC(hint_window_, dc);
  POINT cursor;
  GetCursorPos(&cursor);
  SetWindowPos(hint_window_, HWND_TOPMOST, cursor.x, cursor.y + 20, size.cx + 2 * kHintMargin + 2,
               size.cy + 2 * kHintMargin, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  hint_window_text_ = tip;
  SetTimer(UtilityWindow(), kHideHintTimer, static_cast<UINT>(std::max(hint_hide_pause_, 1)),
           nullptr);
}

void TApplication::HideHintWindow() {
  if (utility_window_) {
    KillTimer(utility_window_, kShowHintTimer);
    KillTimer(utility_window_, kHideHintTimer);
  }
  if (hint_window_) ShowWindow(hint_window_, SW_HIDE);
  hint_window_text_.clear();
}
