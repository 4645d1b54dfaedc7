#include "framework/controls.h"

#include "common/errors.h"
#include "framework/application.h"
#include "framework/description_reader.h"
#include "framework/forms.h"
#include "framework/window_api.h"

#include <algorithm>
#include <exception>

namespace {

constexpr wchar_t kControlClass[] = L"KwtControl";
constexpr wchar_t kControlProperty[] = L"KwtControl";

const std::vector<TEnumName>& CharsetNames() {
  static const std::vector<TEnumName> names = {
      {"ANSI_CHARSET", ANSI_CHARSET},
      {"DEFAULT_CHARSET", DEFAULT_CHARSET},
      {"SYMBOL_CHARSET", SYMBOL_CHARSET},
      {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
      {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
      {"GREEK_CHARSET", GREEK_CHARSET},
      {"TURKISH_CHARSET", TURKISH_CHARSET},
      {"BALTIC_CHARSET", BALTIC_CHARSET},
      {"OEM_CHARSET", OEM_CHARSET},
  };
  return names;
}

const std::vector<TEnumName>& FontStyleNames() {
  static const std::vector<TEnumName> names = {{"fsBold", fsBold},
                                               {"fsItalic", fsItalic},
                                               {"fsUnderline", fsUnderline},
                                               {"fsStrikeOut", fsStrikeOut}};
  return names;
}

void RegisterControlClass() {
  static const bool registered = [] {
    return window_api::RegisterWindowClass(
        {kControlClass, FrameworkWindowProc, 0, nullptr, window_api::ArrowCursor()});
  }();
  (void)registered;
}

TMouseButton ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return TMouseButton::mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return TMouseButton::mbMiddle;
    default:
      return TMouseButton::mbLeft;
  }
}

}  // namespace

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* control = static_cast<TControl*>(window_api::Property(window, kControlProperty));
  if (!control && message == WM_NCCREATE) {
    control = static_cast<TControl*>(window_api::CreateParam(lparam));
    if (control) {
      control->handle_ = window;
      window_api::SetProperty(window, kControlProperty, control);
    }
  }
  if (!control) return window_api::DefaultProcedure(window, message, wparam, lparam);
  LRESULT result = 0;
  try {
    result = control->WndProc(message, wparam, lparam);
  } catch (...) {
    Application->StorePendingException(std::current_exception());
  }
  if (message == WM_NCDESTROY) {
    window_api::RemoveProperty(window, kControlProperty);
    control->handle_ = nullptr;
    control->mouse_in_control_ = false;
  }
  return result;
}

TShiftState KeyboardShiftState() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

TShiftState MouseShiftState(WPARAM flags) {
  TShiftState shift = 0;
  if (flags & MK_SHIFT) shift |= ssShift;
  if (flags & MK_CONTROL) shift |= ssCtrl;
  if (flags & MK_LBUTTON) shift |= ssLeft;
  if (flags & MK_RBUTTON) shift |= ssRight;
  if (flags & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

std::string GetLongHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

std::string GetShortHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this] {
    if (!adopting_font_) parent_font_ = false;
    FontChanged();
  };
}

TControl::~TControl() {
  Application->ControlDestroyed(this);
  if (TForm* form = ParentForm(); form && form != static_cast<TControl*>(this))
    form->ForgetControl(this);
  DestroyHandle();
  if (parent_) {
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

TControl* TControl::FromHandle(HWND window) {
  return window ? static_cast<TControl*>(window_api::Property(window, kControlProperty)) : nullptr;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw ArgumentError("A control cannot be its own parent");
  DestroyHandle();
  if (parent_) {
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  parent_ = parent;
  if (!parent_) return;
  parent_->controls_.push_back(this);
  ParentFontChanged();
  if (parent_->HandleAllocated()) {
    CreateHandle();
    if (handle_)
      SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TControl::SetParentComponent(TComponent* parent) {
  if (!parent) return;
  auto* container = dynamic_cast<TWinControl*>(parent);
  if (!container) throw ArgumentError(std::string(parent->ClassName()) + " cannot hold controls");
  SetParent(container);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (handle_)
    SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

int TControl::ClientWidth() const {
  if (!handle_) return width_;
  RECT client;
  GetClientRect(handle_, &client);
  return client.right;
}

int TControl::ClientHeight() const {
  if (!handle_) return height_;
  RECT client;
  GetClientRect(handle_, &client);
  return client.bottom;
}

bool TControl::Showing() const {
  for (const TControl* control = this; control; control = control->parent_) {
    if (!control->visible_) return false;
  }
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  if (handle_) EnableWindow(handle_, enabled ? TRUE : FALSE);
  EnabledChanged();
}

void TControl::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Invalidate();
}

bool TControl::ShowHint() const {
  if (parent_show_hint_ && parent_) return parent_->ShowHint();
  return show_hint_;
}

void TControl::SetShowHint(bool show) {
  show_hint_ = show;
  parent_show_hint_ = false;
}

void TControl::SetParentShowHint(bool parent) { parent_show_hint_ = parent; }

void TControl::SetParentFont(bool parent) {
  parent_font_ = parent;
  if (parent) ParentFontChanged();
}

TColor TControl::Color() const {
  if (parent_color_ && parent_) return parent_->Color();
  return color_;
}

void TControl::SetColor(TColor color) {
  color_ = color;
  parent_color_ = false;
  ParentColorChanged();
}

void TControl::SetParentColor(bool parent) {
  parent_color_ = parent;
  ParentColorChanged();
}

HWND TControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

void TControl::Repaint() {
  if (!handle_) return;
  InvalidateRect(handle_, nullptr, FALSE);
  Update();
}

void TControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

POINT TControl::ScreenToClient(POINT point) {
  ::ScreenToClient(Handle(), &point);
  return point;
}

POINT TControl::ClientToScreen(POINT point) {
  ::ClientToScreen(Handle(), &point);
  return point;
}

void TControl::BringToFront() {
  if (parent_) {
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    siblings.push_back(this);
  }
  if (handle_)
    SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::SendToBack() {
  if (parent_) {
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    siblings.insert(siblings.begin(), this);
  }
  if (handle_)
    SetWindowPos(handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TForm* TControl::ParentForm() {
  TControl* control = this;
  while (control->parent_) control = control->parent_;
  return dynamic_cast<TForm*>(control);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::PaintTo(HDC dc) {
  TCanvas canvas(dc);
  canvas.Font() = font_;
  canvas.SetBrushColor(Color());
  Paint(canvas);
}

bool TControl::ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) {
  if (name == "Left")
    SetLeft(reader.Integer(value));
  else if (name == "Top")
    SetTop(reader.Integer(value));
  else if (name == "Width")
    SetWidth(reader.Integer(value));
  else if (name == "Height")
    SetHeight(reader.Integer(value));
  else if (name == "Caption")
    SetCaption(reader.String(value));
  else if (name == "Hint")
    SetHint(reader.String(value));
  else if (name == "ShowHint")
    SetShowHint(reader.Boolean(value));
  else if (name == "ParentShowHint")
    SetParentShowHint(reader.Boolean(value));
  else if (name == "Visible")
    SetVisible(reader.Boolean(value));
  else if (name == "Enabled")
    SetEnabled(reader.Boolean(value));
  else if (name == "Color")
    SetColor(reader.Color(value));
  else if (name == "ParentColor")
    SetParentColor(reader.Boolean(value));
  else if (name == "ParentFont")
    SetParentFont(reader.Boolean(value));
  else if (name == "Font.Name")
    font_.SetName(reader.String(value));
  else if (name == "Font.Size")
    font_.SetSize(reader.Integer(value));
  else if (name == "Font.Height")
    font_.SetHeight(reader.Integer(value));
  else if (name == "Font.Color")
    font_.SetColor(reader.Color(value));
  else if (name == "Font.Style")
    font_.SetStyle(reader.Set(value, FontStyleNames()));
  else if (name == "Font.Charset") {
    const int charset = value.kind == TPropValue::Kind::Integer
                            ? reader.Integer(value)
                            : reader.Enum(value, CharsetNames());
    if (charset < 0 || charset > 255) reader.Fail(value, "Character set out of range");
    font_.SetCharset(static_cast<BYTE>(charset));
  } else if (name == "OnClick")
    OnClick = reader.Handler<TNotifyEvent>(value);
  else if (name == "OnMouseDown")
    OnMouseDown = reader.Handler<TMouseEvent>(value);
  else if (name == "OnMouseUp")
    OnMouseUp = reader.Handler<TMouseEvent>(value);
  else if (name == "OnMouseMove")
    OnMouseMove = reader.Handler<TMouseMoveEvent>(value);
  else
    return TComponent::ReadProperty(reader, name, value);
  return true;
}

void TControl::CreateParams(TCreateParams& params) {
  params.window_class = nullptr;
  params.style = WS_CHILD | WS_CLIPSIBLINGS;
  params.ex_style = 0;
}

void TControl::CreateHandle() {
  if (handle_) return;
  TCreateParams params;
  CreateParams(params);
  HWND parent_window = nullptr;
  if (params.style & WS_CHILD) {
    if (!parent_ || !parent_->handle_) return;
    parent_window = parent_->handle_;
  }
  RegisterControlClass();
  DWORD style = params.style;
  if (visible_ && (style & WS_CHILD)) style |= WS_VISIBLE;
  if (!enabled_) style |= WS_DISABLED;
  window_api::NewWindow(params.ex_style, params.window_class ? params.window_class : kControlClass,
                        style, left_, top_, width_, height_, parent_window, this);
  if (!handle_) throw Error("Error creating window of " + Name());
}

void TControl::AttachHandle(HWND window) {
  handle_ = window;
  window_api::SetProperty(window, kControlProperty, this);
  original_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameworkWindowProc)));
}

void TControl::DestroyHandle() {
  if (handle_) DestroyWindow(handle_);
  handle_ = nullptr;
  original_proc_ = nullptr;
}

LRESULT TControl::DefaultHandler(UINT message, WPARAM wparam, LPARAM lparam) {
  if (original_proc_) return CallWindowProcA(original_proc_, handle_, message, wparam, lparam);
  return window_api::DefaultProcedure(handle_, message, wparam, lparam);
}

void TControl::UpdateBoundsFromWindow() {
  if (!handle_ || IsIconic(handle_)) return;
  RECT rect;
  GetWindowRect(handle_, &rect);
  if (parent_ && parent_->handle_ && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD)) {
    MapWindowPoints(nullptr, parent_->handle_, reinterpret_cast<POINT*>(&rect), 2);
  }
  left_ = rect.left;
  top_ = rect.top;
  width_ = rect.right - rect.left;
  height_ = rect.bottom - rect.top;
}

void TControl::PaintBuffered() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(handle_, &paint);
  RECT client;
  GetClientRect(handle_, &client);
  if (client.right > 0 && client.bottom > 0) {
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old_bitmap = SelectObject(buffer, bitmap);
    PaintTo(buffer);
    BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(buffer);
  }
  EndPaint(handle_, &paint);
}

LRESULT TControl::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  const int x = static_cast<short>(LOWORD(lparam));
  const int y = static_cast<short>(HIWORD(lparam));
  switch (message) {
    case WM_PAINT:
      if (original_proc_) break;
      PaintBuffered();
      return 0;
    case WM_ERASEBKGND:
      if (original_proc_) break;
      return 1;
    case WM_WINDOWPOSCHANGED:
      UpdateBoundsFromWindow();
      break;
    case WM_MOUSEMOVE:
      if (!mouse_in_control_) {
        mouse_in_control_ = true;
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, handle_, 0};
        TrackMouseEvent(&track);
        MouseEnter();
      }
      Application->MouseMovedOver(HintControlAt(POINT{x, y}));
      MouseMove(MouseShiftState(wparam), x, y);
      break;
    case WM_MOUSELEAVE:
      mouse_in_control_ = false;
      Application->MouseLeft(this);
      MouseLeave();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      Application->CancelHint();
      if (message == WM_LBUTTONDOWN) {
        mouse_held_ = true;
        if (!original_proc_) SetCapture(handle_);
      }
      MouseDown(ButtonOf(message), MouseShiftState(wparam), x, y);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const bool clicked = message == WM_LBUTTONUP && mouse_held_;
      if (message == WM_LBUTTONUP) {
        mouse_held_ = false;
        if (GetCapture() == handle_ && !original_proc_) ReleaseCapture();
      }
      MouseUp(ButtonOf(message), MouseShiftState(wparam), x, y);
      const POINT point{x, y};
      const RECT client = ClientRect();
      if (clicked && click_events_ && handle_ && PtInRect(&client, point) && !original_proc_)
        Click();
      break;
    }
    case WM_CAPTURECHANGED:
      if (mouse_held_ && reinterpret_cast<HWND>(lparam) != handle_) {
        mouse_held_ = false;
        Invalidate();
      }
      break;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT) {
        POINT point;
        GetCursorPos(&point);
        ::ScreenToClient(handle_, &point);
        if (HCURSOR cursor = CursorAt(point)) {
          SetCursor(cursor);
          return TRUE;
        }
      }
      break;
    default:
      break;
  }
  return DefaultHandler(message, wparam, lparam);
}

TControl* TControl::HintControlAt(POINT point) {
  // A disabled child gets no mouse messages, its parent does; its hint still counts.
  HWND child = ChildWindowFromPointEx(handle_, point, CWP_SKIPINVISIBLE);
  TControl* control = child && child != handle_ ? FromHandle(child) : nullptr;
  return control && !control->Enabled() ? control : this;
}

void TControl::Paint(TCanvas& canvas) { canvas.FillRect(ClientRect()); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseEnter() {}

void TControl::MouseLeave() {}

HCURSOR TControl::CursorAt(POINT) { return nullptr; }

void TControl::FontChanged() { Invalidate(); }

void TControl::EnabledChanged() { Invalidate(); }

void TControl::ParentFontChanged() {
  if (!parent_font_ || !parent_) return;
  adopting_font_ = true;
  font_ = parent_->font_;
  adopting_font_ = false;
}

void TControl::ParentColorChanged() { Invalidate(); }

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
  static int created = 0;
  tab_order_ = created++;
}

TWinControl::~TWinControl() {
  for (TControl* control : controls_) control->parent_ = nullptr;
  controls_.clear();
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const {
  for (const TControl* control = this; control; control = control->Parent()) {
    if (!control->Visible() || !control->Enabled()) return false;
  }
  return true;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw Error("Cannot focus a disabled or invisible window");
  if (HWND window = Handle()) ::SetFocus(window);
}

bool TWinControl::ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) {
  if (name == "TabStop")
    SetTabStop(reader.Boolean(value));
  else if (name == "TabOrder")
    SetTabOrder(reader.Integer(value));
  else if (name == "OnEnter")
    OnEnter = reader.Handler<TNotifyEvent>(value);
  else if (name == "OnExit")
    OnExit = reader.Handler<TNotifyEvent>(value);
  else if (name == "OnKeyDown")
    OnKeyDown = reader.Handler<TKeyEvent>(value);
  else if (name == "OnKeyUp")
    OnKeyUp = reader.Handler<TKeyEvent>(value);
  else
    return TControl::ReadProperty(reader, name, value);
  return true;
}

void TWinControl::CreateHandle() {
  TControl::CreateHandle();
  if (!handle_) return;
  // Later controls lie in front of earlier ones, as in the description.
  for (TControl* control : controls_) {
    control->CreateHandle();
    if (control->handle_) {
      SetWindowPos(control->handle_, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (TControl* child = FromHandle(reinterpret_cast<HWND>(lparam))) {
        if (auto* container = dynamic_cast<TWinControl*>(child))
          container->CommandNotify(HIWORD(wparam));
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
      if (tab_stop_ && CanFocus() && !Focused()) SetFocus();
      break;
    case WM_SETFOCUS:
      if (TForm* form = ParentForm(); form && form != this) form->FocusMoved(this);
      Invalidate();
      if (OnEnter) OnEnter(this);
      break;
    case WM_KILLFOCUS:
      Invalidate();
      if (OnExit) OnExit(this);
      break;
    case WM_KEYDOWN:
    case WM_KEYUP: {
      WORD key = static_cast<WORD>(wparam);
      if (message == WM_KEYDOWN)
        KeyDown(key, KeyboardShiftState());
      else
        KeyUp(key, KeyboardShiftState());
      if (key == 0) return 0;
      break;
    }
    default:
      break;
  }
  return TControl::WndProc(message, wparam, lparam);
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* control : controls_) control->ParentFontChanged();
}

void TWinControl::ParentColorChanged() {
  TControl::ParentColorChanged();
  for (TControl* control : controls_) {
    if (control->parent_color_) control->ParentColorChanged();
  }
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::CommandNotify(WORD) {}
