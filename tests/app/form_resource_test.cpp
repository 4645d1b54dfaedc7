#include <windows.h>

#include <gtest/gtest.h>

#include "app/form_resource.h"
#include "framework/form_resource.h"
#include "framework/timer.h"

namespace {

const TTimer* ReadTimer(const char* resource, TComponent& holder) {
  EXPECT_TRUE(LoadFormResource(GetModuleHandleA(nullptr), resource, &holder));
  return dynamic_cast<const TTimer*>(holder.FindComponent("Timer9"));
}

TEST(LoadFormResource, ReadsPlainAndScrambledDescriptions) {
  for (const char* resource : {"TPLAIN", "TSCRAMBLED"}) {
    TComponent holder(nullptr);
    const TTimer* timer = ReadTimer(resource, holder);
    ASSERT_NE(timer, nullptr) << resource;
    EXPECT_EQ(timer->Interval(), 777u) << resource;
    EXPECT_FALSE(timer->Enabled()) << resource;
  }
}

TEST(LoadFormResource, MissingResourceIsNotFound) {
  TComponent holder(nullptr);
  EXPECT_FALSE(LoadFormResource(GetModuleHandleA(nullptr), "TNOSUCHFORM", &holder));
  EXPECT_EQ(holder.ComponentCount(), 0);
}

TEST(LoadFormResource, TheWindowsDescriptionIsStoredScrambledAndHooked) {
  const HRSRC resource = FindResourceA(nullptr, "TFORM1", RT_RCDATA);
  ASSERT_NE(resource, nullptr);
  const auto* bytes =
      static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, resource)));
  ASSERT_GE(SizeofResource(nullptr, resource), 4u);
  EXPECT_EQ(bytes[0], 0x55);
  EXPECT_EQ(bytes[1], 0x51);
  EXPECT_EQ(bytes[2], 0x47);
  EXPECT_EQ(bytes[3], 0x31);
  EXPECT_EQ(ComponentResourceHook, &LoadFormResource);
}

}  // namespace
