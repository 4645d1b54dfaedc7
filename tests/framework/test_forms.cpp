#include "test_forms.h"

TLogForm::TLogForm(TComponent* owner, std::string class_name, bool initialize)
    : TForm(owner), class_name_(std::move(class_name)) {
  BindHandler("FormCreate", this, &TLogForm::FormCreate);
  BindHandler("FormActivate", this, &TLogForm::FormActivate);
  BindHandler("FormDeactivate", this, &TLogForm::FormDeactivate);
  BindHandler("FormKeyUp", this, &TLogForm::FormKeyUp);
  BindHandler("ButtonClick", this, &TLogForm::ButtonClick);
  BindHandler("TimerTick", this, &TLogForm::TimerTick);
  BindHandler("ControlMouseMove", this, &TLogForm::ControlMouseMove);
  BindField("Label1", Label1);
  BindField("Panel1", Panel1);
  if (initialize) InitializeForm();
}

void TLogForm::FormCreate(TObject*) {
  // The description is read by now: its components exist.
  log.push_back(Label1 ? "create:" + Label1->Caption() : "create:no label");
}

void TLogForm::FormActivate(TObject*) { log.push_back("activate"); }

void TLogForm::FormDeactivate(TObject*) { log.push_back("deactivate"); }

void TLogForm::FormKeyUp(TObject*, WORD& key, TShiftState) {
  log.push_back("keyup:" + std::to_string(key));
}

void TLogForm::ButtonClick(TObject* sender) {
  log.push_back("click:" + static_cast<TComponent*>(sender)->Name());
}

void TLogForm::TimerTick(TObject*) { log.push_back("tick"); }

void TLogForm::ControlMouseMove(TObject* sender, TShiftState, int x, int y) {
  log.push_back("move:" + static_cast<TComponent*>(sender)->Name() + ":" + std::to_string(x) + "," +
                std::to_string(y));
}

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    Application->ProcessMessages();
    Sleep(5);
  }
}
