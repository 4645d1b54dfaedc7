// Test program of the framework. With --child=MODE it acts as a tiny program
// of its own, for the tests that must watch a whole process end.
#include "framework/application.h"
#include "framework/forms.h"
#include "framework/timer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

namespace {

class TNoDescription : public TForm {
 public:
  explicit TNoDescription(TComponent* owner) : TForm(owner) { InitializeForm(); }
  const char* ClassName() const override { return "TNoDescription"; }
};

int RunChild(const std::string& mode) {
  return Application->Execute([&] {
    if (mode == "throw") throw std::runtime_error("Cannot load the library\r\nsecond line");
    if (mode == "missing-form") {
      TNoDescription* form = nullptr;
      Application->CreateForm(form);
      Application->Run();
      return;
    }
    if (mode == "terminate-before-run") {
      Application->Terminate();
      Application->ProcessMessages();
      Application->Run();
      return;
    }
    if (mode != "quit" && mode != "handler-throws")
      throw std::invalid_argument("unknown child mode " + mode);
    auto* timer = new TTimer(Application);
    timer->SetInterval(20);
    timer->OnTimer = [mode](TObject*) {
      if (mode == "handler-throws") throw std::runtime_error("handler failed");
      Application->Terminate();
    };
    Application->Run();
  });
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--child=", 8) == 0) return RunChild(argv[i] + 8);
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
