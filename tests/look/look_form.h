#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/forms.h"
#include "pixel_canvas.h"

// One shown form for a whole suite (showing a window is slow under Wine);
// each test reads its own controls onto it and they go again after it.
class LookFormTest : public testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void TearDown() override;

  // Reads a description body (objects) onto the form.
  static void Read(const std::string& body);
  template <class T>
  static T* Get(const char* name) {
    auto* component = dynamic_cast<T*>(form_->FindComponent(name));
    EXPECT_NE(component, nullptr) << name;
    return component;
  }
  static TForm* Form() { return form_; }

  // Lets the controls paint (and timers run) for a while.
  static void Pump(DWORD milliseconds = 80);
  // Puts the mouse pointer on a client point of the control and lets the
  // moves arrive.
  static void MoveMouseTo(TControl* control, int x, int y);
  // The pointer far away from every control.
  static void MoveMouseAway();
  // Pumps messages until `condition` holds, for at most a second (the
  // system reports the mouse leaving a window from a timer); returns it.
  static bool Eventually(const std::function<bool()>& condition);
  // The control's window as it is on the screen.
  static std::unique_ptr<PixelCanvas> Capture(TControl* control);

 private:
  static TForm* form_;
};
