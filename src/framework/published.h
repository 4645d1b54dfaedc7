#pragma once

#include "framework/component.h"
#include "framework/events.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

// What a form publishes to its window description: its handlers by name (so
// that "OnClick = Button1Click" finds the method) and the fields that receive
// the components the description creates.
class TPublished {
 public:
  virtual ~TPublished() = default;

  // BindHandler("Button1Click", this, &TForm1::Button1Click).
  template <class Form, class... Args>
  void BindHandler(const std::string& name, Form* self, void (Form::*method)(Args...)) {
    handlers_[name] = std::function<void(Args...)>(
        [self, method](Args... args) { (self->*method)(std::forward<Args>(args)...); });
  }
  // BindField("Button1", Button1): the description must create a component of
  // that name and a class that converts to T.
  template <class T>
  void BindField(const std::string& name, T*& field) {
    fields_[name] = [&field](TComponent* component) {
      field = dynamic_cast<T*>(component);
      return field != nullptr;
    };
  }

  const TEventHandler* FindEventHandler(const std::string& name) const;
  // Whether a field of that name exists; AssignField stores the component in it
  // and answers false when its class does not fit.
  bool HasField(const std::string& name) const;
  bool AssignField(const std::string& name, TComponent* component) const;
  // Names of bound fields, for the check that the description created them all.
  std::vector<std::string> FieldNames() const;

 private:
  std::map<std::string, TEventHandler> handlers_;
  std::map<std::string, std::function<bool(TComponent*)>> fields_;
};
