#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Longest result ExpandEnvVars gives; longer expansions are cut to it.
inline constexpr std::size_t kMaxExpandedLength = 4096;

using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

// Replaces every %NAME% by the value `lookup` gives for NAME. A reference to
// an undefined variable (and "%%") stays as written, and scanning goes on
// after its closing "%"; a "%" without a partner stays too. The result is cut
// to kMaxExpandedLength characters. References that stayed as written
// (%NAME% with a name) are added to `unexpanded` when it is given.
std::string ExpandEnvVars(std::string_view text, const EnvironmentLookup& lookup,
                          std::vector<std::string>* unexpanded = nullptr);

#ifdef _WIN32
// ExpandEnvVars against the process environment.
std::string ExpandEnvVars(std::string_view text, std::vector<std::string>* unexpanded = nullptr);
#endif
