#pragma once

#include <string>
#include <string_view>
#include <vector>

// Base of everything a window is made of, visual or not. A component owned
// by another is destroyed with it; one destroyed first leaves its owner's list.
class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const {
    return components_.at(static_cast<std::size_t>(index));
  }
  // Owned component with this name (case-insensitive, ASCII), or null.
  TComponent* FindComponent(std::string_view name) const;

 private:
  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
};
