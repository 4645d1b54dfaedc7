#pragma once

#include "framework/controls.h"
#include "framework/published.h"

#include <string>

enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter };

// A top-level window built from its window description: the RCDATA resource
// named after the form's class in capitals ("TFORM1" for TForm1).
//
// A derived form binds its fields and handlers in its constructor and then
// calls InitializeForm(), which reads the description (through
// ComponentResourceHook when one is set) and runs OnCreate.
class TForm : public TWinControl, public TPublished {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  const char* ClassName() const override { return "TForm"; }

  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  void SetCaption(const std::string& caption) override;
  void SetVisible(bool visible) override;

  TBorderIcons BorderIcons() const { return border_icons_; }
  void SetBorderIcons(TBorderIcons icons);
  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle style);
  TPosition Position() const { return position_; }
  // Centring rules take effect at once when the window is showing, else when shown.
  void SetPosition(TPosition position);
  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool preview) { key_preview_ = preview; }

  // Shows the window and makes it active.
  void ShowForm();
  // Hides the window; closing the main form ends the application.
  void Close();
  bool Active() const;
  // The control that has (or last had) the focus on this form.
  TWinControl* ActiveControl() const { return active_control_; }
  void SetActiveControl(TWinControl* control);
  // Moves the focus to the next (or previous) focusable control.
  void SelectNext(bool forward);
  // Clicks the first showing, enabled default button; false when there is none.
  bool ClickDefaultButton();

  TNotifyEvent OnCreate;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnClose;

  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;

  // A key message for a control of this form, offered to the form first
  // while KeyPreview is set; false when the handler swallowed the key.
  bool PreviewKey(UINT message, WORD& key);
  // Called by a control of this form that received the focus.
  void FocusMoved(TWinControl* control);
  // Called by a control of this form that is being destroyed.
  void ForgetControl(TControl* control);

 protected:
  // Reads the description and runs OnCreate; throws when it is missing.
  void InitializeForm();
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(TCanvas& canvas) override;
  void FontChanged() override;

 private:
  void ApplyStyle();
  void ApplyPosition();
  void Activated(HWND previous);
  void Deactivated(HWND next);

  TBorderIcons border_icons_ = biSystemMenu | biMinimize | biMaximize;
  TFormBorderStyle border_style_ = TFormBorderStyle::bsSizeable;
  TPosition position_ = TPosition::poDesigned;
  bool key_preview_ = false;
  TWinControl* active_control_ = nullptr;
  bool position_pending_ = false;
};
