#pragma once

#include <string>

// Whether the distribution is to be copied, and which settings file said so.
struct CopyDecision {
  bool copy = false;
  std::string settings_file;  // empty when neither file has the key
  std::string value;          // the key's text there
};

// [CopyFiles] DistrCopy = 1 in the first settings file when that file exists
// and holds the key, otherwise in the second.
CopyDecision DecideDistributionCopy(const std::string& first_settings,
                                    const std::string& second_settings);
