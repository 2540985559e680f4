// The window's layout: its widths, its fifteen controls in tab order (kind, caption, twip
// geometry, state at start, how each is sized), which of them take the focus, and its fonts,
// shared by every toolkit adapter. 1440 twips are one inch; geometry.h makes them pixels.
#pragma once

namespace orindel {

// The window's outer widths, panel hidden and shown; its fixed border adds 90 twips to the client
// width. The client area is 196 × 80 pixels narrow and 360 × 80 wide at 96 DPI.
inline constexpr int kNarrowOuterTwips = 3030;
inline constexpr int kWideOuterTwips = 5490;
inline constexpr int kBorderTwips = 90;
inline constexpr int kClientHeightTwips = 1200;

constexpr int clientTwips(int outerTwips) { return outerTwips - kBorderTwips; }
inline constexpr int kNarrowClientTwips = clientTwips(kNarrowOuterTwips);
inline constexpr int kWideClientTwips = clientTwips(kWideOuterTwips);

// Whether a window of this outer width shows the panel.
constexpr bool isWide(int outerTwips) { return outerTwips >= kWideOuterTwips; }

enum class ControlKind { EntryBox, Button, Label, Frame, Option };

// How a control is shown when the window opens.
enum class AtStart { Shown, Hidden, Selected };

// How wide a control is drawn: fixed, as wide as the table gives; at least as wide as its caption
// (a full-width unit letter and the count's caption are wider than the table's boxes in most
// fonts); or fitted, out to the client edge (the frame in the wide window) with its caption made
// smaller to fit, as the table's widths cut off a long total or a count of four digits.
enum class Sizing { Fixed, Caption, Fitted };

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

struct ControlLayout {
  const char* name;  // the control's name, also its object name in Qt
  ControlKind kind;
  const char16_t* caption;
  int left, top, width, height;  // twips; Option1 and Option2 relative to Frame1
  AtStart atStart;
  Sizing sizing;
};

inline constexpr ControlLayout kControls[kControlCount] = {
    {"Text1", ControlKind::EntryBox, u"", 120, 240, 615, 270, AtStart::Shown, Sizing::Fixed},
    {"Text2", ControlKind::EntryBox, u"", 1080, 240, 615, 270, AtStart::Shown, Sizing::Fixed},
    {"Text3", ControlKind::EntryBox, u"", 2040, 240, 615, 270, AtStart::Shown, Sizing::Fixed},
    {"Command1", ControlKind::Button, u"＋", 120, 720, 495, 375, AtStart::Shown, Sizing::Fixed},
    {"Command2", ControlKind::Button, u"－", 720, 720, 495, 375, AtStart::Shown, Sizing::Fixed},
    {"Label1", ControlKind::Label, u"ｈ", 840, 360, 105, 180, AtStart::Shown, Sizing::Caption},
    {"Label2", ControlKind::Label, u"ｍ", 1800, 360, 165, 180, AtStart::Shown, Sizing::Caption},
    {"Label3", ControlKind::Label, u"ｓ", 2760, 360, 105, 180, AtStart::Shown, Sizing::Caption},
    {"Label4", ControlKind::Label, u"", 1800, 840, 1020, 240, AtStart::Shown, Sizing::Fitted},
    {"Command3", ControlKind::Button, u"Op", 1320, 720, 375, 375, AtStart::Shown, Sizing::Fixed},
    {"Frame1", ControlKind::Frame, u"拡張メニュー", 3000, 120, 2295, 975, AtStart::Shown,
     Sizing::Fixed},
    {"Option1", ControlKind::Option, u"74分を超えたら警告", 240, 240, 1935, 255, AtStart::Selected,
     Sizing::Fixed},
    {"Option2", ControlKind::Option, u"80分を超えたら警告", 240, 600, 1935, 255, AtStart::Shown,
     Sizing::Fixed},
    {"Label5", ControlKind::Label, u"", 2400, 600, 375, 240, AtStart::Hidden, Sizing::Fitted},
    {"Label6", ControlKind::Label, u"回数", 2040, 600, 330, 165, AtStart::Hidden, Sizing::Caption},
};

// Whether control c takes the focus: the entry boxes and buttons always, the options only while
// the panel shows them (out of sight, an arrow key would change the limit unseen), labels and the
// frame never.
constexpr bool takesFocus(Control c, bool wide) {
  switch (kControls[c].kind) {
    case ControlKind::EntryBox:
    case ControlKind::Button: return true;
    case ControlKind::Option: return wide;
    default: return false;
  }
}

// The window's font: the first of these faces installed, Windows' own Japanese UI faces and then
// the IPA gothic font that stands in for them elsewhere, so that Japanese and Latin text come from
// one face.
inline constexpr const char16_t* kWindowFaces[] = {u"Yu Gothic UI", u"Meiryo UI", u"MS UI Gothic",
                                                   u"IPAPGothic"};

// Label6's own font: "ＭＳ Ｐゴシック" 8.25 pt, regular, in the Japanese character set; the faces
// after the first stand in for it where it is missing.
struct FontLayout {
  const char16_t* faces[4];
  double points;
  int weight;  // 400 regular
};
inline constexpr FontLayout kCountCaptionFont = {
    {u"ＭＳ Ｐゴシック", u"MS PGothic", u"IPAPGothic", u"IPAGothic"}, 8.25, 400};

}  // namespace orindel
