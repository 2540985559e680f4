// The window's geometry in pixels: the client area and each control's rectangle, for either width
// and any DPI. The one place where the layout's twips become pixels, for both adapters, the probe
// that checks the Windows window and the tests.
#pragma once

#include "layout.h"

namespace orindel {

// The layout's DPI, at which 15 twips are one pixel; Qt lays out at it and scales by itself.
inline constexpr int kLayoutDpi = 96;

struct PixelSize {
  int width = 0, height = 0;
  friend constexpr bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Twips as pixels at `dpi`, to the nearest pixel with halves away from zero, as Windows' MulDiv
// rounds. A position and a size are each rounded on their own, so that equal controls stay equal
// wherever they lie.
constexpr int twipsToPixels(int twips, int dpi = kLayoutDpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>((scaled >= 0 ? scaled + 720 : scaled - 720) / 1440);
}

constexpr PixelSize clientSize(bool wide, int dpi = kLayoutDpi) {
  return {twipsToPixels(wide ? kWideClientTwips : kNarrowClientTwips, dpi),
          twipsToPixels(kClientHeightTwips, dpi)};
}

// A fitted label's width in twips: out to the client edge in the narrow window, to the frame in
// the wide one.
constexpr int fittedLabelWidthTwips(Control label, bool wide) {
  const int right = wide ? kControls[Frame1].left : kNarrowClientTwips;
  return right - kControls[label].left;
}

// A fitted label's height in twips. The total may take a second line, down to the client area's
// bottom edge, where nothing lies below it; the count has no such room (the total lies below it).
constexpr int fittedLabelHeightTwips(Control label, bool wrapped) {
  if (wrapped && label == Label4) return kClientHeightTwips - kControls[Label4].top;
  return kControls[label].height;
}

// Where control c lies inside its parent: the client area, or Frame1 for the two options. A fitted
// label reaches out as fittedLabelWidthTwips says, its caption on one line or `wrapped` over two;
// a label sized by its caption is at least this wide, and its adapter widens it to the caption.
constexpr PixelRect rectInParent(Control c, bool wide, int dpi = kLayoutDpi, bool wrapped = false) {
  const ControlLayout& row = kControls[c];
  const bool fitted = row.sizing == Sizing::Fitted;
  return {twipsToPixels(row.left, dpi), twipsToPixels(row.top, dpi),
          twipsToPixels(fitted ? fittedLabelWidthTwips(c, wide) : row.width, dpi),
          twipsToPixels(fitted ? fittedLabelHeightTwips(c, wrapped) : row.height, dpi)};
}

// Whether control c lies inside Frame1 rather than directly in the client area.
constexpr bool insideFrame(Control c) { return kControls[c].kind == ControlKind::Option; }

// Where control c lies in the window's client area: its place in its parent, moved by the frame's
// place for the options.
constexpr PixelRect controlRect(Control c, bool wide, int dpi = kLayoutDpi, bool wrapped = false) {
  PixelRect rect = rectInParent(c, wide, dpi, wrapped);
  if (insideFrame(c)) {
    const PixelRect frame = rectInParent(Frame1, wide, dpi);
    rect.left += frame.left;
    rect.top += frame.top;
  }
  return rect;
}

}  // namespace orindel
