#pragma once

#include <string>
#include <string_view>
#include <vector>

class TReader;
struct TPropValue;

// Root of everything an event can name as its sender.
class TObject {
 public:
  virtual ~TObject() = default;
};

// Base of everything a window is made of, visual or not. A component owned
// by another is destroyed with it; one destroyed first leaves its owner's list.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
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

  // The class name a window description uses for this class.
  virtual const char* ClassName() const { return "TComponent"; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  // True while a window description is being read into this component.
  bool Loading() const { return loading_; }

  // Sets one property read from a window description; false when this class
  // has no property of that name. Derived classes handle theirs and pass the
  // rest to their base.
  virtual bool ReadProperty(TReader& reader, const std::string& name, const TPropValue& value);
  // Called once the whole description is read and every reference resolved.
  virtual void Loaded();
  // Places a component read from a description inside the enclosing one
  // (controls go onto their parent control; others ignore it).
  virtual void SetParentComponent(TComponent* parent);

 private:
  friend class TReader;
  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
  int tag_ = 0;
  bool loading_ = false;
};
