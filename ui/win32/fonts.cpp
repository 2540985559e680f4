#include "fonts.h"

#include "dpi.h"
#include "layout.h"
#include "wide_text.h"

namespace orindel::win32 {

namespace {

int CALLBACK noteFound(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metrics*/, DWORD /*type*/,
                       LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool installed(const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

// A memory device context with a font selected, to measure text in; freed when it goes.
class MeasuringDc {
 public:
  explicit MeasuringDc(HFONT font)
      : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, font)) {
    GdiObjects::made(dc_);
  }
  ~MeasuringDc() {
    SelectObject(dc_, old_);
    if (!dc_) return;
    GdiObjects::freed();
    DeleteDC(dc_);
  }
  MeasuringDc(const MeasuringDc&) = delete;
  MeasuringDc& operator=(const MeasuringDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace

std::wstring windowFontFace(UINT dpi) {
  for (const char16_t* face : kWindowFaces) {
    std::wstring name = toWide(face);
    if (installed(name.c_str())) return name;
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
    return metrics.lfMessageFont.lfFaceName;
  }
  return L"MS Shell Dlg 2";
}

Font makeFont(const std::wstring& face, double points, UINT dpi, BYTE charset, int weight) {
  LOGFONTW font{};
  font.lfHeight = pointsToFontHeight(points, dpi);
  font.lfWeight = weight;
  font.lfCharSet = charset;
  font.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT made = CreateFontIndirectW(&font);
  GdiObjects::made(made);
  return Font(made);
}

Font makeCountCaptionFont(UINT dpi) {
  // The first face only: the Japanese character set lets the font mapper pick another Japanese
  // gothic face where that one is missing.
  return makeFont(toWide(kCountCaptionFont.faces[0]), kCountCaptionFont.points, dpi,
                  SHIFTJIS_CHARSET, kCountCaptionFont.weight);
}

int textWidth(HFONT font, const std::wstring& text) {
  const MeasuringDc dc(font);
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void FontCache::reset(const std::wstring& face, UINT dpi) {
  face_ = face;
  dpi_ = dpi;
  fonts_.clear();
}

HFONT FontCache::at(double points) {
  Font& font = fonts_[points];
  if (!font) font = makeFont(face_, points, dpi_);
  return font.get();
}

SIZE wrappedSize(HFONT font, const std::wstring& text, int width) {
  const MeasuringDc dc(font);
  RECT rect{0, 0, width, 0};
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_LEFT);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

CaptionFit FontCache::fit(const std::wstring& text, int width, int wrapHeight) {
  return fitCaption(
      kWindowPoints, [&](double points) { return textWidth(at(points), text) <= width; },
      [&](double points) {
        const SIZE wrapped = wrappedSize(at(points), text, width);
        return wrapped.cx <= width && wrapped.cy <= wrapHeight;
      });
}

}  // namespace orindel::win32
