#include "controls/look/look_text.h"

#include "controls/look/dc_state.h"
#include "framework/window_api.h"

void DrawLookText(HDC dc, std::wstring_view text, RECT area, UINT format, HFONT font,
                  COLORREF color) {
  if (text.empty()) return;
  SavedDcState saved(dc);
  if (font) SelectObject(dc, font);
  SetTextColor(dc, color);
  SetBkMode(dc, TRANSPARENT);
  // DT_END_ELLIPSIS may rewrite the text only with DT_MODIFYSTRING, which
  // is never passed, so the const buffer is safe.
  window_api::DrawTextIn(dc, text, area, format & ~UINT{DT_MODIFYSTRING});
}
