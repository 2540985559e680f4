// Whether an adapter placed a control where the shared geometry puts it: the one check that the Qt
// window and the Win32 window make of every control, at every DPI they are tested at.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "geometry.h"

namespace orindel {

inline void PrintTo(const PixelSize& s, std::ostream* out) { *out << s.width << " x " << s.height; }

inline void PrintTo(const PixelRect& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ") " << r.width << " x " << r.height;
}

// `placed` is the control's rectangle in the client area in device pixels; `wrapped` whether a
// fitted label shows its caption on two lines. A label sized by its caption may be wider.
inline ::testing::AssertionResult inItsPlace(Control c, bool wide, int dpi, bool wrapped,
                                             PixelRect placed) {
  const PixelRect place = controlRect(c, wide, dpi, wrapped);
  const PixelRect got = placed;
  if (kControls[c].sizing == Sizing::Caption && placed.width > place.width) {
    placed.width = place.width;
  }
  if (placed == place) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << kControls[c].name << (wide ? " in the wide window" : " in the narrow window") << " at "
         << dpi << " DPI is at " << ::testing::PrintToString(got) << ", its place is "
         << ::testing::PrintToString(place);
}

}  // namespace orindel
