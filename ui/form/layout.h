// The window's fifteen controls as designed, in tab order: kind, caption and twip geometry, shared
// by every toolkit adapter. 1440 twips are one inch, 15 twips one pixel at 96 DPI.
#pragma once

namespace orindel {

enum class ControlKind { EntryBox, Button, Label, Frame, Option };

// Index into kControls; also, plus kFirstControlId, the Win32 control identifier.
enum Control : int {
  Text1,
  Text2,
  Text3,
  Command1,
  Command2,
  Label1,
  Label2,
  Label3,
  Label4,
  Command3,
  Frame1,
  Option1,
  Option2,
  Label5,
  Label6,
  kControlCount
};

inline constexpr int kFirstControlId = 100;

struct ControlDesign {
  const char* name;  // the control's name, also its object name in Qt
  ControlKind kind;
  const char16_t* caption;
  int left, top, width, height;  // twips; Option1 and Option2 relative to Frame1
};

inline constexpr ControlDesign kControls[kControlCount] = {
    {"Text1", ControlKind::EntryBox, u"", 120, 240, 615, 270},
    {"Text2", ControlKind::EntryBox, u"", 1080, 240, 615, 270},
    {"Text3", ControlKind::EntryBox, u"", 2040, 240, 615, 270},
    {"Command1", ControlKind::Button, u"＋", 120, 720, 495, 375},
    {"Command2", ControlKind::Button, u"－", 720, 720, 495, 375},
    {"Label1", ControlKind::Label, u"ｈ", 840, 360, 105, 180},
    {"Label2", ControlKind::Label, u"ｍ", 1800, 360, 165, 180},
    {"Label3", ControlKind::Label, u"ｓ", 2760, 360, 105, 180},
    {"Label4", ControlKind::Label, u"", 1800, 840, 1020, 240},
    {"Command3", ControlKind::Button, u"Op", 1320, 720, 375, 375},
    {"Frame1", ControlKind::Frame, u"拡張メニュー", 3000, 120, 2295, 975},
    {"Option1", ControlKind::Option, u"74分を超えたら警告", 240, 240, 1935, 255},
    {"Option2", ControlKind::Option, u"80分を超えたら警告", 240, 600, 1935, 255},
    {"Label5", ControlKind::Label, u"", 2400, 600, 375, 240},
    {"Label6", ControlKind::Label, u"回数", 2040, 600, 330, 165},
};

// The client area: 196 × 80 pixels narrow, 360 × 80 wide at 96 DPI; the fixed border adds 90
// twips to the outer width.
inline constexpr int kBorderTwips = 90;
inline constexpr int kClientHeightTwips = 1200;
inline constexpr int kNarrowClientTwips = 3030 - kBorderTwips;
inline constexpr int kWideClientTwips = 5490 - kBorderTwips;

// The total (Label4) and the count (Label5) reach right to the client edge in the narrow window
// and to the frame in the wide one, instead of their designed widths, which cut off a long total
// or a count of four digits or more.
constexpr int fittedLabelWidthTwips(Control label, bool wide) {
  const int right = wide ? kControls[Frame1].left : kNarrowClientTwips;
  return right - kControls[label].left;
}

// The total may take a second line, down to the client area's bottom edge, where nothing lies
// below it; the count has no such room (the total lies below it).
constexpr int fittedLabelHeightTwips(Control label) {
  return label == Label4 ? kClientHeightTwips - kControls[Label4].top : kControls[label].height;
}

// Below this size a caption that still does not fit is elided instead of shrunk further.
inline constexpr double kLegibleFloorPoints = 7.0;

// How a caption is drawn in its label: the point size, on one line or wrapped at its blanks over
// the label's full height, and elided only when neither fits at the floor.
struct CaptionFit {
  double points;
  bool wrapped;
  bool elided;
};

// The largest point size, in quarter points from `preferred` down to the floor, at which
// fitsOneLine(size) holds; failing that, the largest at which fitsWrapped(size) holds; failing
// both, the floor on one line, elided.
template <typename OneLine, typename Wrapped>
CaptionFit fitCaption(double preferred, OneLine fitsOneLine, Wrapped fitsWrapped) {
  const double floor = preferred < kLegibleFloorPoints ? preferred : kLegibleFloorPoints;
  for (double points = preferred; points >= floor; points -= 0.25) {
    if (fitsOneLine(points)) return {points, false, false};
  }
  for (double points = preferred; points >= floor; points -= 0.25) {
    if (fitsWrapped(points)) return {points, true, false};
  }
  return {floor, false, true};
}

}  // namespace orindel
