#include "framework/application.h"

#include "framework/controls.h"
#include "framework/forms.h"
#include "framework/window_api.h"

namespace {

TApplication application_object;

constexpr wchar_t kUtilityClass[] = L"KwtApplication";
constexpr wchar_t kHintClass[] = L"KwtHint";
constexpr UINT_PTR kShowHintTimer = 1;
constexpr UINT_PTR kHideHintTimer = 2;
constexpr LONG kHintMargin = 3;

// The tip's font, selected into a device context while it lives: the
// system's own; on 9x, where the font alone chooses the glyphs, in the
// character set of the text.
class HintFont {
 public:
  HintFont(HDC dc, BYTE charset) : dc_(dc) {
    if (!window_api::WideWindows()) {
      LOGFONTA font{};
      GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
      font.lfCharSet = charset;
      own_ = CreateFontIndirectA(&font);
    }
    old_ = SelectObject(dc_, own_ ? static_cast<HGDIOBJ>(own_) : GetStockObject(DEFAULT_GUI_FONT));
  }
  ~HintFont() {
    SelectObject(dc_, old_);
    if (own_) DeleteObject(own_);
  }
  HintFont(const HintFont&) = delete;
  HintFont& operator=(const HintFont&) = delete;

 private:
  HDC dc_;
  HFONT own_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

void RegisterApplicationClasses(WNDPROC hint_procedure) {
  static const bool registered = [hint_procedure] {
    window_api::RegisterWindowClass({kUtilityClass, window_api::DefaultProcedure});
    return window_api::RegisterWindowClass(
        {kHintClass, hint_procedure, CS_SAVEBITS, nullptr, window_api::ArrowCursor()});
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
  if (!window_api::PeekNextMessage(message)) return false;
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
  window_api::Dispatch(message);
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
  window_api::Post(UtilityWindow(), WM_NULL, 0, 0);
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
    RegisterApplicationClasses(&TApplication::HintProc);
    utility_window_ = window_api::NewMessageWindow(kUtilityClass);
    window_api::SetWindowData(utility_window_, GWLP_WNDPROC,
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
  return window_api::DefaultProcedure(window, message, wparam, lparam);
}

LRESULT CALLBACK TApplication::HintProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    Application->PaintHint(window);
    return 0;
  }
  // The tip never takes the activation from the form under the mouse.
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return window_api::DefaultProcedure(window, message, wparam, lparam);
}

void TApplication::PaintHint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
  FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
  {
    const HintFont font(dc, hint_window_charset_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    InflateRect(&client, -kHintMargin, -kHintMargin + 1);
    window_api::DrawTextIn(dc, TextToWide(hint_window_text_, hint_window_charset_), client,
                           DT_LEFT | DT_NOPREFIX | DT_SINGLELINE);
  }
  EndPaint(window, &paint);
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
  RegisterApplicationClasses(&TApplication::HintProc);
  if (!hint_window_) {
    hint_window_ = window_api::NewWindow(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                                         kHintClass, WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr,
                                         nullptr);
  }
  const BYTE charset = mouse_control_->Font().Charset();
  hint_window_text_ = tip;
  hint_window_charset_ = charset;
  window_api::SetText(hint_window_, tip, charset);
  HDC dc = GetDC(hint_window_);
  SIZE size{};
  {
    const HintFont font(dc, charset);
    size = window_api::MeasureText(dc, TextToWide(tip, charset));
  }
  ReleaseDC(hint_window_, dc);
  POINT cursor;
  GetCursorPos(&cursor);
  SetWindowPos(hint_window_, HWND_TOPMOST, cursor.x, cursor.y + 20, size.cx + 2 * kHintMargin + 2,
               size.cy + 2 * kHintMargin, SWP_NOACTIVATE | SWP_SHOWWINDOW);
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
