#pragma once

#include "framework/component.h"
#include "framework/events.h"

#include <exception>
#include <functional>
#include <string>

class TControl;
class TForm;

// The process's application object: message loop, main form, hints and the
// last-resort error box.
class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;
  const char* ClassName() const override { return "TApplication"; }

  void Initialize() {}
  // Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  void CreateForm(T*& reference) {
    reference = nullptr;
    T* form = new T(this);
    reference = form;
    if (!main_form_) main_form_ = form;
  }
  TForm* MainForm() const { return main_form_; }

  // Shows the main form and processes messages until Terminate.
  void Run();
  // Asks the message loop to end (a quit message is posted).
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every pending message, then returns.
  void ProcessMessages();
  // Handles one message, waiting for one when there is none.
  void HandleMessage();

  bool Minimized() const;
  void Minimize();
  void Restore();

  // Hints: Hint is the long part of the hint of the control under the mouse;
  // OnHint follows each change. The pop-up tip shows the short part after
  // HintPause milliseconds.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  int HintPause() const { return hint_pause_; }
  void SetHintPause(int milliseconds) { hint_pause_ = milliseconds; }
  int HintHidePause() const { return hint_hide_pause_; }
  void SetHintHidePause(int milliseconds) { hint_hide_pause_ = milliseconds; }
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool show);
  // The text of the pop-up tip on show now; empty when none is shown.
  std::string VisibleHintText() const;
  TNotifyEvent OnHint;

  // Runs the program body; an exception that escapes it shows the
  // "Application Error" box with its message and gives exit code 1.
  int Execute(const std::function<void()>& body);
  // The "Application Error" box.
  void ShowException(const std::string& message);
  // An exception thrown inside a window procedure is kept here and thrown
  // again from the message loop, so it reaches Execute.
  void StorePendingException(std::exception_ptr exception);
  void RaisePendingException();

  // Mouse tracking from the controls.
  void MouseMovedOver(TControl* control);
  void MouseLeft(TControl* control);
  void CancelHint();
  // A form or control is going away.
  void ControlDestroyed(TControl* control);

  // The form that was activated last, while the application is active.
  TForm* ActiveForm() const { return active_form_; }
  void SetActiveForm(TForm* form) { active_form_ = form; }

 private:
  bool ProcessMessage(MSG& message);
  bool PreviewKey(MSG& message);
  void HintTimerFired(UINT_PTR id);
  void ShowHintWindow();
  void HideHintWindow();
  static LRESULT CALLBACK UtilityProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK HintProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void PaintHint(HWND window);
  HWND UtilityWindow();

  TForm* main_form_ = nullptr;
  TForm* active_form_ = nullptr;
  bool terminated_ = false;
  std::string hint_;
  int hint_pause_ = 500;
  int hint_hide_pause_ = 2500;
  bool show_hint_ = true;
  TControl* mouse_control_ = nullptr;
  HWND utility_window_ = nullptr;
  HWND hint_window_ = nullptr;
  std::string hint_window_text_;
  BYTE hint_window_charset_ = DEFAULT_CHARSET;  // of the control the tip is for
  std::exception_ptr pending_exception_;
};

extern TApplication* const Application;
