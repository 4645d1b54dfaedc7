#pragma once

#include "framework/controls.h"
#include "framework/strings.h"

enum class TComboBoxStyle { csDropDown, csDropDownList };

// Combo box over the system's one; its drop-down list opens as wide as the
// control plus DropDownWidthPlus pixels.
class TKWTXPComboBox : public TWinControl {
 public:
  explicit TKWTXPComboBox(TComponent* owner);
  const char* ClassName() const override { return "TKWTXPComboBox"; }

  TStrings& Items() { return items_; }
  const TStrings& Items() const { return items_; }
  int ItemIndex() const;
  void SetItemIndex(int index);
  // The edit text (the selected entry's text with csDropDownList).
  std::string Text() const;
  void SetText(const std::string& text);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  int DropDownCount() const { return drop_down_count_; }
  void SetDropDownCount(int count);
  // Never below 0: negative values are taken as 0.
  int DropDownWidthPlus() const { return drop_down_width_plus_; }
  void SetDropDownWidthPlus(int pixels);
  int DropDownWidth() const { return Width() + drop_down_width_plus_; }
  bool DroppedDown() const;

  void SetBounds(int left, int top, int width, int height) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;

  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;

 protected:
  void CreateHandle() override;
  void CommandNotify(WORD code) override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  // Drawing over the system's own (frame and drop-down button), on a canvas
  // of the whole window, frame included.
  virtual void PaintOver(TCanvas& canvas);
  void FontChanged() override;

 private:
  void SyncItems();
  void ApplyDropDownWidth();
  void SetHot(bool hot);

  // The mouse is over the control (its edit part included).
  bool hot_ = false;

  TStringList items_;
  int item_index_ = -1;
  std::string text_;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  int drop_down_count_ = 8;
  int drop_down_width_plus_ = 0;
};
