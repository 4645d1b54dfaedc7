#pragma once

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/std_controls.h"
#include "framework/timer.h"
#include "support/pump_until.h"

#include <string>
#include <vector>

// A form that logs its events. Its class name (and so its resource name) is
// chosen by the test; with initialize set, the constructor reads the
// description and runs OnCreate as a real form does.
class TLogForm : public TForm {
 public:
  TLogForm(TComponent* owner, std::string class_name, bool initialize);
  const char* ClassName() const override { return class_name_.c_str(); }

  void FormCreate(TObject* sender);
  void FormActivate(TObject* sender);
  void FormDeactivate(TObject* sender);
  void FormKeyUp(TObject* sender, WORD& key, TShiftState shift);
  void ButtonClick(TObject* sender);
  void TimerTick(TObject* sender);
  void ControlMouseMove(TObject* sender, TShiftState shift, int x, int y);

  std::vector<std::string> log;
  TLabel* Label1 = nullptr;
  TPanel* Panel1 = nullptr;

 private:
  std::string class_name_;
};

using testing_support::PumpUntil;

// Lets the messages of the next milliseconds be handled.
void PumpFor(DWORD milliseconds);
