#pragma once

#include <windows.h>

#include <string>

namespace ui {

struct FontStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// A font as the forms describe it. height follows LOGFONT: negative values
// give the character height in pixels.
struct FontSettings {
  std::string face;
  int height = 0;
  FontStyle style;
};

// The height of a font of the given point size on the screen.
int PointsToHeight(int points);

// An owned GDI font.
class Font {
 public:
  explicit Font(const FontSettings& settings);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  HFONT Handle() const { return handle_; }
  const FontSettings& Settings() const { return settings_; }

 private:
  FontSettings settings_;
  HFONT handle_;
};

}  // namespace ui
