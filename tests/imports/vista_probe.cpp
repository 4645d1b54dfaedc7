// A program that cannot load before Vista: the import check must refuse it.
#include <windows.h>

extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64();

int main() { return GetTickCount64() == 0 ? 1 : 0; }
