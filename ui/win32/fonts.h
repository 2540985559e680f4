// The window's fonts: a Japanese UI face for the controls, the gothic face of the count's caption,
// and the point size at which a caption fits its label.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <type_traits>

#include "caption_fit.h"
#include "gdi_objects.h"

namespace orindel::win32 {

struct FontDeleter {
  void operator()(HFONT font) const {
    GdiObjects::freed();
    DeleteObject(font);
  }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// The size of every control's text, Label6's excepted.
inline constexpr double kWindowPoints = 9.0;

// The face for the window's controls: the first of the window's faces installed, else the system's
// message font (which shows Japanese through the system's font linking).
std::wstring windowFontFace(UINT dpi);

Font makeFont(const std::wstring& face, double points, UINT dpi, BYTE charset = DEFAULT_CHARSET,
              int weight = FW_NORMAL);

// Label6's own font (kCountCaptionFont).
Font makeCountCaptionFont(UINT dpi);

// The width in pixels of a one-line text in a font.
int textWidth(HFONT font, const std::wstring& text);

// The size in pixels of a text wrapped at its blanks to `width`: its widest line (wider than
// `width` when a word does not fit) and its height.
SIZE wrappedSize(HFONT font, const std::wstring& text, int width);

// The window's face at one DPI in the sizes asked for, each made once: a caption is fitted on
// every calculation, and making a font costs far more than measuring with it.
class FontCache {
 public:
  void reset(const std::wstring& face, UINT dpi);
  HFONT at(double points);

  // The largest size from kWindowPoints down at which `text` fits `width` pixels on one line,
  // failing that wrapped within `width` by `wrapHeight` pixels (fitCaption).
  CaptionFit fit(const std::wstring& text, int width, int wrapHeight);

 private:
  std::wstring face_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::map<double, Font> fonts_;  // by size; quarter points are exact as doubles
};

}  // namespace orindel::win32
