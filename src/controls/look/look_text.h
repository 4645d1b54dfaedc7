#pragma once

#include <windows.h>

#include <string_view>

// Draws `text` with DrawTextW in `font` and `color` on a transparent
// background; `format` takes DrawText's DT_* flags. Captions reach the
// painters as UTF-16 (converted by their font's character set), so Cyrillic
// shows whatever the system's ANSI code page is.
void DrawLookText(HDC dc, std::wstring_view text, RECT area, UINT format, HFONT font,
                  COLORREF color);
