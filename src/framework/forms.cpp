#include "framework/forms.h"

#include "framework/application.h"
#include "framework/description_reader.h"
#include "framework/form_resource.h"
#include "framework/window_api.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr wchar_t kFormClass[] = L"KwtForm";

void RegisterFormClass() {
  static const bool registered = [] {
    return window_api::RegisterWindowClass({kFormClass, FrameworkWindowProc,
                                            CS_HREDRAW | CS_VREDRAW, window_api::ProgramIcon(),
                                            window_api::ArrowCursor()});
  }();
  (void)registered;
}

bool OwnThreadWindow(HWND window) {
  return window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

// Focusable controls in Tab order: each container's own, in TabOrder, with
// the controls inside a container following it.
void CollectTabStops(TWinControl* container, std::vector<TWinControl*>& stops) {
  std::vector<TWinControl*> children;
  for (int i = 0; i < container->ControlCount(); ++i) {
    if (auto* control = dynamic_cast<TWinControl*>(container->Controls(i)))
      children.push_back(control);
  }
  std::stable_sort(
      children.begin(), children.end(),
      [](const TWinControl* a, const TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
  for (TWinControl* control : children) {
    if (control->TabStop() && control->CanFocus() && control->HandleAllocated())
      stops.push_back(control);
    CollectTabStops(control, stops);
  }
}

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  visible_ = false;
  parent_font_ = false;
  SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
  Application->ControlDestroyed(this);
  DestroyHandle();
}

void TForm::InitializeForm() {
  std::string resource = ClassName();
  for (char& c : resource) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (!ReadFormResource(nullptr, resource.c_str(), this))
    throw EResNotFound("Resource " + resource + " not found");
  if (OnCreate) OnCreate(this);
  if (Visible()) ShowForm();
}

int TForm::ClientWidth() const {
  if (handle_) {
    RECT client;
    GetClientRect(handle_, &client);
    return client.right;
  }
  TCreateParams params;
  const_cast<TForm*>(this)->CreateParams(params);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.style, FALSE, params.ex_style);
  return Width() - (frame.right - frame.left);
}

int TForm::ClientHeight() const {
  if (handle_) {
    RECT client;
    GetClientRect(handle_, &client);
    return client.bottom;
  }
  TCreateParams params;
  const_cast<TForm*>(this)->CreateParams(params);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.style, FALSE, params.ex_style);
  return Height() - (frame.bottom - frame.top);
}

void TForm::SetClientWidth(int width) { SetWidth(Width() - ClientWidth() + width); }

void TForm::SetClientHeight(int height) { SetHeight(Height() - ClientHeight() + height); }

void TForm::SetCaption(const std::string& caption) {
  TControl::SetCaption(caption);
  if (handle_) window_api::SetText(handle_, Caption(), Font().Charset());
}

void TForm::SetVisible(bool visible) {
  visible_ = visible;
  // A form described as visible shows once it is created (InitializeForm).
  if (Loading()) return;
  if (visible) {
    if (!Handle()) return;
    ApplyPosition();
    ShowWindow(handle_, SW_SHOW);
    if (OnShow) OnShow(this);
  } else if (handle_ && IsWindowVisible(handle_)) {
    ShowWindow(handle_, SW_HIDE);
    if (OnHide) OnHide(this);
  }
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  border_icons_ = icons;
  ApplyStyle();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  border_style_ = style;
  ApplyStyle();
}

void TForm::SetPosition(TPosition position) {
  position_ = position;
  if (handle_ && IsWindowVisible(handle_)) ApplyPosition();
}

void TForm::ShowForm() {
  SetVisible(true);
  if (handle_) SetForegroundWindow(handle_);
}

void TForm::Close() {
  if (OnClose) OnClose(this);
  if (Application->MainForm() == this) Application->Terminate();
  SetVisible(false);
}

bool TForm::Active() const { return Application->ActiveForm() == this; }

void TForm::SetActiveControl(TWinControl* control) {
  active_control_ = control;
  if (control && handle_ && GetActiveWindow() == handle_ && control->CanFocus())
    control->SetFocus();
}

void TForm::SelectNext(bool forward) {
  std::vector<TWinControl*> stops;
  CollectTabStops(this, stops);
  if (stops.empty()) return;
  auto current = std::find(stops.begin(), stops.end(), active_control_);
  std::size_t index = 0;
  if (current != stops.end()) {
    const std::size_t at = static_cast<std::size_t>(current - stops.begin());
    index = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
  } else if (!forward) {
    index = stops.size() - 1;
  }
  stops[index]->SetFocus();
}

namespace {

TControl* FindDefaultButton(TWinControl* container) {
  for (int i = 0; i < container->ControlCount(); ++i) {
    TControl* control = container->Controls(i);
    if (!control->Visible() || !control->Enabled()) continue;
    if (control->IsDefaultButton()) return control;
    if (auto* inner = dynamic_cast<TWinControl*>(control)) {
      if (TControl* found = FindDefaultButton(inner)) return found;
    }
  }
  return nullptr;
}

}  // namespace

bool TForm::ClickDefaultButton() {
  TControl* button = FindDefaultButton(this);
  if (!button) return false;
  button->Click();
  return true;
}

bool TForm::PreviewKey(UINT message, WORD& key) {
  if (!key_preview_) return true;
  if (message == WM_KEYDOWN)
    KeyDown(key, KeyboardShiftState());
  else if (message == WM_KEYUP)
    KeyUp(key, KeyboardShiftState());
  return key != 0;
}

void TForm::FocusMoved(TWinControl* control) { active_control_ = control; }

void TForm::ForgetControl(TControl* control) {
  if (active_control_ == control) active_control_ = nullptr;
}

bool TForm::ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) {
  static const std::vector<TEnumName> icon_names = {{"biSystemMenu", biSystemMenu},
                                                    {"biMinimize", biMinimize},
                                                    {"biMaximize", biMaximize},
                                                    {"biHelp", biHelp}};
  static const std::vector<TEnumName> border_names = {
      {"bsNone", static_cast<int>(TFormBorderStyle::bsNone)},
      {"bsSingle", static_cast<int>(TFormBorderStyle::bsSingle)},
      {"bsSizeable", static_cast<int>(TFormBorderStyle::bsSizeable)},
      {"bsDialog", static_cast<int>(TFormBorderStyle::bsDialog)},
      {"bsToolWindow", static_cast<int>(TFormBorderStyle::bsToolWindow)},
      {"bsSizeToolWin", static_cast<int>(TFormBorderStyle::bsSizeToolWin)}};
  static const std::vector<TEnumName> position_names = {
      {"poDesigned", static_cast<int>(TPosition::poDesigned)},
      {"poDefault", static_cast<int>(TPosition::poDefault)},
      {"poScreenCenter", static_cast<int>(TPosition::poScreenCenter)},
      {"poDesktopCenter", static_cast<int>(TPosition::poDesktopCenter)}};
  if (name == "ClientWidth")
    SetClientWidth(reader.Integer(value));
  else if (name == "ClientHeight")
    SetClientHeight(reader.Integer(value));
  else if (name == "BorderIcons")
    SetBorderIcons(reader.Set(value, icon_names));
  else if (name == "BorderStyle")
    SetBorderStyle(static_cast<TFormBorderStyle>(reader.Enum(value, border_names)));
  else if (name == "Position")
    SetPosition(static_cast<TPosition>(reader.Enum(value, position_names)));
  else if (name == "KeyPreview")
    SetKeyPreview(reader.Boolean(value));
  else if (name == "OnCreate")
    OnCreate = reader.Handler<TNotifyEvent>(value);
  else if (name == "OnActivate")
    OnActivate = reader.Handler<TNotifyEvent>(value);
  else if (name == "OnDeactivate")
    OnDeactivate = reader.Handler<TNotifyEvent>(value);
  else if (name == "OnShow")
    OnShow = reader.Handler<TNotifyEvent>(value);
  else if (name == "OnHide")
    OnHide = reader.Handler<TNotifyEvent>(value);
  else if (name == "OnClose")
    OnClose = reader.Handler<TNotifyEvent>(value);
  else
    return TWinControl::ReadProperty(reader, name, value);
  return true;
}

void TForm::CreateParams(TCreateParams& params) {
  params.window_class = kFormClass;
  params.ex_style = 0;
  DWORD style = WS_CLIPCHILDREN;
  switch (border_style_) {
    case TFormBorderStyle::bsNone:
      style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
      style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
      style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      style |= WS_CAPTION | DS_MODALFRAME;
      params.ex_style |= WS_EX_DLGMODALFRAME;
      break;
    case TFormBorderStyle::bsToolWindow:
      style |= WS_CAPTION;
      params.ex_style |= WS_EX_TOOLWINDOW;
      break;
    case TFormBorderStyle::bsSizeToolWin:
      style |= WS_CAPTION | WS_THICKFRAME;
      params.ex_style |= WS_EX_TOOLWINDOW;
      break;
  }
  if (border_style_ != TFormBorderStyle::bsNone && (border_icons_ & biSystemMenu)) {
    style |= WS_SYSMENU;
    const bool frame_allows = border_style_ == TFormBorderStyle::bsSingle ||
                              border_style_ == TFormBorderStyle::bsSizeable;
    if (frame_allows && (border_icons_ & biMinimize)) style |= WS_MINIMIZEBOX;
    if (frame_allows && (border_icons_ & biMaximize)) style |= WS_MAXIMIZEBOX;
  }
  params.style = style;
}

void TForm::CreateHandle() {
  if (handle_) return;
  RegisterFormClass();
  TWinControl::CreateHandle();
  if (handle_) window_api::SetText(handle_, Caption(), Font().Charset());
}

void TForm::ApplyStyle() {
  if (!handle_) return;
  TCreateParams params;
  CreateParams(params);
  constexpr DWORD kFrameStyles = WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_SYSMENU |
                                 WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP | DS_MODALFRAME;
  const DWORD style = static_cast<DWORD>(GetWindowLongA(handle_, GWL_STYLE));
  SetWindowLongA(handle_, GWL_STYLE, static_cast<LONG>((style & ~kFrameStyles) | params.style));
  SetWindowLongA(handle_, GWL_EXSTYLE, static_cast<LONG>(params.ex_style));
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::ApplyPosition() {
  if (position_ != TPosition::poScreenCenter && position_ != TPosition::poDesktopCenter) return;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
  SetBounds(std::max(left, 0), std::max(top, 0), Width(), Height());
}

void TForm::Activated(HWND) {
  if (Application->ActiveForm() != this) {
    Application->SetActiveForm(this);
    if (OnActivate) OnActivate(this);
  }
}

void TForm::Deactivated(HWND next) {
  // Only another window of this application deactivates the form; switching
  // to another program leaves it the application's active form.
  if (!OwnThreadWindow(next) || Application->ActiveForm() != this) return;
  Application->SetActiveForm(nullptr);
  if (OnDeactivate) OnDeactivate(this);
}

LRESULT TForm::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        Deactivated(reinterpret_cast<HWND>(lparam));
      } else {
        Activated(reinterpret_cast<HWND>(lparam));
        if (active_control_ && active_control_->CanFocus() && active_control_->HandleAllocated()) {
          ::SetFocus(active_control_->Handle());
          return 0;
        }
      }
      break;
    case WM_CLOSE:
      Close();
      return 0;
    default:
      break;
  }
  return TWinControl::WndProc(message, wparam, lparam);
}

void TForm::Paint(TCanvas& canvas) {
  canvas.SetBrushColor(Color());
  canvas.FillRect(ClientRect());
}

void TForm::FontChanged() {
  TWinControl::FontChanged();
  if (handle_) window_api::SetText(handle_, Caption(), Font().Charset());
}
