#include "framework/description_reader.h"
#include "framework/form_resource.h"
#include "test_forms.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const char kHookedForm[] = R"(
object HookForm: THookForm
  Caption = 'Hooked'
  KeyPreview = True
  OnCreate = FormCreate
  OnActivate = FormActivate
  OnDeactivate = FormDeactivate
  OnKeyUp = FormKeyUp
  object Label1: TLabel
    Caption = 'hooked label'
  end
  object Panel1: TPanel
    Left = 8
    Top = 30
    object Button1: TSpeedButton
      Caption = 'Go'
      OnClick = ButtonClick
    end
  end
end
)";

struct HookCall {
  HINSTANCE module;
  std::string name;
};
std::vector<HookCall> hook_calls;

bool TestHook(HINSTANCE module, const char* name, TComponent* component) {
  hook_calls.push_back({module, name});
  if (std::string(name) == "TVISIBLEFORM") {
    ReadComponent(std::string(kHookedForm)
                      .replace(std::string(kHookedForm).find("KeyPreview"), 0, "Visible = True\n"),
                  component);
    return true;
  }
  if (std::string(name) != "THOOKFORM") return false;
  ReadComponent(kHookedForm, component);
  return true;
}

class FormLifecycleTest : public ::testing::Test {
 protected:
  void SetUp() override { hook_calls.clear(); }
  void TearDown() override { ComponentResourceHook = nullptr; }
};

TEST_F(FormLifecycleTest, WithoutHookTheFormReadsItsRcDataResourceBeforeOnCreate) {
  auto form = std::make_unique<TLogForm>(Application, "TRcForm", true);
  EXPECT_EQ(form->log, std::vector<std::string>{"create:resource label"});
  EXPECT_EQ(form->Caption(), "From the resource");
  ASSERT_NE(form->Panel1, nullptr);
  EXPECT_EQ(form->Panel1->Width(), 200);
}

TEST_F(FormLifecycleTest, HookGetsTheProgramModuleAndTheUpperCaseClassName) {
  ComponentResourceHook = TestHook;
  auto form = std::make_unique<TLogForm>(Application, "THookForm", true);
  ASSERT_EQ(hook_calls.size(), 1u);
  EXPECT_EQ(hook_calls[0].module, GetModuleHandleA(nullptr));
  EXPECT_EQ(hook_calls[0].name, "THOOKFORM");
  EXPECT_EQ(form->log, std::vector<std::string>{"create:hooked label"});
}

TEST_F(FormLifecycleTest, FormDescribedVisibleShowsAfterOnCreate) {
  ComponentResourceHook = TestHook;
  auto form = std::make_unique<TLogForm>(Application, "TVisibleForm", true);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  ASSERT_TRUE(PumpUntil([&] { return form->log.size() >= 2; }));
  EXPECT_EQ(form->log, (std::vector<std::string>{"create:hooked label", "activate"}));
}

TEST_F(FormLifecycleTest, MissingResourceFailsCreationWithTheFrameworkError) {
  EXPECT_THROW(TLogForm(Application, "TNoSuchForm", true), EResNotFound);
  ComponentResourceHook = TestHook;
  try {
    TLogForm form(Application, "TNoSuchForm", true);
    FAIL() << "created without a description";
  } catch (const EResNotFound& error) {
    EXPECT_STREQ(error.what(), "Resource TNOSUCHFORM not found");
  }
  EXPECT_EQ(hook_calls.size(), 1u);
}

TEST_F(FormLifecycleTest, ActivationAndDeactivationBetweenTwoForms) {
  ComponentResourceHook = TestHook;
  auto first = std::make_unique<TLogForm>(Application, "THookForm", true);
  first->ShowForm();
  ASSERT_TRUE(PumpUntil([&] { return first->log.size() >= 2; }));
  EXPECT_EQ(first->log, (std::vector<std::string>{"create:hooked label", "activate"}));
  EXPECT_TRUE(first->Active());

  auto second = std::make_unique<TLogForm>(Application, "THookForm", true);
  second->ShowForm();
  ASSERT_TRUE(PumpUntil([&] { return second->log.size() >= 2; }));
  EXPECT_EQ(first->log.back(), "deactivate");
  EXPECT_EQ(second->log.back(), "activate");

  second->Hide();
  SetActiveWindow(first->Handle());
  ASSERT_TRUE(PumpUntil([&] { return first->log.back() == "activate"; }));
  EXPECT_EQ(std::count(first->log.begin(), first->log.end(), "activate"), 2);
}

TEST_F(FormLifecycleTest, KeyPreviewHandsKeysOfChildControlsToOnKeyUp) {
  ComponentResourceHook = TestHook;
  auto form = std::make_unique<TLogForm>(Application, "THookForm", true);
  form->ShowForm();
  ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
  PostMessageA(form->Panel1->Handle(), WM_KEYUP, VK_ESCAPE, 0);
  ASSERT_TRUE(PumpUntil([&] { return form->log.back().rfind("keyup", 0) == 0; }));
  EXPECT_EQ(form->log.back(), "keyup:27");
  form->SetKeyPreview(false);
  PostMessageA(form->Panel1->Handle(), WM_KEYUP, VK_RETURN, 0);
  PumpFor(100);
  EXPECT_EQ(form->log.back(), "keyup:27");
  // The form's own keys reach it whatever KeyPreview says.
  PostMessageA(form->Handle(), WM_KEYUP, VK_RETURN, 0);
  ASSERT_TRUE(PumpUntil([&] { return form->log.back() == "keyup:13"; }));
}

TEST_F(FormLifecycleTest, SpeedButtonClickByMouseMessages) {
  ComponentResourceHook = TestHook;
  auto form = std::make_unique<TLogForm>(Application, "THookForm", true);
  form->ShowForm();
  auto* button = dynamic_cast<TSpeedButton*>(form->FindComponent("Button1"));
  ASSERT_NE(button, nullptr);
  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(form->log.back(), "click:Button1");
  // Released outside: no click.
  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
  EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "click:Button1"), 1);
  button->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(button->Handle()));
}

TEST_F(FormLifecycleTest, BorderIconsAndCentredPosition) {
  ComponentResourceHook = TestHook;
  auto form = std::make_unique<TLogForm>(Application, "THookForm", true);
  form->SetBounds(0, 0, 300, 158);
  form->ShowForm();
  EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_STYLE) & WS_SYSMENU);
  form->SetBorderIcons(form->BorderIcons() & ~biSystemMenu);
  const LONG style = GetWindowLongA(form->Handle(), GWL_STYLE);
  EXPECT_FALSE(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  form->Hide();
  form->SetTop(0);
  form->SetPosition(TPosition::poDesktopCenter);
  form->ShowForm();
  RECT rect;
  GetWindowRect(form->Handle(), &rect);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 300) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 158) / 2);
  EXPECT_EQ(rect.bottom - rect.top, 158);

  // Showing a shown window neither moves it from where the user put it nor
  // announces it again; showing it after hiding does both.
  int shows = 0;
  form->OnShow = [&](TObject*) { ++shows; };
  SetWindowPos(form->Handle(), nullptr, 60, 47, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  form->Show();
  GetWindowRect(form->Handle(), &rect);
  EXPECT_EQ(rect.left, 60);
  EXPECT_EQ(rect.top, 47);
  EXPECT_EQ(shows, 0);
  form->Hide();
  form->Show();
  GetWindowRect(form->Handle(), &rect);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 300) / 2);
  EXPECT_EQ(shows, 1);
}

TEST_F(FormLifecycleTest, TimerTicksWhileEnabledOnly) {
  ComponentResourceHook = TestHook;
  auto form = std::make_unique<TLogForm>(Application, "THookForm", true);
  auto* timer = new TTimer(form.get());
  timer->SetInterval(20);
  timer->OnTimer = [&](TObject* sender) { form->TimerTick(sender); };
  ASSERT_TRUE(timer->Running());
  ASSERT_TRUE(
      PumpUntil([&] { return std::count(form->log.begin(), form->log.end(), "tick") >= 3; }));
  timer->SetEnabled(false);
  const auto ticks = std::count(form->log.begin(), form->log.end(), "tick");
  PumpFor(120);
  EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "tick"), ticks);
  timer->SetEnabled(true);
  timer->SetInterval(0);
  EXPECT_FALSE(timer->Running());
}

TEST_F(FormLifecycleTest, ProcessMessagesHandlesPendingMessagesAndNotesQuit) {
  ComponentResourceHook = TestHook;
  auto form = std::make_unique<TLogForm>(Application, "THookForm", true);
  form->ShowForm();
  PostMessageA(form->Panel1->Handle(), WM_KEYUP, 'A', 0);
  Application->ProcessMessages();
  EXPECT_EQ(form->log.back(), "keyup:65");
  Application->Terminate();
  Application->ProcessMessages();
  EXPECT_TRUE(Application->Terminated());
}

}  // namespace
