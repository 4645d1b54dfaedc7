#include "framework/application.h"
#include "support/child_process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ChildResult {
  DWORD exit_code = 0;
  int boxes = 0;
  std::string box_text;
};

// Runs this test program in a child mode, answers each error box it shows
// and returns its exit code; never waits longer than a few seconds.
ChildResult RunChild(const char* mode) {
  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  const testing_support::ChildResult child =
      testing_support::RunChild(program, {mode}, {"Application Error"}, 20000);
  EXPECT_FALSE(child.timed_out) << "child " << mode << " hung";
  ChildResult result;
  result.exit_code = static_cast<DWORD>(child.exit_code);
  result.boxes = static_cast<int>(child.boxes.size());
  if (!child.boxes.empty()) result.box_text = child.boxes.back().text;
  return result;
}

TEST(ApplicationErrorTest, UncaughtErrorShowsOneBoxAndExitsWithCodeOne) {
  const ChildResult result = RunChild("--child=throw");
  EXPECT_EQ(result.exit_code, 1u);
  EXPECT_EQ(result.boxes, 1);
  EXPECT_EQ(result.box_text, "Cannot load the library\r\nsecond line");
}

TEST(ApplicationErrorTest, FormWithoutDescriptionFailsCreationBeforeAnyWindow) {
  const ChildResult result = RunChild("--child=missing-form");
  EXPECT_EQ(result.exit_code, 1u);
  EXPECT_EQ(result.boxes, 1);
  EXPECT_EQ(result.box_text, "Resource TNODESCRIPTION not found");
}

TEST(ApplicationErrorTest, ErrorInAHandlerEndsTheLoopWithTheBox) {
  const ChildResult result = RunChild("--child=handler-throws");
  EXPECT_EQ(result.exit_code, 1u);
  EXPECT_EQ(result.boxes, 1);
  EXPECT_EQ(result.box_text, "handler failed");
}

TEST(ApplicationErrorTest, TerminateFromAHandlerEndsRunWithExitCodeZero) {
  for (const char* mode : {"--child=quit", "--child=terminate-before-run"}) {
    const ChildResult result = RunChild(mode);
    EXPECT_EQ(result.exit_code, 0u) << mode;
    EXPECT_EQ(result.boxes, 0) << mode;
  }
}

}  // namespace
