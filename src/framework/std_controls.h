#pragma once

#include "framework/controls.h"
#include "framework/description_reader.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };
enum class TBevelCut { bvNone, bvLowered, bvRaised };

// Text on the parent's background.
class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);
  const char* ClassName() const override { return "TLabel"; }

  void SetCaption(const std::string& caption) override;
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  // With AutoSize the label takes the size of its text (on one line unless WordWrap).
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool word_wrap);
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool show);

  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;
  void Loaded() override;

 protected:
  void Paint(TCanvas& canvas) override;
  void FontChanged() override;

 private:
  UINT TextFlags() const;
  void AdjustBounds();

  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool auto_size_ = true;
  bool word_wrap_ = false;
  bool show_accel_char_ = true;
};

// A container with bevels and a centred caption.
class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner);
  const char* ClassName() const override { return "TPanel"; }

  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut bevel);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut bevel);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  TBevelCut bevel_outer_ = TBevelCut::bvRaised;
  TBevelCut bevel_inner_ = TBevelCut::bvNone;
  int bevel_width_ = 1;
  TAlignment alignment_ = TAlignment::taCenter;
};

// A flat button that never takes the focus; Down keeps it pressed.
class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  const char* ClassName() const override { return "TSpeedButton"; }

  bool Down() const { return down_; }
  void SetDown(bool down);
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);

  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;

 protected:
  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  bool down_ = false;
  bool flat_ = false;
};

// Reading helpers shared with the controls library.
const std::vector<TEnumName>& AlignmentNames();
