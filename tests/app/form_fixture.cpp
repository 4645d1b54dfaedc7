#include "form_fixture.h"

#include "app/program_places.h"
#include "support/file_util.h"

using testing_support::MakeFolders;
using testing_support::WriteTextFile;

FormTest::FormTest() { ResetApplicationState(); }

FormTest::~FormTest() {
  form_.reset();
  Application->ProcessMessages();
  ResetProgramPlaces();
}

void FormTest::WriteSettings(const std::string& text) {
  WriteTextFile(root_ / "Korvelund.ini", text);
}

void FormTest::MakeTree(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    if (path.ends_with("\\")) {
      MakeFolders(root_ / path.substr(0, path.size() - 1));
    } else {
      WriteTextFile(root_ / path, "");
    }
  }
}

TForm1& FormTest::CreateForm(const std::vector<std::string>& arguments) {
  RedirectProgramPlaces(root_ / "Korvelund.exe", SystemFolder(), arguments);
  form_ = std::make_unique<TForm1>(nullptr);
  return *form_;
}

void FormTest::Activate() {
  form_->ShowForm();
  Application->ProcessMessages();
}

std::vector<std::string> Entries(const TKWTXPCheckListBox* list) {
  return list->Items().ToVector();
}
