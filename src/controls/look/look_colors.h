#pragma once

#include <windows.h>

// The fixed colours of the XP look.
namespace look_colors {

inline constexpr COLORREF kWhite = RGB(255, 255, 255);
// Frames, arrows and text of disabled controls, and the flat check frame.
inline constexpr COLORREF kDisabledFrame = RGB(184, 170, 154);
// Lower end of the light face gradient of buttons and check glyphs.
inline constexpr COLORREF kFaceEnd = RGB(239, 235, 231);

inline constexpr COLORREF kHeaderGradientEnd = RGB(198, 215, 247);
inline constexpr COLORREF kHeaderArrow = RGB(5, 92, 224);
inline constexpr COLORREF kHeaderCaption = RGB(5, 92, 224);

inline constexpr COLORREF kButtonPressedStart = RGB(214, 207, 198);
inline constexpr COLORREF kButtonPressedEnd = RGB(247, 243, 235);
inline constexpr COLORREF kButtonDisabledEnd = RGB(247, 243, 235);
inline constexpr COLORREF kButtonHotRingStart = RGB(255, 211, 130);
inline constexpr COLORREF kButtonHotRingEnd = RGB(231, 150, 0);
inline constexpr COLORREF kButtonFocusRingStart = RGB(206, 231, 255);
inline constexpr COLORREF kButtonFocusRingEnd = RGB(109, 132, 239);
inline constexpr COLORREF kButtonFrame = RGB(51, 51, 153);
inline constexpr COLORREF kButtonCornerSide = RGB(152, 152, 220);
inline constexpr COLORREF kButtonDisabledCornerSide = RGB(238, 235, 232);

inline constexpr COLORREF kCheckFrame = RGB(0, 108, 108);
inline constexpr COLORREF kCheckTick = RGB(40, 176, 51);
inline constexpr COLORREF kCheckGrayedSquare = RGB(43, 189, 53);
inline constexpr COLORREF kCheckDisabledMark = RGB(180, 180, 180);

inline constexpr COLORREF kComboHotFrame = RGB(123, 160, 223);
inline constexpr COLORREF kComboButtonCorner = RGB(234, 234, 255);
// The combo box's own frame outside the hot state.
inline constexpr COLORREF kComboFrame = RGB(127, 157, 185);
inline constexpr COLORREF kComboDisabledFrame = RGB(201, 199, 186);

}  // namespace look_colors
