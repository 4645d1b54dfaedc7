#pragma once

#include "framework/application.h"
#include "framework/forms.h"

#include <gtest/gtest.h>

#include <string>

// One shown form for a whole test suite (hiding and destroying a window is
// slow under Wine); each test puts its own controls on it.
class ControlHostTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void TearDown() override;

  // Reads a description body (objects and properties) into a fresh child panel
  // of the host form and returns the panel's owner-visible components by name.
  void Read(const std::string& body);
  template <class T>
  T* Get(const char* name) {
    auto* component = dynamic_cast<T*>(host_->FindComponent(name));
    EXPECT_NE(component, nullptr) << name;
    return component;
  }
  static TForm* Host() { return host_; }

  static void Pump(DWORD milliseconds);
  // A left click (press and release) at a client point, as the mouse sends it.
  static void ClickAt(TControl* control, int x, int y);

 private:
  static TForm* host_;
};
