#include "fonts.h"

#include "dpi.h"

namespace orindel::win32 {

namespace {

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
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

}  // namespace

std::wstring windowFontFace(UINT dpi) {
  // Windows' own Japanese UI faces first; the IPA gothic font stands in for them under Wine.
  for (const wchar_t* face : {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic", L"IPAPGothic"}) {
    if (installed(face)) return face;
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
    return metrics.lfMessageFont.lfFaceName;
  }
  return L"MS Shell Dlg 2";
}

Font makeFont(const std::wstring& face, double points, UINT dpi, BYTE charset) {
  LOGFONTW font{};
  font.lfHeight = pointsToFontHeight(points, dpi);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = charset;
  font.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  return Font(CreateFontIndirectW(&font));
}

Font makeCountCaptionFont(UINT dpi) {
  return makeFont(L"ＭＳ Ｐゴシック", 8.25, dpi, SHIFTJIS_CHARSET);
}

int textWidth(HFONT font, const std::wstring& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return size.cx;
}

CaptionFit fitText(const std::wstring& face, const std::wstring& text, int available, UINT dpi) {
  return fitCaption(kWindowPoints, available, [&](double points) {
    const Font font = makeFont(face, points, dpi);
    return textWidth(font.get(), text);
  });
}

}  // namespace orindel::win32
