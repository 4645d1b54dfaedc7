#include "controls/look/look_text.h"

#include "controls/look/dc_state.h"

UINT FontCodePage(HFONT font) {
  LOGFONTA description{};
  if (!font || GetObjectA(font, sizeof description, &description) == 0) return CP_ACP;
  if (description.lfCharSet == DEFAULT_CHARSET) return CP_ACP;
  CHARSETINFO info{};
  const auto charset = static_cast<DWORD_PTR>(description.lfCharSet);
  if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(charset), &info, TCI_SRCCHARSET)) return CP_ACP;
  return info.ciACP;
}

std::wstring FontText(std::string_view bytes, HFONT font) {
  if (bytes.empty()) return {};
  const UINT code_page = FontCodePage(font);
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), size, text.data(), length);
  return text;
}

void DrawLookText(HDC dc, std::wstring_view text, RECT area, UINT format, HFONT font, COLORREF color) {
  if (text.empty()) return;
  SavedDcState saved(dc);
  if (font) SelectObject(dc, font);
  SetTextColor(dc, color);
  SetBkMode(dc, TRANSPARENT);
  // DT_END_ELLIPSIS may rewrite the text only with DT_MODIFYSTRING, which
  // is never passed, so the const buffer is safe.
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &area, format & ~UINT{DT_MODIFYSTRING});
}

SIZE LookTextExtent(HDC dc, std::wstring_view text, HFONT font) {
  SavedDcState saved(dc);
  if (font) SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
  return extent;
}
