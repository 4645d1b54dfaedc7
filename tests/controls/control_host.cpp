#include "control_host.h"

#include "framework/description_reader.h"

TForm* ControlHostTest::host_ = nullptr;

void ControlHostTest::SetUpTestSuite() {
  host_ = new TForm(Application);
  host_->SetBounds(50, 50, 500, 400);
  host_->ShowForm();
  Pump(50);
}

void ControlHostTest::TearDownTestSuite() {
  delete host_;
  host_ = nullptr;
}

void ControlHostTest::TearDown() {
  // The test's components go; the host stays.
  while (host_->ComponentCount() > 0) delete host_->Components(host_->ComponentCount() - 1);
}

void ControlHostTest::Read(const std::string& body) {
  ReadComponent("object Host: THost\n" + body + "\nend\n", host_);
}

void ControlHostTest::Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    Application->ProcessMessages();
    Sleep(2);
  } while (GetTickCount() - start < milliseconds);
}

void ControlHostTest::ClickAt(TControl* control, int x, int y) {
  SendMessageA(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
