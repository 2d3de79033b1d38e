#include "ui/font.h"

#include "port/errors.h"

namespace ui {

namespace {
constexpr int kPointsPerInch = 72;
}  // namespace

int PointsToHeight(int points) {
  HDC screen = GetDC(nullptr);
  const int pixels_per_inch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return -MulDiv(points, pixels_per_inch, kPointsPerInch);
}

Font::Font(const FontSettings& settings) : settings_(settings) {
  LOGFONTA description{};
  description.lfHeight = settings.height;
  description.lfWeight = settings.style.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = settings.style.italic;
  description.lfUnderline = settings.style.underline;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(description.lfFaceName, settings.face.c_str(), LF_FACESIZE);
  handle_ = CreateFontIndirectA(&description);
  if (!handle_) throw stp::Error("Schriftart " + settings.face + " nicht verfügbar");
}

Font::~Font() { DeleteObject(handle_); }

}  // namespace ui
