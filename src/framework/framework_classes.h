#pragma once

#include "framework/description_reader.h"

#include <string>
#include <utility>
#include <vector>

// The framework's own classes, which every description may create.
std::vector<std::pair<std::string, TComponentFactory>> FrameworkClasses();
