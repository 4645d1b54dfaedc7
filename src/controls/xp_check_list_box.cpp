#include "controls/xp_check_list_box.h"

#include "common/errors.h"
#include "controls/check_mark.h"
#include "controls/xp_check_box.h"
#include "framework/description_reader.h"

#include <algorithm>

const std::string& TCheckListItems::Strings(int index) const { return At(index).text; }

void TCheckListItems::SetStrings(int index, const std::string& text) {
  At(index).text = text;
  Changed();
  list_.ItemsChanged();
}

void TCheckListItems::Insert(int index, const std::string& text) {
  CheckIndex(index, true);
  entries_.insert(entries_.begin() + index, Entry{text, TCheckBoxState::cbUnchecked, true});
  Changed();
  list_.ItemsChanged();
}

void TCheckListItems::Delete(int index) {
  CheckIndex(index, false);
  entries_.erase(entries_.begin() + index);
  Changed();
  list_.ItemsChanged();
}

void TCheckListItems::Clear() {
  entries_.clear();
  Changed();
  list_.ItemsChanged();
}

TCheckListItems::Entry& TCheckListItems::At(int index) {
  CheckIndex(index, false);
  return entries_[static_cast<std::size_t>(index)];
}

const TCheckListItems::Entry& TCheckListItems::At(int index) const {
  CheckIndex(index, false);
  return entries_[static_cast<std::size_t>(index)];
}

TKWTXPCheckListBox::TKWTXPCheckListBox(TComponent* owner) : TWinControl(owner), items_(*this) {
  SetTabStop(true);
  SetClickEvents(false);
  SetColor(clWindow);
  SetParentFont(true);
  SetBounds(0, 0, 121, 97);
}

TCheckBoxState TKWTXPCheckListBox::State(int index) const { return items_.At(index).state; }

void TKWTXPCheckListBox::SetState(int index, TCheckBoxState state) {
  auto& entry = items_.At(index);
  if (entry.state == state) return;
  entry.state = state;
  InvalidateCheck(index);
}

bool TKWTXPCheckListBox::Checked(int index) const {
  return State(index) == TCheckBoxState::cbChecked;
}

void TKWTXPCheckListBox::SetChecked(int index, bool checked) {
  SetState(index, checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

bool TKWTXPCheckListBox::ItemEnabled(int index) const { return items_.At(index).enabled; }

void TKWTXPCheckListBox::SetItemEnabled(int index, bool enabled) {
  auto& entry = items_.At(index);
  if (entry.enabled == enabled) return;
  entry.enabled = enabled;
  InvalidateEntry(index);
}

void TKWTXPCheckListBox::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  if (index == item_index_) return;
  InvalidateEntry(item_index_);
  item_index_ = index;
  InvalidateEntry(item_index_);
  if (index >= 0) {
    if (index < top_index_)
      SetTopIndex(index);
    else if (index >= top_index_ + std::max(VisibleEntries(), 1))
      SetTopIndex(index - std::max(VisibleEntries(), 1) + 1);
  }
}

void TKWTXPCheckListBox::SetTopIndex(int index) {
  const int last_top = std::max(0, Count() - std::max(VisibleEntries(), 1));
  index = std::clamp(index, 0, last_top);
  if (index == top_index_) return;
  top_index_ = index;
  UpdateScrollBar();
  Invalidate();
}

int TKWTXPCheckListBox::ItemHeight() const {
  if (style_ != TListBoxStyle::lbStandard) return item_height_;
  if (standard_height_ == 0) {
    HDC dc = GetDC(nullptr);
    {
      TCanvas canvas(dc);
      canvas.Font() = Font();
      standard_height_ = canvas.TextHeight("Wg") + 1;
    }
    ReleaseDC(nullptr, dc);
  }
  return standard_height_;
}

void TKWTXPCheckListBox::SetItemHeight(int height) {
  if (height < 1) throw ArgumentError("ItemHeight must be positive");
  item_height_ = height;
  UpdateScrollBar();
  Invalidate();
}

void TKWTXPCheckListBox::SetStyle(TListBoxStyle style) {
  style_ = style;
  UpdateScrollBar();
  Invalidate();
}

int TKWTXPCheckListBox::ItemAtPos(POINT point, bool existing) const {
  const RECT client = ClientRect();
  if (PtInRect(&client, point)) {
    const int index = top_index_ + point.y / ItemHeight();
    if (index < Count()) return index;
    if (!existing) return Count();
  }
  return -1;
}

RECT TKWTXPCheckListBox::ItemRect(int index) const {
  const int height = ItemHeight();
  const int top = (index - top_index_) * height;
  return RECT{0, top, ClientWidth(), top + height};
}

int TKWTXPCheckListBox::CheckWidth() const { return CheckGlyphSize().cx + 2; }

RECT TKWTXPCheckListBox::CheckArea(int index) const {
  RECT area = ItemRect(index);
  if (bidi_mode_ == TBiDiMode::bdRightToLeft)
    area.left = area.right - CheckWidth();
  else
    area.right = area.left + CheckWidth();
  return area;
}

void TKWTXPCheckListBox::SetBiDiMode(TBiDiMode mode) {
  bidi_mode_ = mode;
  Invalidate();
}

void TKWTXPCheckListBox::SetFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

bool TKWTXPCheckListBox::ReadProperty(TReader& reader, const std::string& name,
                                      const TPropValue& value) {
  static const std::vector<TEnumName> bidi_names = {
      {"bdLeftToRight", static_cast<int>(TBiDiMode::bdLeftToRight)},
      {"bdRightToLeft", static_cast<int>(TBiDiMode::bdRightToLeft)}};
  static const std::vector<TEnumName> style_names = {
      {"lbStandard", static_cast<int>(TListBoxStyle::lbStandard)},
      {"lbOwnerDrawFixed", static_cast<int>(TListBoxStyle::lbOwnerDrawFixed)}};
  if (name == "Items.Strings")
    items_.Assign(reader.Strings(value));
  else if (name == "ItemHeight") {
    const int height = reader.Integer(value);
    if (height < 1) reader.Fail(value, "ItemHeight must be positive");
    SetItemHeight(height);
  } else if (name == "Style")
    SetStyle(static_cast<TListBoxStyle>(reader.Enum(value, style_names)));
  else if (name == "Flat")
    SetFlat(reader.Boolean(value));
  else if (name == "BiDiMode")
    SetBiDiMode(static_cast<TBiDiMode>(reader.Enum(value, bidi_names)));
  else if (name == "AllowGrayed")
    SetAllowGrayed(reader.Boolean(value));
  else if (name == "HeaderColor")
    SetHeaderColor(reader.Color(value));
  else if (name == "HeaderBackgroundColor")
    SetHeaderBackgroundColor(reader.Color(value));
  else if (name == "OnDrawItem")
    OnDrawItem = reader.Handler<TDrawItemEvent>(value);
  else if (name == "OnClickCheck")
    OnClickCheck = reader.Handler<TNotifyEvent>(value);
  else
    return TWinControl::ReadProperty(reader, name, value);
  return true;
}

void TKWTXPCheckListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.style |= WS_VSCROLL;
}

LRESULT TKWTXPCheckListBox::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
    case WM_SIZE:
      UpdateScrollBar();
      break;
    case WM_VSCROLL: {
      const int page = std::max(VisibleEntries(), 1);
      switch (LOWORD(wparam)) {
        case SB_LINEUP:
          SetTopIndex(top_index_ - 1);
          break;
        case SB_LINEDOWN:
          SetTopIndex(top_index_ + 1);
          break;
        case SB_PAGEUP:
          SetTopIndex(top_index_ - page);
          break;
        case SB_PAGEDOWN:
          SetTopIndex(top_index_ + page);
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
          SetTopIndex(HIWORD(wparam));
          break;
        default:
          break;
      }
      return 0;
    }
    case WM_MOUSEWHEEL:
      SetTopIndex(top_index_ - 3 * static_cast<short>(HIWORD(wparam)) / WHEEL_DELTA);
      return 0;
    case WM_CHAR:
      if (wparam == VK_SPACE && item_index_ >= 0) ToggleClickCheck(item_index_);
      return 0;
    default:
      break;
  }
  return TWinControl::WndProc(message, wparam, lparam);
}

void TKWTXPCheckListBox::Paint(TCanvas& canvas) {
  canvas.Font().SetUtf8Text(utf8_items_);
  canvas.SetBrushColor(Color());
  canvas.FillRect(ClientRect());
  const int height = ClientHeight();
  for (int index = top_index_; index < Count(); ++index) {
    const RECT rect = ItemRect(index);
    if (rect.top >= height) break;
    PaintEntry(canvas, index, rect);
  }
}

void TKWTXPCheckListBox::PaintEntry(TCanvas& canvas, int index, const RECT& rect) {
  const bool enabled = Enabled() && ItemEnabled(index);
  const RECT check_area = CheckArea(index);
  canvas.SetBrushColor(Color());
  canvas.FillRect(check_area);
  PaintCheck(canvas, check_area, State(index), enabled);
  RECT text = rect;
  if (bidi_mode_ == TBiDiMode::bdRightToLeft)
    text.right = check_area.left;
  else
    text.left = check_area.right;
  TOwnerDrawState draw_state = 0;
  if (index == item_index_) draw_state |= odSelected;
  if (Focused() && index == item_index_) draw_state |= odFocused;
  if (!enabled) draw_state |= odDisabled;
  if (style_ != TListBoxStyle::lbStandard && OnDrawItem) {
    OnDrawItem(this, &canvas, index, text, draw_state);
    return;
  }
  const bool selected = (draw_state & odSelected) != 0;
  canvas.SetBrushColor(selected ? clHighlight : Color());
  canvas.FillRect(text);
  canvas.Font().SetColor(!enabled ? clGrayText : selected ? clHighlightText : Font().Color());
  RECT inner = text;
  inner.left += 2;
  canvas.TextRect(inner, items_.Strings(index), DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (draw_state & odFocused) DrawFocusRect(canvas.Handle(), &text);
}

void TKWTXPCheckListBox::PaintCheck(TCanvas& canvas, const RECT& check_area, TCheckBoxState state,
                                    bool) {
  // The glyph's disabled colours follow the list, not the single entry.
  PaintCheckGlyph(canvas.Handle(), CenteredCheckGlyph(check_area),
                  {ToCheckMark(state), flat_, Enabled()});
}

void TKWTXPCheckListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  const int index = ItemAtPos(POINT{x, y}, true);
  if (index < 0) return;
  SetItemIndex(index);
  const RECT check_area = CheckArea(index);
  if (ItemEnabled(index) && x >= check_area.left && x < check_area.right) ToggleClickCheck(index);
  // A selection by mouse is a click, as with the standard list box.
  if (OnClick) OnClick(this);
}

void TKWTXPCheckListBox::KeyDown(WORD& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  const int page = std::max(VisibleEntries(), 1);
  switch (key) {
    case VK_UP:
      MoveSelection(item_index_ - 1);
      break;
    case VK_DOWN:
      MoveSelection(item_index_ + 1);
      break;
    case VK_PRIOR:
      MoveSelection(item_index_ - page);
      break;
    case VK_NEXT:
      MoveSelection(item_index_ + page);
      break;
    case VK_HOME:
      MoveSelection(0);
      break;
    case VK_END:
      MoveSelection(Count() - 1);
      break;
    default:
      break;
  }
}

void TKWTXPCheckListBox::FontChanged() {
  standard_height_ = 0;
  TWinControl::FontChanged();
  UpdateScrollBar();
}

void TKWTXPCheckListBox::ItemsChanged() {
  if (item_index_ >= Count()) item_index_ = -1;
  if (top_index_ > 0 && top_index_ >= Count()) top_index_ = std::max(0, Count() - 1);
  UpdateScrollBar();
  Invalidate();
}

void TKWTXPCheckListBox::ToggleClickCheck(int index) {
  if (index < 0 || index >= Count() || !ItemEnabled(index)) return;
  SetState(index, NextUserState(State(index), allow_grayed_));
  if (OnClickCheck) OnClickCheck(this);
}

void TKWTXPCheckListBox::InvalidateCheck(int index) {
  if (!EntryShown(index)) return;
  const RECT rect = CheckArea(index);
  InvalidateRect(handle_, &rect, FALSE);
}

void TKWTXPCheckListBox::InvalidateEntry(int index) {
  if (!EntryShown(index)) return;
  const RECT rect = ItemRect(index);
  InvalidateRect(handle_, &rect, FALSE);
}

// An entry scrolled out of the client area has nothing to repaint: setting
// thousands of states in code costs no more than the rows on show.
bool TKWTXPCheckListBox::EntryShown(int index) const {
  if (!HandleAllocated() || index < top_index_ || index >= Count()) return false;
  return ItemRect(index).top < ClientHeight();
}

int TKWTXPCheckListBox::VisibleEntries() const { return ClientHeight() / ItemHeight(); }

void TKWTXPCheckListBox::UpdateScrollBar() {
  if (!HandleAllocated()) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = std::max(Count() - 1, 0);
  info.nPage = static_cast<UINT>(std::max(VisibleEntries(), 1));
  info.nPos = top_index_;
  SetScrollInfo(handle_, SB_VERT, &info, TRUE);
}

void TKWTXPCheckListBox::MoveSelection(int index) {
  if (Count() == 0) return;
  index = std::clamp(index, 0, Count() - 1);
  if (index == item_index_) return;
  SetItemIndex(index);
  if (OnClick) OnClick(this);
}
