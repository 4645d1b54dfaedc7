#pragma once

#include <windows.h>

enum class GradientDirection { kTopToBottom, kLeftToRight };

// Fills `area` with a linear gradient in one-pixel lines: the first line is
// exactly `from`, the last exactly `to`. An empty area draws nothing.
void FillGradient(HDC dc, const RECT& area, COLORREF from, COLORREF to,
                  GradientDirection direction);

// One pixel-wide rectangle outline in `color`.
void FrameRectangle(HDC dc, const RECT& area, COLORREF color);

void FillSolid(HDC dc, const RECT& area, COLORREF color);

// `area` shrunk by `by` pixels on every side.
RECT Inset(const RECT& area, int by);
