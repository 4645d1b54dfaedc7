#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/unit1.h"
#include "support/temp_folder.h"

// A TForm1 built in this process over a temporary program folder: the
// settings file, the package folders and Halbrent.exe lie under Root(); the
// system folder that may hold Tarnix.ini is a second temporary folder.
class FormTest : public testing::Test {
 protected:
  FormTest();
  ~FormTest() override;

  const testing_support::TempFolder& Root() const { return root_; }
  std::string SystemFolder() const { return system_.Path(); }
  std::string TarnixIni() const { return SystemFolder() + "\\Tarnix.ini"; }

  void WriteSettings(const std::string& text);
  // Empty files or folders (names ending in "\") under the root.
  void MakeTree(const std::vector<std::string>& paths);

  // Creates the window as the program does, with these command-line arguments.
  TForm1& CreateForm(const std::vector<std::string>& arguments = {});
  // Shows and activates it, as the message loop would.
  void Activate();
  TForm1& Form() { return *form_; }

  // The caption of the button, the counter and the hint line.
  std::string ButtonText() { return form_->Button1->Caption(); }
  std::string CounterText() { return form_->Label4->Caption(); }

 private:
  testing_support::TempFolder root_;
  testing_support::TempFolder system_;
  std::unique_ptr<TForm1> form_;
};

// Text of a list's entries, top to bottom.
std::vector<std::string> Entries(const TKWTXPCheckListBox* list);
