#pragma once

#include <functional>
#include <string>
#include <vector>

// An ordered list of texts, as Delphi's TStrings; OnChange follows every change.
class TStrings {
 public:
  virtual ~TStrings() = default;

  virtual int Count() const = 0;
  virtual const std::string& Strings(int index) const = 0;
  virtual void SetStrings(int index, const std::string& text) = 0;
  virtual void Insert(int index, const std::string& text) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  int Add(const std::string& text);
  void AddStrings(const std::vector<std::string>& texts);
  // Index of the first text equal to this one without regard to ASCII case, or -1.
  int IndexOf(const std::string& text) const;
  std::vector<std::string> ToVector() const;
  void Assign(const std::vector<std::string>& texts);

  std::function<void()> OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange();
  }
  // Throws IndexError for an index outside 0..Count()-1 (or Count() when inserting).
  void CheckIndex(int index, bool inserting) const;
};

class TStringList : public TStrings {
 public:
  int Count() const override { return static_cast<int>(items_.size()); }
  const std::string& Strings(int index) const override;
  void SetStrings(int index, const std::string& text) override;
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  void Clear() override;

 private:
  std::vector<std::string> items_;
};
