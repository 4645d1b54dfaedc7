#include "framework/framework_classes.h"

#include "framework/forms.h"
#include "framework/std_controls.h"
#include "framework/timer.h"

namespace {

template <class T>
std::pair<std::string, TComponentFactory> Entry(const char* name) {
  return {name, [](TComponent* owner) -> TComponent* { return new T(owner); }};
}

}  // namespace

std::vector<std::pair<std::string, TComponentFactory>> FrameworkClasses() {
  return {Entry<TLabel>("TLabel"), Entry<TPanel>("TPanel"), Entry<TSpeedButton>("TSpeedButton"),
          Entry<TTimer>("TTimer")};
}
