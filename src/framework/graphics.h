#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Colours as in the window description: 0x00BBGGRR, or a system colour
// (clSystemColor | COLOR_xxx) that is resolved when drawing.
using TColor = std::int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;
constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;

// The plain RGB value of a colour (system colours looked up now).
COLORREF ColorToRGB(TColor color);
// Colour names of the window description ("clRed", "clBtnFace", ...); false when unknown.
bool ColorFromName(const std::string& name, TColor& color);

// Text as the framework keeps it (bytes of an ANSI code page) turned into
// UTF-16 by the code page of the given font character set, so that Russian
// texts show whatever the system's ANSI code page is.
std::wstring TextToWide(const std::string& text, BYTE charset);
// The other way: the text in that code page when every character converts
// exactly (no best fit); nothing otherwise.
std::optional<std::string> WideToText(std::wstring_view wide, BYTE charset);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// A font description with a lazily created GDI font.
class TFont {
 public:
  TFont() = default;
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);
  ~TFont();

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Height in pixels; negative means character height, as LOGFONT has it.
  int Height() const { return height_; }
  void SetHeight(int height);
  int Size() const;  // points at 96 pixels per inch
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  BYTE Charset() const { return charset_; }
  void SetCharset(BYTE charset);
  // Texts drawn in this font are UTF-8 (file names on the NT family) rather
  // than bytes of the character set's code page.
  bool Utf8Text() const { return utf8_text_; }
  void SetUtf8Text(bool utf8);
  // A text drawn in this font as UTF-16.
  std::wstring WideText(const std::string& text) const;

  HFONT Handle() const;
  // Called after every change (the owning control repaints).
  std::function<void()> OnChange;

 private:
  void Changed();
  void ReleaseHandle() const;

  std::string name_ = "Tahoma";
  int height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
  BYTE charset_ = DEFAULT_CHARSET;
  bool utf8_text_ = false;
  mutable HFONT handle_ = nullptr;
};

// Drawing surface over a device context the caller owns: font, brush and pen
// colours as state, as Delphi's canvas has them.
class TCanvas {
 public:
  explicit TCanvas(HDC dc);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  TFont& Font() { return font_; }
  TColor BrushColor() const { return brush_color_; }
  void SetBrushColor(TColor color) { brush_color_ = color; }
  TColor PenColor() const { return pen_color_; }
  void SetPenColor(TColor color) { pen_color_ = color; }

  void FillRect(const RECT& rect);
  void FrameRect(const RECT& rect);
  void Line(int x1, int y1, int x2, int y2);
  void SetPixel(int x, int y, TColor color);
  TColor Pixel(int x, int y) const;
  // Text in the font's colour on a transparent background.
  void TextOut(int x, int y, const std::string& text);
  // Text inside a rectangle with DrawText flags (DT_...).
  void TextRect(RECT rect, const std::string& text, UINT flags);
  // The rectangle the text takes with those flags, from rect's top left
  // (DT_CALCRECT: wrapped at rect's width with DT_WORDBREAK).
  RECT TextBounds(RECT rect, const std::string& text, UINT flags);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }

 private:
  void SelectFont();

  HDC dc_;
  TFont font_;
  TColor brush_color_ = clWhite;
  TColor pen_color_ = clBlack;
  HGDIOBJ old_font_ = nullptr;
};
