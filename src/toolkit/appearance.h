#pragma once
// Colours, font styles, cursors and text alignment as the layout states them.

#include <cstdint>

namespace varnox {

// 0x00BBGGRR, or a system colour: kSystemColorFlag | the COLOR_* index,
// which the view resolves with GetSysColor.
using TColor = std::uint32_t;

inline constexpr TColor kSystemColorFlag = 0x80000000u;
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;    // COLOR_BTNFACE
inline constexpr TColor clWindow = kSystemColorFlag | 5;      // COLOR_WINDOW
inline constexpr TColor clWindowText = kSystemColorFlag | 8;  // COLOR_WINDOWTEXT
// "Whatever this kind of control normally uses."
inline constexpr TColor clDefault = 0x20000000u;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr bool IsSystemColor(TColor color) { return (color & kSystemColorFlag) != 0; }

enum FontStyle : unsigned {
  fsBold = 1u << 0,
  fsItalic = 1u << 1,
  fsUnderline = 1u << 2,
  fsStrikeOut = 1u << 3,
};
using TFontStyles = unsigned;  // a combination of FontStyle

enum class TCursor { Default, HandPoint };

enum class TAlignment { LeftJustify, RightJustify, Center };

}  // namespace varnox
