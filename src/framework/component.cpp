#include "framework/component.h"

#include "framework/description_reader.h"

#include <algorithm>
#include <cctype>

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  // Last created dies first; each child's destructor unlinks itself.
  while (!components_.empty()) delete components_.back();
  if (owner_) {
    auto& siblings = owner_->components_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  for (TComponent* component : components_) {
    const std::string& own = component->name_;
    if (own.size() == name.size() &&
        std::equal(own.begin(), own.end(), name.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        })) {
      return component;
    }
  }
  return nullptr;
}

bool TComponent::ReadProperty(TReader& reader, const std::string& name, const TPropValue& value) {
  if (name == "Tag") {
    SetTag(reader.Integer(value));
    return true;
  }
  return false;
}

void TComponent::Loaded() {}

void TComponent::SetParentComponent(TComponent*) {}
