#pragma once

#include <string>

// Whether the distribution is to be copied: [CopyFiles] DistrCopy = 1 in the
// first settings file when that file exists and holds the key, otherwise in
// the second.
bool DistributionCopyWanted(const std::string& first_settings, const std::string& second_settings);
