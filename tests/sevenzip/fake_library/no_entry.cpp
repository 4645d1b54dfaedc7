// A 7za.dll without the CreateObject entry.
#include <windows.h>

extern "C" __declspec(dllexport) int NotCreateObject() { return 0; }
