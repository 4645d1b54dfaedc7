#pragma once

#include "common/errors.h"
#include "framework/component.h"

#include <windows.h>

// Reads the window description named resource_name from module into
// component; answers false when the module holds no such description.
using TFormResourceLoader = bool (*)(HINSTANCE module, const char* resource_name,
                                     TComponent* component);

// When set, every form description is read through this function; when
// null, the framework reads the RCDATA resource itself.
extern TFormResourceLoader ComponentResourceHook;

// What a form does to read its description: module 0 stands for the program.
bool ReadFormResource(HINSTANCE module, const char* resource_name, TComponent* component);
// The framework's own reading of an RCDATA resource, as it stands.
bool ReadRcDataDescription(HINSTANCE module, const char* resource_name, TComponent* component);

// Raised when a form's description resource does not exist.
class EResNotFound : public Error {
 public:
  using Error::Error;
};
