#pragma once

#include <windows.h>

class TComponent;

// Reads the window description stored as the RCDATA resource `name` of
// `module` into `component`; false when there is no such resource. A
// description that starts with the scrambled signature is unscrambled first;
// any other is read as it stands.
bool LoadFormResource(HINSTANCE module, const char* name, TComponent* component);
