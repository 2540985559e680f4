// Font points (72 to the inch) to device pixels at a window's DPI; twips are geometry.h's.
#pragma once

#include <windows.h>

#include <cmath>

namespace orindel::win32 {

inline constexpr UINT kDefaultDpi = USER_DEFAULT_SCREEN_DPI;

// A font height for LOGFONT: negative, so that it is the character height without leading.
inline LONG pointsToFontHeight(double points, UINT dpi) {
  return -std::lround(points * dpi / 72.0);
}

}  // namespace orindel::win32
