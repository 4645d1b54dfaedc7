#pragma once

#include "controls/check_state.h"
#include "framework/controls.h"
#include "framework/strings.h"

#include <vector>

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed };
enum class TBiDiMode { bdLeftToRight, bdRightToLeft };

class TKWTXPCheckListBox;

// The entries of a check list: text, state and enabled flag kept together.
class TCheckListItems : public TStrings {
 public:
  explicit TCheckListItems(TKWTXPCheckListBox& list) : list_(list) {}
  int Count() const override { return static_cast<int>(entries_.size()); }
  const std::string& Strings(int index) const override;
  void SetStrings(int index, const std::string& text) override;
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  void Clear() override;

 private:
  friend class TKWTXPCheckListBox;
  struct Entry {
    std::string text;
    TCheckBoxState state = TCheckBoxState::cbUnchecked;
    bool enabled = true;
  };
  Entry& At(int index);
  const Entry& At(int index) const;

  TKWTXPCheckListBox& list_;
  std::vector<Entry> entries_;
};

// List with a check box per entry. Entries have three states and an enabled
// flag. A user toggle (left click in the check area of an enabled entry, or
// Space on the current one) moves the state on and fires OnClickCheck;
// setting State or Checked in code repaints that check box only and fires
// nothing. A click on an entry selects it and fires OnClick.
class TKWTXPCheckListBox : public TWinControl {
 public:
  explicit TKWTXPCheckListBox(TComponent* owner);
  const char* ClassName() const override { return "TKWTXPCheckListBox"; }

  TStrings& Items() { return items_; }
  const TStrings& Items() const { return items_; }
  int Count() const { return items_.Count(); }

  TCheckBoxState State(int index) const;
  void SetState(int index, TCheckBoxState state);
  bool Checked(int index) const;
  void SetChecked(int index, bool checked);
  bool ItemEnabled(int index) const;
  void SetItemEnabled(int index, bool enabled);

  int ItemIndex() const { return item_index_; }
  void SetItemIndex(int index);
  int TopIndex() const { return top_index_; }
  void SetTopIndex(int index);
  int ItemHeight() const;
  void SetItemHeight(int height);
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle style);
  // The entry under a client point; -1 when none (with existing false: Count
  // for a point below the last entry).
  int ItemAtPos(POINT point, bool existing) const;
  RECT ItemRect(int index) const;
  // Width of the check area at the start of each entry (at its end for
  // right-to-left reading).
  int CheckWidth() const;
  RECT CheckArea(int index) const;
  TBiDiMode BiDiMode() const { return bidi_mode_; }
  void SetBiDiMode(TBiDiMode mode);

  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  // Entry texts are UTF-8 (file names on the NT family), not bytes of the
  // font's code page; owner drawing gets a canvas set alike.
  bool Utf8Items() const { return utf8_items_; }
  void SetUtf8Items(bool utf8) {
    utf8_items_ = utf8;
    Invalidate();
  }
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool allow) { allow_grayed_ = allow; }
  TColor HeaderColor() const { return header_color_; }
  void SetHeaderColor(TColor color) { header_color_ = color; }
  TColor HeaderBackgroundColor() const { return header_background_color_; }
  void SetHeaderBackgroundColor(TColor color) { header_background_color_ = color; }

  // Owner drawing of an entry's text part (with Style lbOwnerDrawFixed).
  TDrawItemEvent OnDrawItem;
  TNotifyEvent OnClickCheck;

  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(TCanvas& canvas) override;
  // Draws one entry's check box into the check area.
  virtual void PaintCheck(TCanvas& canvas, const RECT& check_area, TCheckBoxState state,
                          bool enabled);
  // Draws one entry: its check box, then its text (or OnDrawItem).
  virtual void PaintEntry(TCanvas& canvas, int index, const RECT& rect);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void FontChanged() override;

 private:
  friend class TCheckListItems;
  void ItemsChanged();
  void ToggleClickCheck(int index);
  void InvalidateCheck(int index);
  void InvalidateEntry(int index);
  bool EntryShown(int index) const;
  int VisibleEntries() const;
  void UpdateScrollBar();
  void MoveSelection(int index);

  TCheckListItems items_;
  int item_index_ = -1;
  int top_index_ = 0;
  int item_height_ = 16;
  // Entry height of the standard style, measured once per font.
  mutable int standard_height_ = 0;
  TListBoxStyle style_ = TListBoxStyle::lbStandard;
  TBiDiMode bidi_mode_ = TBiDiMode::bdLeftToRight;
  bool flat_ = true;
  bool allow_grayed_ = false;
  bool utf8_items_ = false;
  TColor header_color_ = clInfoText;
  TColor header_background_color_ = clInfoBk;
};
