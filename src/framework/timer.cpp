#include "framework/timer.h"

#include "framework/application.h"
#include "framework/description_reader.h"
#include "framework/window_api.h"

#include <exception>

namespace {

constexpr wchar_t kTimerClass[] = L"KwtTimer";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  if (window_) DestroyWindow(window_);
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned milliseconds) {
  interval_ = milliseconds;
  UpdateTimer();
}

bool TTimer::ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) {
  if (name == "Enabled")
    SetEnabled(reader.Boolean(value));
  else if (name == "Interval") {
    const int interval = reader.Integer(value);
    if (interval < 0) reader.Fail(value, "Interval must not be negative");
    SetInterval(static_cast<unsigned>(interval));
  } else if (name == "OnTimer")
    OnTimer = reader.Handler<TNotifyEvent>(value);
  else
    return TComponent::ReadProperty(reader, name, value);
  return true;
}

void TTimer::UpdateTimer() {
  if (!window_) {
    static const bool registered = [] {
      return window_api::RegisterWindowClass({kTimerClass, TimerWindowProc});
    }();
    (void)registered;
    window_ = window_api::NewMessageWindow(kTimerClass);
    window_api::SetWindowData(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  KillTimer(window_, kTimerId);
  running_ = enabled_ && interval_ > 0 && SetTimer(window_, kTimerId, interval_, nullptr) != 0;
}

LRESULT CALLBACK TTimer::TimerWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER) {
    auto* timer = reinterpret_cast<TTimer*>(window_api::WindowData(window, GWLP_USERDATA));
    if (timer && timer->running_ && timer->OnTimer) {
      try {
        timer->OnTimer(timer);
      } catch (...) {
        Application->StorePendingException(std::current_exception());
      }
    }
    return 0;
  }
  return window_api::DefaultProcedure(window, message, wparam, lparam);
}
