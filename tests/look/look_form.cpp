#include "look_form.h"

#include "framework/application.h"
#include "framework/description_reader.h"
#include "window_capture.h"

TForm* LookFormTest::form_ = nullptr;

void LookFormTest::SetUpTestSuite() {
  form_ = new TForm(Application);
  form_->SetBounds(40, 40, 520, 420);
  form_->ShowForm();
  MoveMouseAway();
}

void LookFormTest::TearDownTestSuite() {
  delete form_;
  form_ = nullptr;
}

void LookFormTest::TearDown() {
  while (form_->ComponentCount() > 0) delete form_->Components(form_->ComponentCount() - 1);
  MoveMouseAway();
}

void LookFormTest::Read(const std::string& body) {
  ReadComponent("object Host: THost\n" + body + "\nend\n", form_);
  Pump();
}

void LookFormTest::Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    Application->ProcessMessages();
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

void LookFormTest::MoveMouseTo(TControl* control, int x, int y) {
  const POINT screen = control->ClientToScreen(POINT{x, y});
  SetCursorPos(screen.x, screen.y);
  Pump(150);
}

void LookFormTest::MoveMouseAway() {
  SetCursorPos(1000, 900);
  Pump(150);
}

bool LookFormTest::Eventually(const std::function<bool()>& condition) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > 1000) return false;
    Pump(20);
  }
  return true;
}

std::unique_ptr<PixelCanvas> LookFormTest::Capture(TControl* control) {
  Pump(30);
  return CaptureWindow(control->Handle());
}
