#include "controls/xp_combo_box.h"

#include "common/errors.h"
#include "controls/look/combo_painter.h"
#include "framework/description_reader.h"

#include <algorithm>

TKWTXPComboBox::TKWTXPComboBox(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetClickEvents(false);
  SetBounds(0, 0, 145, 21);
  items_.OnChange = [this] { SyncItems(); };
}

int TKWTXPComboBox::ItemIndex() const {
  if (handle_) return static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0));
  return item_index_;
}

void TKWTXPComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_.Count()) index = -1;
  item_index_ = index;
  text_ = index >= 0 ? items_.Strings(index) : std::string();
  if (handle_) SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string TKWTXPComboBox::Text() const {
  if (!handle_) return text_;
  const int length = GetWindowTextLengthA(handle_);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(handle_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void TKWTXPComboBox::SetText(const std::string& text) {
  text_ = text;
  item_index_ = items_.IndexOf(text);
  if (!handle_) return;
  SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(item_index_), 0);
  if (style_ == TComboBoxStyle::csDropDown) SetWindowTextA(handle_, text.c_str());
}

void TKWTXPComboBox::SetStyle(TComboBoxStyle style) {
  if (style_ == style) return;
  text_ = Text();
  style_ = style;
  if (handle_) {
    DestroyHandle();
    CreateHandle();
  }
}

void TKWTXPComboBox::SetDropDownCount(int count) { drop_down_count_ = std::max(count, 1); }

void TKWTXPComboBox::SetDropDownWidthPlus(int pixels) {
  drop_down_width_plus_ = std::max(pixels, 0);
  ApplyDropDownWidth();
}

bool TKWTXPComboBox::DroppedDown() const {
  return handle_ && SendMessageA(handle_, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TKWTXPComboBox::SetBounds(int left, int top, int width, int height) {
  TWinControl::SetBounds(left, top, width, height);
  if (handle_) {
    SetWindowPos(handle_, nullptr, 0, 0, width, height + drop_down_count_ * 16,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ApplyDropDownWidth();
}

bool TKWTXPComboBox::ReadProperty(TReader& reader, const std::string& name,
                                  const TPropValue& value) {
  static const std::vector<TEnumName> style_names = {
      {"csDropDown", static_cast<int>(TComboBoxStyle::csDropDown)},
      {"csDropDownList", static_cast<int>(TComboBoxStyle::csDropDownList)}};
  if (name == "Items.Strings")
    items_.Assign(reader.Strings(value));
  else if (name == "ItemIndex")
    SetItemIndex(reader.Integer(value));
  else if (name == "Text")
    SetText(reader.String(value));
  else if (name == "Style")
    SetStyle(static_cast<TComboBoxStyle>(reader.Enum(value, style_names)));
  else if (name == "DropDownCount")
    SetDropDownCount(reader.Integer(value));
  else if (name == "DropDownWidthPlus")
    SetDropDownWidthPlus(reader.Integer(value));
  else if (name == "OnChange")
    OnChange = reader.Handler<TNotifyEvent>(value);
  else if (name == "OnDropDown")
    OnDropDown = reader.Handler<TNotifyEvent>(value);
  else
    return TWinControl::ReadProperty(reader, name, value);
  return true;
}

void TKWTXPComboBox::CreateHandle() {
  if (handle_ || !Parent() || !Parent()->HandleAllocated()) return;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | WS_TABSTOP | CBS_AUTOHSCROLL |
                (style_ == TComboBoxStyle::csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
  if (Visible()) style |= WS_VISIBLE;
  if (!Enabled()) style |= WS_DISABLED;
  // The height given to a combo box is that of the edit part plus the list.
  const int list_height = Height() + drop_down_count_ * 16;
  HWND window =
      CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", "", style, Left(), Top(), Width(), list_height,
                      Parent()->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window) throw Error("Error creating window of " + Name());
  AttachHandle(window);
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
  const std::string text = text_;
  const int index = item_index_;
  SyncItems();
  // A text set before the window existed stays as written, also when an
  // entry differs from it only in case.
  if (index >= 0 && index < items_.Count() && items_.Strings(index) == text)
    SetItemIndex(index);
  else
    SetText(text);
  ApplyDropDownWidth();
}

void TKWTXPComboBox::CommandNotify(WORD code) {
  switch (code) {
    case CBN_DROPDOWN:
      ApplyDropDownWidth();
      if (OnDropDown) OnDropDown(this);
      Invalidate();
      break;
    case CBN_CLOSEUP:
      Invalidate();
      break;
    case CBN_SELCHANGE:
      item_index_ = ItemIndex();
      text_ = item_index_ >= 0 ? items_.Strings(item_index_) : Text();
      if (OnChange) OnChange(this);
      break;
    case CBN_EDITCHANGE:
      text_ = Text();
      item_index_ = -1;
      if (OnChange) OnChange(this);
      break;
    default:
      break;
  }
}

namespace {

// Polls the mouse while the control is hot: the edit part is a window of its
// own, so leaving the control is not one message.
constexpr UINT_PTR kHotTimer = 0x4B57;

}  // namespace

LRESULT TKWTXPComboBox::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
    case WM_NCPAINT: {
      const LRESULT result = DefaultHandler(message, wparam, lparam);
      HDC dc = GetWindowDC(handle_);
      {
        TCanvas canvas(dc);
        canvas.Font() = Font();
        PaintOver(canvas);
      }
      ReleaseDC(handle_, dc);
      return result;
    }
    case WM_SETCURSOR:
      // Sent for the edit part too, before it sets its own cursor.
      SetHot(true);
      break;
    case WM_TIMER:
      if (wparam != kHotTimer) break;
      {
        POINT cursor{};
        RECT bounds{};
        GetCursorPos(&cursor);
        GetWindowRect(handle_, &bounds);
        if (!PtInRect(&bounds, cursor)) SetHot(false);
      }
      return 0;
    default:
      break;
  }
  return TWinControl::WndProc(message, wparam, lparam);
}

void TKWTXPComboBox::PaintOver(TCanvas& canvas) {
  RECT bounds{};
  GetWindowRect(handle_, &bounds);
  const RECT window{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
  ComboLook look;
  look.enabled = Enabled();
  look.dropped = DroppedDown();
  look.hot = hot_;
  look.color = ColorToRGB(Enabled() ? clWindow : clBtnFace);
  PaintComboBox(canvas.Handle(), window, look);
}

void TKWTXPComboBox::SetHot(bool hot) {
  if (hot_ == hot || !handle_) return;
  hot_ = hot;
  if (hot) {
    SetTimer(handle_, kHotTimer, 50, nullptr);
  } else {
    KillTimer(handle_, kHotTimer);
  }
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TKWTXPComboBox::FontChanged() {
  TWinControl::FontChanged();
  if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
}

void TKWTXPComboBox::SyncItems() {
  if (!handle_) return;
  SendMessageA(handle_, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < items_.Count(); ++i) {
    SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.Strings(i).c_str()));
  }
}

void TKWTXPComboBox::ApplyDropDownWidth() {
  if (handle_) SendMessageA(handle_, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(DropDownWidth()), 0);
}
