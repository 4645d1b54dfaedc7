#pragma once

#include "framework/component.h"
#include "framework/events.h"

// A message-loop timer: OnTimer runs every Interval milliseconds while
// Enabled, from the message loop of the thread that created it.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  const char* ClassName() const override { return "TTimer"; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned milliseconds);
  // Whether the system timer runs now (Enabled and Interval > 0).
  bool Running() const { return running_; }

  TNotifyEvent OnTimer;

  bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) override;

 private:
  static LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void UpdateTimer();

  bool enabled_ = true;
  unsigned interval_ = 1000;
  HWND window_ = nullptr;
  bool running_ = false;
};
