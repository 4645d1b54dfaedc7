#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Captions are kept as bytes in the code page of their font's character set
// (Russian texts as Windows-1251 with a RUSSIAN_CHARSET font), so the look
// draws them as UTF-16 after converting by that code page: Cyrillic then
// shows correctly whatever the system's ANSI code page is. A font with
// DEFAULT_CHARSET (or none) means the ANSI code page.
UINT FontCodePage(HFONT font);
std::wstring FontText(std::string_view bytes, HFONT font);

// Draws `text` with DrawTextW in `font` and `color` on a transparent
// background; `format` takes DrawText's DT_* flags.
void DrawLookText(HDC dc, std::wstring_view text, RECT area, UINT format, HFONT font, COLORREF color);

// Width and height of `text` in `font`.
SIZE LookTextExtent(HDC dc, std::wstring_view text, HFONT font);
