#pragma once

#include <string>
#include <vector>

// Package trees for the apply run, made at test time.

// A 7z archive at `archive` holding the `items` (paths relative to
// `content_root`, files or folders), made by Debian's 7zz.
void MakeArchive(const std::string& archive, const std::string& content_root,
                 const std::vector<std::string>& items);

// Differences between the tree `7zz x` makes of `archive` and the same
// items under `target`: missing or extra names, other kinds, other contents,
// modification times more than two seconds apart. Empty when they agree.
std::vector<std::string> CompareWithReference(const std::string& archive,
                                              const std::string& target);

// Differences between two folder trees, by the same rules.
std::vector<std::string> CompareTrees(const std::string& expected, const std::string& actual);
