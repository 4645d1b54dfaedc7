#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::string_view kResetCounterText = "[0/0]";

// "[checked/total]" in plain decimal.
std::string CounterText(std::int32_t checked, std::int32_t total);

// Button caption while the countdown runs: the text, a blank, the steps left.
std::string CountdownCaption(std::string_view text, std::int32_t steps_left);
