#include "framework/graphics.h"

#include "framework/window_api.h"

namespace {

struct NamedColor {
  const char* name;
  TColor color;
};

constexpr NamedColor kColorNames[] = {
    {"clNone", clNone},
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clBtnFace", clBtnFace},
    {"clBtnText", clBtnText},
    {"clWindow", clWindow},
    {"clWindowText", clWindowText},
    {"clGrayText", clGrayText},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clInfoBk", clInfoBk},
    {"clInfoText", clInfoText},
};

}  // namespace

COLORREF ColorToRGB(TColor color) {
  if (color & clSystemColor) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

bool ColorFromName(const std::string& name, TColor& color) {
  for (const NamedColor& entry : kColorNames) {
    if (name == entry.name) {
      color = entry.color;
      return true;
    }
  }
  return false;
}

namespace {

UINT CharsetCodePage(BYTE charset) {
  CHARSETINFO info{};
  if (charset != DEFAULT_CHARSET &&
      TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<ULONG_PTR>(charset)), &info,
                           TCI_SRCCHARSET)) {
    return info.ciACP;
  }
  return CP_ACP;
}

}  // namespace

std::optional<std::string> WideToText(std::wstring_view wide, BYTE charset) {
  if (wide.empty()) return std::string();
  const UINT code_page = CharsetCodePage(charset);
  const int size = static_cast<int>(wide.size());
  BOOL defaulted = FALSE;
  const int length = WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                         nullptr, 0, nullptr, &defaulted);
  if (length <= 0 || defaulted) return std::nullopt;
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide.data(), size, text.data(), length,
                      nullptr, nullptr);
  if (TextToWide(text, charset) != wide) return std::nullopt;
  return text;
}

std::wstring TextToWide(const std::string& text, BYTE charset) {
  if (text.empty()) return {};
  UINT code_page = CharsetCodePage(charset);
  const int length = static_cast<int>(text.size());
  int wide_length = MultiByteToWideChar(code_page, 0, text.data(), length, nullptr, 0);
  if (wide_length <= 0) {
    code_page = CP_ACP;
    wide_length = MultiByteToWideChar(code_page, 0, text.data(), length, nullptr, 0);
  }
  std::wstring wide(static_cast<std::size_t>(wide_length > 0 ? wide_length : 0), L'\0');
  if (wide_length > 0)
    MultiByteToWideChar(code_page, 0, text.data(), length, wide.data(), wide_length);
  return wide;
}

TFont::TFont(const TFont& other)
    : name_(other.name_),
      height_(other.height_),
      color_(other.color_),
      style_(other.style_),
      charset_(other.charset_),
      utf8_text_(other.utf8_text_) {}

TFont& TFont::operator=(const TFont& other) {
  if (this != &other) {
    name_ = other.name_;
    height_ = other.height_;
    color_ = other.color_;
    style_ = other.style_;
    charset_ = other.charset_;
    utf8_text_ = other.utf8_text_;
    Changed();
  }
  return *this;
}

TFont::~TFont() { ReleaseHandle(); }

void TFont::SetName(const std::string& name) {
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  height_ = height;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, 96); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }

void TFont::SetColor(TColor color) {
  color_ = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  style_ = style;
  Changed();
}

void TFont::SetCharset(BYTE charset) {
  charset_ = charset;
  Changed();
}

void TFont::SetUtf8Text(bool utf8) {
  if (utf8 == utf8_text_) return;
  utf8_text_ = utf8;
  Changed();
}

std::wstring TFont::WideText(const std::string& text) const {
  if (!utf8_text_ || text.empty()) return TextToWide(text, charset_);
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
  return wide;
}

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTA font{};
    font.lfHeight = height_;
    font.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
    font.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
    font.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
    font.lfCharSet = charset_;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(font.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_ = CreateFontIndirectA(&font);
  }
  return handle_;
}

void TFont::Changed() {
  ReleaseHandle();
  if (OnChange) OnChange();
}

void TFont::ReleaseHandle() const {
  if (handle_) {
    DeleteObject(handle_);
    handle_ = nullptr;
  }
}

TCanvas::TCanvas(HDC dc) : dc_(dc) {}

TCanvas::~TCanvas() {
  if (old_font_) SelectObject(dc_, old_font_);
}

void TCanvas::FillRect(const RECT& rect) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(brush_color_));
  ::FillRect(dc_, &rect, brush);
  DeleteObject(brush);
}

void TCanvas::FrameRect(const RECT& rect) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(pen_color_));
  ::FrameRect(dc_, &rect, brush);
  DeleteObject(brush);
}

void TCanvas::Line(int x1, int y1, int x2, int y2) {
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(pen_color_));
  HGDIOBJ old = SelectObject(dc_, pen);
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);
  SelectObject(dc_, old);
  DeleteObject(pen);
}

void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixel(dc_, x, y, ColorToRGB(color)); }

TColor TCanvas::Pixel(int x, int y) const { return static_cast<TColor>(::GetPixel(dc_, x, y)); }

void TCanvas::SelectFont() {
  HGDIOBJ previous = SelectObject(dc_, font_.Handle());
  if (!old_font_) old_font_ = previous;
  SetTextColor(dc_, ColorToRGB(font_.Color()));
  SetBkMode(dc_, TRANSPARENT);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  SelectFont();
  window_api::WriteText(dc_, x, y, font_.WideText(text));
}

void TCanvas::TextRect(RECT rect, const std::string& text, UINT flags) {
  SelectFont();
  window_api::DrawTextIn(dc_, font_.WideText(text), rect, flags);
}

RECT TCanvas::TextBounds(RECT rect, const std::string& text, UINT flags) {
  SelectFont();
  window_api::DrawTextIn(dc_, font_.WideText(text), rect, flags | DT_CALCRECT);
  return rect;
}

SIZE TCanvas::TextExtent(const std::string& text) {
  SelectFont();
  return window_api::MeasureText(dc_, font_.WideText(text));
}
