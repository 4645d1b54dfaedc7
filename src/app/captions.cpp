#include "captions.h"

std::string CounterText(std::int32_t checked, std::int32_t total) {
  return "[" + std::to_string(checked) + "/" + std::to_string(total) + "]";
}

std::string CountdownCaption(std::string_view text, std::int32_t steps_left) {
  return std::string(text) + " " + std::to_string(steps_left);
}
