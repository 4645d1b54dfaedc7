#pragma once

#include "framework/component.h"
#include "framework/events.h"
#include "framework/graphics.h"

#include <string>
#include <vector>

class TWinControl;
class TForm;

// The window procedure of every framework window.
LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// What CreateHandle hands to CreateWindowEx.
struct TCreateParams {
  const wchar_t* window_class = nullptr;  // null: the framework's own class
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD ex_style = 0;
};

// A visible element of a window. Every control of this framework is a window
// of its own, created once its parent has a window; until then the properties
// are only stored.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  const char* ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual int ClientWidth() const;
  virtual int ClientHeight() const;
  RECT ClientRect() const { return RECT{0, 0, ClientWidth(), ClientHeight()}; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent visible.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(const std::string& caption);
  // "short|long": the short part is the pop-up tip, the long part goes to
  // the application's Hint.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool ShowHint() const;
  void SetShowHint(bool show);
  bool ParentShowHint() const { return parent_show_hint_; }
  void SetParentShowHint(bool parent);

  // The font; changing it ends ParentFont.
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool parent);
  // The background colour; with ParentColor the parent's.
  TColor Color() const;
  void SetColor(TColor color);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool parent);

  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void Invalidate();
  // Invalidates and paints at once.
  void Repaint();
  // Paints at once whatever is invalid, and nothing when nothing is.
  void Update();
  POINT ScreenToClient(POINT point);
  POINT ClientToScreen(POINT point);
  void BringToFront();
  void SendToBack();

  // True while the mouse is over the control.
  bool MouseInControl() const { return mouse_in_control_; }
  // True between a left press on the control and its release.
  bool MouseHeld() const { return mouse_held_; }
  // The form the control lies on (itself for a form), or null.
  TForm* ParentForm();

  // Fires OnClick; what a mouse click on the control does.
  virtual void Click();
  // A default button: Enter without shift keys clicks it while the focus is
  // on a control that does not take Enter itself.
  virtual bool IsDefaultButton() const { return false; }
  // The control handles Enter itself (buttons do).
  virtual bool TakesReturn() const { return false; }
  // Draws the control onto a device context (the size of the client area).
  void PaintTo(HDC dc);

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;

  // The control behind a window of this framework, or null.
  static TControl* FromHandle(HWND window);

 protected:
  virtual void CreateParams(TCreateParams& params);
  // Creates the window (and the children's) when the parent has one.
  virtual void CreateHandle();
  void DestroyHandle();
  // Turns the window into one of this framework after CreateWindowEx of a
  // standard class (subclassing).
  void AttachHandle(HWND window);
  virtual LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT DefaultHandler(UINT message, WPARAM wparam, LPARAM lparam);

  // Plain drawing of the control on a buffer the size of the client area.
  virtual void Paint(TCanvas& canvas);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The cursor to show at this client point; null for the class cursor.
  virtual HCURSOR CursorAt(POINT point);
  virtual void FontChanged();
  virtual void EnabledChanged();
  virtual void ParentFontChanged();
  virtual void ParentColorChanged();

  // Whether a left press and release on the control is a click (OnClick);
  // lists fire OnClick on their own terms.
  void SetClickEvents(bool click_events) { click_events_ = click_events; }

  HWND handle_ = nullptr;
  WNDPROC original_proc_ = nullptr;

 private:
  friend class TWinControl;
  friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
  friend class TForm;
  void PaintBuffered();
  void UpdateBoundsFromWindow();
  TControl* HintControlAt(POINT point);

  TWinControl* parent_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::string hint_;
  bool show_hint_ = false;
  bool parent_show_hint_ = true;
  TFont font_;
  bool parent_font_ = true;
  bool adopting_font_ = false;
  TColor color_ = clBtnFace;
  bool parent_color_ = false;
  bool mouse_in_control_ = false;
  bool mouse_held_ = false;
  bool click_events_ = true;
};

// A control that can hold other controls and take the keyboard focus.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }

  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool tab_stop) { tab_stop_ = tab_stop; }
  // Position in the Tab key's order among the controls of the same form;
  // by default the order of creation.
  int TabOrder() const { return tab_order_; }
  void SetTabOrder(int order) { tab_order_ = order; }
  bool Focused() const;
  // Showing, enabled and on an enabled parent chain.
  bool CanFocus() const;
  void SetFocus();

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;

  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;

 protected:
  void CreateHandle() override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  void FontChanged() override;
  void ParentColorChanged() override;
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  // Notification codes of a standard child window (WM_COMMAND), sent back to it.
  virtual void CommandNotify(WORD code);

 private:
  friend class TControl;
  std::vector<TControl*> controls_;
  bool tab_stop_ = false;
  int tab_order_;
};

// A control without focus or children (labels, speed buttons).
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
  const char* ClassName() const override { return "TGraphicControl"; }
};

// The long part of a hint ("short|long" gives "long"; without "|" the whole).
std::string GetLongHint(const std::string& hint);
// The short part of a hint.
std::string GetShortHint(const std::string& hint);
