// Design units to device pixels at a window's DPI: twips (1440 to the inch) and points (72).
#pragma once

#include <windows.h>

#include <cmath>

namespace orindel::win32 {

inline constexpr UINT kDefaultDpi = USER_DEFAULT_SCREEN_DPI;

// Rounded to the nearest pixel: 15 twips are one pixel at 96 DPI.
inline int twipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

// A font height for LOGFONT: negative, so that it is the character height without leading.
inline LONG pointsToFontHeight(double points, UINT dpi) {
  return -std::lround(points * dpi / 72.0);
}

}  // namespace orindel::win32
