#include "framework/component.h"

#include <gtest/gtest.h>

namespace {

class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::vector<std::string>* log, std::string name)
      : TComponent(owner), log_(log) {
    SetName(std::move(name));
  }
  ~Probe() override { log_->push_back(Name()); }

 private:
  std::vector<std::string>* log_;
};

TEST(ComponentTest, OwnerDestroysOwnedComponentsLastFirst) {
  std::vector<std::string> log;
  auto* form = new Probe(nullptr, &log, "Form1");
  new Probe(form, &log, "Timer1");
  auto* zip = new Probe(form, &log, "SevenZip1");
  EXPECT_EQ(form->ComponentCount(), 2);
  EXPECT_EQ(form->FindComponent("sevenzip1"), zip);
  EXPECT_EQ(form->FindComponent("Missing"), nullptr);
  delete form;
  EXPECT_EQ(log, (std::vector<std::string>{"Form1", "SevenZip1", "Timer1"}));
}

TEST(ComponentTest, ComponentDestroyedFirstLeavesItsOwner) {
  std::vector<std::string> log;
  Probe form(nullptr, &log, "Form1");
  delete new Probe(&form, &log, "Timer1");
  EXPECT_EQ(form.ComponentCount(), 0);
}

}  // namespace
