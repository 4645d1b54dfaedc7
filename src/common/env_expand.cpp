#include "env_expand.h"

std::string ExpandEnvVars(std::string_view text, const EnvironmentLookup& lookup,
                          std::vector<std::string>* unexpanded) {
  std::string result;
  std::size_t pos = 0;
  while (pos < text.size() && result.size() < kMaxExpandedLength) {
    const std::size_t open = text.find('%', pos);
    const std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
    if (close == std::string_view::npos) {
      result.append(text.substr(pos));
      break;
    }
    result.append(text.substr(pos, open - pos));
    const std::string_view name = text.substr(open + 1, close - open - 1);
    const std::optional<std::string> value = name.empty() ? std::nullopt : lookup(name);
    if (value) {
      result.append(*value);
    } else {
      result.append(text.substr(open, close - open + 1));
      if (unexpanded && !name.empty())
        unexpanded->emplace_back(text.substr(open, close - open + 1));
    }
    pos = close + 1;
  }
  if (result.size() > kMaxExpandedLength) result.resize(kMaxExpandedLength);
  return result;
}
